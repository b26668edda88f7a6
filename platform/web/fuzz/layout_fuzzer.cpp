// Feeds arbitrary pages through layout and painting at the page viewer's size: attribute
// lengths, colours, tables, pictures and OBJECT boxes as a page may write them. The input's
// first two bytes give the length of a picture that follows them; the page after it reaches
// that picture as "pic.bmp" (in IMG and as a background), so picture bytes are fuzzed too.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/testing/memory_file.h"
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
  // The picture lives in memory; the page's folder is this process's descriptor folder, so the
  // page's relative address names the descriptor.
  static const vetra::testing::MemoryFile picture;
  static const std::string pictureName = picture.Path().substr(picture.Path().rfind('/') + 1);
  std::size_t pictureBytes = 0;
  if (size >= 2) pictureBytes = std::min<std::size_t>(data[0] | data[1] << 8, size - 2);
  const std::size_t header = std::min<std::size_t>(size, 2);
  picture.Write(data + header, pictureBytes);
  std::string source(reinterpret_cast<const char*>(data + header + pictureBytes), size - header - pictureBytes);
  for (std::size_t at = source.find("pic.bmp"); at != std::string::npos; at = source.find("pic.bmp", at + 1))
    source.replace(at, 7, pictureName);
  const std::string page = vetra::web::PageTextToUtf8(source, {});
  vetra::web::PageLayout layout;
  layout.SetPage(page, "/proc/self/fd/page.html");
  layout.Layout(320, 240);
  layout.Paint(*dc, win::CRect(0, 0, 320, 240));
  (void)layout.LinkAt({10, 10});
  return 0;
}
