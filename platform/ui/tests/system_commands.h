#pragma once
// What the system-menu tests share: the "About" entry a program adds to its system menu, as the
// chooser does, and a window that notes the system commands it gets.

#include <vector>

#include "platform/base/text.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/menu.h"

namespace vetra::ui::testing {

inline constexpr win::UINT kAboutCommand = 0x0010;

// A separator and the program's own entry at the end of the window's system menu.
inline bool AddAboutEntry(win::CWnd& window)
{
  win::CMenu* menu = window.GetSystemMenu(win::FALSE);
  if (!menu) return false;
  menu->AppendMenu(win::MF_SEPARATOR);
  menu->AppendMenu(win::MF_STRING, kAboutCommand, vetra::Cp949("Lumbrel 정보(&A)...").c_str());
  return true;
}

// `Window` that notes each WM_SYSCOMMAND it gets (the command, without its low bits) and does
// nothing more with it.
template <class Window>
class NotingSystemCommands : public Window {
public:
  std::vector<win::UINT> commands;

protected:
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override
  {
    if (message == win::WM_SYSCOMMAND) {
      commands.push_back(static_cast<win::UINT>(wParam & 0xFFF0));
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
};

}  // namespace vetra::ui::testing
