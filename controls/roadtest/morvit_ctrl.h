#pragma once
// The road-test viewer control. A page either names a working copy in the exchange folder
// (ReadFileName, then ExecProcedure = 100) or gives an address to fetch (DownloadFile, then
// ExecProcedure = 0); the control loads the recording, builds its screens and draws its skin
// surface and graphs from the state of its RoadModel. When it goes it deletes the unpacked file it
// made, and the working copy unless the page asked to keep it.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/dib/dib.h"
#include "controls/roadtest/core/road_model.h"
#include "controls/roadtest/skin_buttons.h"
#include "controls/roadtest/windows/graph_area.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/bitmap_button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/list_box.h"
#include "platform/ui/spin.h"
#include "platform/ui/scroll_bar.h"
#include "platform/ui/static.h"

namespace morvit {

class CMorvitCtrl : public win::COleControl {
public:
  static constexpr win::COLORREF kFrame = win::RGB(168, 167, 173);
  static constexpr win::UINT_PTR kPlaybackTimer = 1;
  static constexpr win::UINT kPlaybackMs = 50;
  // The capture file of the save-or-print command.
  static constexpr char kCapturePath[] = "C:\\Vetra\\Fenmark\\Temp\\temp.bmp";
  // What the picture save says when the capture file could not be written (code page 949).
  static std::string CaptureFailedText();

  CMorvitCtrl();
  ~CMorvitCtrl() override;

  // ExecProcedure's steps: 0 download, 100 load, 200 build the screens.
  void RunProcedureStep(int step);

  RoadModel& Model() { return m_model; }
  const RoadModel& Model() const { return m_model; }
  const SkinButtons& Buttons() const { return m_buttons; }
  const std::string& ReadFileName() const { return m_readFileName; }
  win::CScrollBar* TimeScrollBar() const { return m_timeBar.get(); }
  win::CStatic* CursorTimeText() const { return m_statusText.get(); }
  win::CListBox* ItemList() const { return m_itemList.get(); }
  win::CListBox* AnalysisList() const { return m_analysisList.get(); }
  win::CListBox* ZoomItemList() const { return m_zoomItemList.get(); }
  win::CComboBox* ScaleCombo() const { return m_scaleCombo.get(); }
  win::CComboBox* ZoomScaleCombo() const { return m_zoomScaleCombo.get(); }
  win::CSpinButtonCtrl* CursorSpin() const { return m_cursorSpin.get(); }
  win::CSpinButtonCtrl* ZoomSpin() const { return m_zoomSpin.get(); }
  win::CScrollBar* ZoomScrollBar() const { return m_zoomBar.get(); }
  win::CBitmapButton* RemoveButton(int n) const
  {
    return n >= 0 && n < kMaxShownItems ? m_removeButtons[static_cast<std::size_t>(n)].get() : nullptr;
  }
  const ItemOffsets& Offsets() const { return m_offsets; }
  int ListMode() const { return m_listMode; }

  // The commands of the surface (what releasing a drawn button runs).
  void RunButtonCommand(SkinButton button);
  // Item list 232 now has these rows selected (the list's selection change).
  void OnItemListSelChange(std::vector<int> selectedRows);
  // List 234 (items under the zoom panel) and list 233 (the panel's item).
  void OnAnalysisListSelChange(std::vector<int> selectedRows);
  void OnZoomItemListSelChange(int row);
  // The display scale combo (226) and the zoom scale combo (227) closed on an entry.
  void OnScaleCloseUp(int entry);
  void OnZoomScaleCloseUp(int entry);
  // Remove button 237 + n.
  void RemoveDisplayedItem(int n);

  // Save or print: the capture, the choice, and the picture saved as a JPEG.
  void OnSaveOrPrint();
  // The capture file converted to a JPEG of quality 50; false (after the message) on failure.
  bool SaveJpg(const std::string& path);
  // Captures the top-left 1024 x 768 pixels of the screen through the clipboard into the capture
  // file; false when nothing was written.
  bool CaptureToClipboard();

  // How long one download read may wait (tests shorten it).
  void SetNoAnswerTimeout(win::UINT ms) { m_noAnswerMs = ms; }

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnRButtonDown(win::UINT flags, win::CPoint point) override;
  void OnTimer(win::UINT_PTR id) override;
  void OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
  win::BOOL OnNotify(win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result) override;
  win::HBRUSH OnCtlColor(win::CDC* dc, win::CWnd* control, win::UINT ctlColor) override;

private:
  void AddProperties();
  void OnDownloadFileSet();
  void OnExecProcedureSet();
  bool RunDownload();
  void LoadWorkingCopy();
  void BuildScreens();
  void CreateChildren();
  void FillListsAndCombos();
  // Which lists, combos and bars show in the current view and mode.
  void UpdateChildVisibility();
  static std::vector<int> SelectedRows(const win::CListBox& list);

  // The picture of a file of the skin folder; null when it does not load (its area stays unpainted).
  vetra::CDib* Picture(const std::string& file);
  void DrawPicture(win::CDC& dc, const std::string& file, int x, int y);
  SkinMode Mode() const;
  void InvalidateButtons(const std::vector<SkinButton>& buttons);
  void UpdateLayoutButtons();
  void DrawSurface(win::CDC& dc);
  void InvalidateGraphs();
  // Shows the remove buttons of the occupied rows beside them, hides the others.
  void PlaceRemoveButtons();

  void StartTimer();
  void StopPlayback();
  void UpdateTimeBar(bool playbackStep = false);
  // After a paint of the zoom view: spins and whole-view bars at the coupled cursors.
  void HoldCoupledCursors();
  void ShowMessage(const Message& message);
  void OnPositionButton();
  void OnVehicleInfoButton();

  RoadModel m_model;
  SkinButtons m_buttons;

  // Properties.
  std::string m_downloadFile;
  win::SHORT m_execProcedure = 0;
  std::string m_readFileName;
  // The name the last download or load used (the copy deleted at the end); none before either.
  std::optional<std::string> m_workingCopyName;
  win::SHORT m_reloadMode = 0;
  std::string m_serverHost;
  std::string m_serverPath;
  win::UINT m_noAnswerMs = 10'000;

  bool m_graphSurfacesPending = false;
  bool m_fullRedraw = true;
  // Set by everything but a cursor move: the next paint builds every page afresh.
  bool m_pagesStale = true;
  ItemOffsets m_offsets{};
  int m_listMode = 0;  // 1 the analysis list shows, -1 the zoom item list

  std::map<std::string, std::unique_ptr<vetra::CDib>> m_pictures;
  win::CBackBuffer m_backBuffer;
  std::unique_ptr<win::CScrollBar> m_timeBar;
  std::unique_ptr<win::CScrollBar> m_zoomBar;
  std::unique_ptr<win::CStatic> m_statusText;
  std::array<std::unique_ptr<win::CBitmapButton>, kMaxShownItems> m_removeButtons;
  std::unique_ptr<win::CListBox> m_itemList;
  std::unique_ptr<win::CListBox> m_analysisList;
  std::unique_ptr<win::CListBox> m_zoomItemList;
  std::unique_ptr<win::CComboBox> m_scaleCombo;
  std::unique_ptr<win::CComboBox> m_zoomScaleCombo;
  std::unique_ptr<win::CSpinButtonCtrl> m_cursorSpin;
  std::unique_ptr<win::CSpinButtonCtrl> m_zoomSpin;
  win::CFont m_comboFont;
  win::CFont m_textFont;
  win::CBrush m_whiteBrush{win::RGB(255, 255, 255)};
  std::string m_cursorTimeLabel;
};

}  // namespace morvit
