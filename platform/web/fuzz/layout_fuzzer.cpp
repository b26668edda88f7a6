// Feeds arbitrary pages through layout and painting at the page viewer's size: attribute
// lengths, colours, tables, pictures and OBJECT boxes as a page may write them.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gdi/cdc.h"
#include "platform/web/charset.h"
#include "platform/web/page_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static win::CDC* dc = [] {
    static win::CDC screen;
    screen.CreateCompatibleDC(nullptr);
    static win::CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 320, 240);
    static win::CDC memory;
    memory.CreateCompatibleDC(&screen);
    memory.SelectObject(&bitmap);
    return &memory;
  }();
  const std::string page = vetra::web::PageTextToUtf8(
      std::string_view(reinterpret_cast<const char*>(data), size), {});
  vetra::web::PageLayout layout;
  layout.SetPage(page, "/nonexistent/page.html");
  layout.Layout(320, 240);
  layout.Paint(*dc, win::CRect(0, 0, 320, 240));
  (void)layout.LinkAt({10, 10});
  return 0;
}
