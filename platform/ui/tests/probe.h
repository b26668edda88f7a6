#pragma once
// A window that writes the messages it gets into a shared log, for tests.

#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/ui/cwnd.h"

namespace vetra::ui::testing {

using MessageLog = std::vector<std::string>;

class Probe : public win::CWnd {
public:
  Probe(std::string name, MessageLog& log) : m_name(std::move(name)), m_log(log) {}

  win::BOOL CreateChild(win::CWnd& parent, win::RECT rect, win::DWORD style = win::WS_VISIBLE, win::UINT id = 0)
  {
    return CreateEx(0, "Probe", m_name.c_str(), win::WS_CHILD | style, rect, &parent, id);
  }
  win::BOOL CreateTop(win::RECT rect, win::DWORD style = win::WS_POPUP | win::WS_VISIBLE)
  {
    return CreateEx(0, "Probe", m_name.c_str(), style, rect, nullptr, 0);
  }

  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override
  {
    const int x = static_cast<short>(win::LOWORD(static_cast<std::uintptr_t>(lParam)));
    const int y = static_cast<short>(win::HIWORD(static_cast<std::uintptr_t>(lParam)));
    switch (message) {
      case win::WM_LBUTTONDOWN: Write(Format("down %d,%d", x, y)); break;
      case win::WM_LBUTTONUP: Write(Format("up %d,%d", x, y)); break;
      case win::WM_RBUTTONUP: Write(Format("rup %d,%d", x, y)); break;
      case win::WM_TIMER: Write(Format("timer %d", static_cast<int>(wParam))); break;
      case win::WM_PAINT: {
        win::CRect r;
        GetUpdateRect(&r);
        Write(Format("paint %d,%d,%d,%d", r.left, r.top, r.right, r.bottom));
        break;
      }
      case win::WM_COMMAND:
        Write(Format("command %d,%d", win::LOWORD(wParam), win::HIWORD(wParam)));
        break;
      case win::WM_HSCROLL:
      case win::WM_VSCROLL:
        Write(Format("scroll %d,%d", win::LOWORD(wParam), static_cast<short>(win::HIWORD(wParam))));
        break;
      default: break;
    }
    return win::CWnd::WindowProc(message, wParam, lParam);
  }

private:
  void Write(const std::string& what) { m_log.push_back(m_name + " " + what); }
  std::string m_name;
  MessageLog& m_log;
};

}  // namespace vetra::ui::testing
