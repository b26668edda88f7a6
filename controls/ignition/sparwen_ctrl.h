#pragma once
// The ignition viewer control. A page gives it the name of an ignition recording in the exchange
// folder and sets RunOcx; it then loads the recording, builds the graph window, the value panel,
// the cylinder selection bar and its scroll bars, and shows the last position. It paints its own
// skin with fifteen drawn buttons and plays the recording back on a window timer. When it goes it
// deletes the working copy unless the page asked to keep it.
#include <array>
#include <memory>
#include <string>

#include "common/dib/dib.h"
#include "controls/ignition/core/buttons.h"
#include "controls/ignition/core/sparwen_model.h"
#include "controls/ignition/windows/ign_graph_wnd.h"
#include "controls/ignition/windows/ign_value_wnd.h"
#include "controls/ignition/windows/wave_button_wnd.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/scroll_bar.h"

namespace sparwen {

class CSparwenCtrl : public win::COleControl {
public:
  static constexpr win::COLORREF kBackground = win::RGB(168, 166, 173);

  CSparwenCtrl();
  ~CSparwenCtrl() override;

  // The load sequence with the current DataFileName (what every set of RunOcx does).
  void OnRunOcxChanged();
  // Runs the command of a drawn button (1..15) as its click would.
  void RunButton(int button);

  const SparwenModel& Model() const { return m_model; }
  CIgnGraphWnd* Graph() const { return m_graph.get(); }
  CIgnValueWnd* ValuePanel() const { return m_valuePanel.get(); }
  CWaveButtonWnd* CylinderBar() const { return m_cylinderBar.get(); }
  win::CScrollBar* FrameScrollBar() const { return m_frameBar.get(); }
  win::CScrollBar* VerticalScrollBar() const { return m_verticalBar.get(); }
  const ButtonTracker& Buttons() const { return m_buttons; }
  // Whether playback timer 20 runs.
  bool Playing() const { return m_timerRunning; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid) override;
  void OnPaint() override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  win::BOOL OnSetCursor(win::CWnd* wnd, win::UINT hitTest, win::UINT message) override;
  void OnTimer(win::UINT_PTR id) override;
  void OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  void OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  win::BOOL OnMouseWheel(win::UINT flags, short delta, win::CPoint screenPoint) override;
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;

private:
  struct ButtonSkin {
    vetra::CDib normal;
    vetra::CDib down;
    vetra::CDib over;
    vetra::CDib disabled;
  };

  void AddProperties();
  void LoadBitmaps();
  void FreeBitmaps();
  win::RECT ControlRect() const;
  void CreateChildWindows();
  void DestroyChildWindows();
  // After a command or a move: the children and the scroll bars show the model's state.
  void ShowState();
  void ShowRightPanel();
  void ApplyToggle(PlayToggle toggle);
  void StopTimer();
  void SetOwnCursor();
  void OnChildHover(bool dropPress);
  void OnPrintButton();

  SparwenModel m_model;

  // Properties.
  win::SHORT m_runOcx = 0;
  std::string m_dataFileName;
  win::SHORT m_reloadMode = 0;

  // Children, built at a load.
  std::unique_ptr<CWaveButtonWnd> m_cylinderBar;
  std::unique_ptr<CIgnValueWnd> m_valuePanel;
  std::unique_ptr<CIgnGraphWnd> m_graph;
  std::unique_ptr<win::CScrollBar> m_frameBar;
  std::unique_ptr<win::CScrollBar> m_spareBar;
  std::unique_ptr<win::CScrollBar> m_verticalBar;

  // Back buffer of the whole control and its skin.
  win::CBackBuffer m_backBuffer;
  vetra::CDib m_topImage;
  std::array<ButtonSkin, kButtonCount> m_skins;
  ButtonTracker m_buttons{{}};
  bool m_timerRunning = false;
};

}  // namespace sparwen
