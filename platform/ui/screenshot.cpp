#include <filesystem>

#include "platform/gdi/display.h"
#include "platform/gdi/png_writer.h"
#include "platform/ui/app.h"
#include "platform/ui/paint.h"
#include "platform/ui/script.h"

namespace vetra::ui {

bool WriteScreenshot(const std::string& path, bool wholeScreen)
{
  win::detail::PaintAll();
  gdi::ComposeScreen();
  const std::shared_ptr<gdi::Bitmap32> screen = gdi::Screen();
  win::CWnd* main = win::AfxGetMainWnd();
  if (!main || !main->m_hWnd) main = win::CWnd::GetActiveWindow();
  if (wholeScreen || !main) return gdi::WritePng(*screen, path);
  win::CRect r;
  main->GetWindowRect(&r);
  win::CRect onScreen;
  if (!onScreen.IntersectRect(r, win::CRect(0, 0, screen->Width(), screen->Height()))) return false;
  gdi::Bitmap32 picture(onScreen.Width(), onScreen.Height());
  for (int y = 0; y < onScreen.Height(); ++y) {
    auto from = screen->Row(onScreen.top + y);
    std::copy(from.begin() + onScreen.left, from.begin() + onScreen.right, picture.Row(y).begin());
  }
  return gdi::WritePng(picture, path);
}

}  // namespace vetra::ui
