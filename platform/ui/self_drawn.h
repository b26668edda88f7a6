#pragma once
// The messages every control that draws itself answers alike: WM_PAINT hands the control's draw
// function the painting context and its client area, WM_ERASEBKGND is answered as done (the
// drawing covers the whole client area) and, for a control whose look shows whether it is
// enabled, WM_ENABLE repaints it.

#include <optional>

#include "platform/ui/cwnd.h"
#include "platform/ui/paint.h"

namespace win::detail {

enum class EnabledLook { Same, Differs };

// The answer to a drawing message, or nothing for any other message. The control's draw
// function gets the painting context and the client area, only when there is something to paint.
template <class Control>
std::optional<LRESULT> AnswerDrawing(Control& control, UINT message, void (Control::*draw)(CDC&, CRect),
                                     EnabledLook look = EnabledLook::Same)
{
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (CDC* dc = BeginPaint(control.m_hWnd, &ps)) {
        CRect client;
        control.GetClientRect(&client);
        (control.*draw)(*dc, client);
      }
      EndPaint(control.m_hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      if (look == EnabledLook::Same) return std::nullopt;
      control.Invalidate(FALSE);
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace win::detail
