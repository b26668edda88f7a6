#pragma once
// The cylinder selection bar at the right of the graph: range arrows, eight cylinder buttons and
// All, with the time-base and range texts below. It paints itself from the control's state and
// reports every completed click to the control as a button code.
#include <array>

#include "controls/ignition/core/cylinder_bar.h"
#include "controls/ignition/core/ignition_state.h"
#include "common/dib/dib.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/cwnd.h"

namespace sparwen {

// A completed click on the bar: wParam the button code 1..11.
inline constexpr win::UINT kMsgCylinderBarCommand = win::WM_USER + 554;
inline constexpr win::UINT kIdCylinderBar = 1527;

class CWaveButtonWnd : public win::CWnd {
public:
  static constexpr win::COLORREF kFrame = win::RGB(96, 96, 96);

  explicit CWaveButtonWnd(const IgnitionState& state);
  ~CWaveButtonWnd() override;

  // A hidden child of the control.
  win::BOOL CreateBar(win::CWnd* parent, const win::RECT& rect);
  void FreeBitmaps();

  const BarTracker& Tracker() const { return m_tracker; }
  const std::array<win::RECT, kBarButtonCount>& ButtonRects() const { return m_rects; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnPaint() override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  win::BOOL OnSetCursor(win::CWnd* wnd, win::UINT hitTest, win::UINT message) override;

private:
  void LoadBitmaps();
  vetra::CDib& PictureOf(int code, BarPicture picture);
  void SetOwnCursor();

  const IgnitionState& m_state;
  win::CBackBuffer m_backBuffer;
  win::CRect m_client;
  vetra::CDib m_main;
  std::array<vetra::CDib, kBarButtonCount> m_normal;
  std::array<vetra::CDib, kBarButtonCount> m_down;
  std::array<vetra::CDib, kBarButtonCount> m_disabled;
  std::array<win::RECT, kBarButtonCount> m_rects{};
  win::RECT m_mainRect{};
  BarTracker m_tracker{m_rects};
};

}  // namespace sparwen
