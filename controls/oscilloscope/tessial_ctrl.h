#pragma once
// The oscilloscope viewer control. A page gives it the name of a recording in the exchange
// folder and sets RunOcx; it then loads the recording, builds one graph window per shown channel
// with the measurement panel and the overlay, and shows the window at the recording's end. When
// it goes it deletes the working copy unless the page asked to keep it.
#include <array>
#include <memory>
#include <string>

#include "controls/oscilloscope/core/drawn_buttons.h"
#include "controls/oscilloscope/core/layout.h"
#include "controls/oscilloscope/core/scope_model.h"
#include "controls/oscilloscope/tessial_skin.h"
#include "controls/oscilloscope/windows/measure_panel_wnd.h"
#include "controls/oscilloscope/windows/scope_aux_wnd.h"
#include "controls/oscilloscope/windows/scope_graph_wnd.h"
#include "controls/oscilloscope/windows/unit_select_dlg.h"
#include "controls/oscilloscope/windows/zoom_button.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/scroll_bar.h"

namespace tessial {

class CTessialCtrl : public win::COleControl {
public:
  // The face of every text of the viewer, code page 949.
  static const std::string& FaceName();
  static constexpr win::COLORREF kBackground = win::RGB(168, 167, 173);
  static constexpr win::COLORREF kPanelStrip = win::RGB(238, 238, 238);
  // The window timer that steps playback.
  static constexpr win::UINT_PTR kPlaybackTimer = 2;

  explicit CTessialCtrl(std::string enviroPath = kEnviroPath);
  ~CTessialCtrl() override;

  // Runs the whole load with the current DataFileName (what every set of RunOcx does).
  void OnRunOcxChanged();
  // The print button: the control's screen area to the print capture, then the print layout.
  void OnPrintButton();
  // Hands the window just read to the graph windows and redraws them; reports a failed read.
  void ShowWindowRead(WindowRead read);
  // Playback and time compression (also the drawn buttons' and the commands' actions).
  void OnPlayForwardButton();
  void OnPlayReverseButton();
  void OnFastForwardButton();
  void OnFastReverseButton();
  void OnStartPositionButton();
  void OnEndPositionButton();
  void OnStopButton();
  void OnCompressButton();
  void OnExpandButton();
  // The units button: the unit dialog, then the units of the settings file for the recording shown.
  void OnUnitsButton();

  // Slot 0..5 shows that channel over the whole graph area; 99 returns to all channels.
  void ShowZoomChannel(int slot);
  // Shows or hides the overlay window over the graphs.
  void ToggleOverlay();

  const ScopeModel& Model() const { return m_model; }
  ScopeModel& Model() { return m_model; }
  const ScreenLayout& Layout() const { return m_layout; }
  CScopeGraphWnd* Graph(int slot) const;
  CMeasurePanelWnd* Panel() const { return m_panel.get(); }
  CScopeAuxWnd* Overlay() const { return m_overlay.get(); }
  win::CScrollBar* FrameScrollBar() const { return m_scrollBar.get(); }
  CZoomButton* ZoomButton(int slot) const;
  CZoomButton* ExitButton() const { return m_exitButton.get(); }
  CUnitSelectDlg& UnitDialog() { return m_unitDialog; }
  const ButtonPlaces& Buttons() const { return m_places; }
  const ButtonStates& ButtonState() const { return m_buttons; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnPaint() override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  win::BOOL OnSetCursor(win::CWnd* wnd, win::UINT hitTest, win::UINT message) override;
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
  void OnTimer(win::UINT_PTR id) override;
  void OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;

private:
  void AddProperties();
  void LayoutRects();
  void CreateChannelWindows();
  void DestroyChannelWindows();
  void UpdateScrollBar();
  void PublishVoltStrings();
  void RedrawGraphs();
  void OnCursorMoved(bool cursorA, int column);
  // A child window reports the pointer over it: the drawn buttons lose their hover (and, when
  // the button is released, their press).
  void OnChildHover(bool dropPress);
  void DrawFrame(win::CDC& dc, const win::CRect& client);
  void DrawButtons(win::CDC& dc);
  void PlaceButtons();
  void RunButton(int button);
  void CreateZoomButtons();
  void PlaceZoomButtons();
  void ShowZoomButtons(bool show);
  void RefreshCursor();
  void ApplyTimerChange(TimerChange change, const char* trace);
  void MoveThumb();
  void AfterCompression(const CompressOutcome& outcome);
  // Commands 1474..1482; false for any other id.
  bool RunPlaybackCommand(win::UINT id);

  ScopeModel m_model;
  ScreenLayout m_layout{};

  // Properties.
  win::SHORT m_runOcx = 0;
  std::string m_dataFileName;
  std::string m_workingCopyName;  // the name the last load opened: the copy deleted at the end
  win::SHORT m_errorCode = 0;
  std::array<std::string, kMaxSlots> m_voltStrings;
  win::SHORT m_zoomChIndex = 0;
  win::SHORT m_reloadMode = 0;

  // Children, rebuilt at every load.
  std::array<std::unique_ptr<CScopeGraphWnd>, kMaxSlots> m_graphs;
  std::unique_ptr<CMeasurePanelWnd> m_panel;
  std::unique_ptr<CScopeAuxWnd> m_overlay;
  std::unique_ptr<win::CScrollBar> m_scrollBar;
  std::array<std::unique_ptr<CZoomButton>, kMaxSlots> m_zoomButtons;
  std::unique_ptr<CZoomButton> m_exitButton;
  win::CRect m_zoomedRect;  // where the zoomed graph window stands when not zoomed
  int m_zoomedSlot = 0;

  // Back buffer of the whole control.
  win::CBackBuffer m_backBuffer;
  win::CFont m_font;

  // The skin and the buttons drawn from it.
  TessialSkin m_skin;
  ButtonPlaces m_places;
  ButtonStates m_buttons;

  // Built with the control and kept, so that it remembers its units between showings.
  CUnitSelectDlg m_unitDialog;
};

}  // namespace tessial
