#pragma once
// The scan-data viewer control. A page names the working copy in the exchange folder
// (SaveDataFilePath) and sets RunScantool = 1; the control then reads the recording, fills its
// item lists and shows the graph view of the first items. The windows only ask the model and
// draw; every command's outcome says what to repaint, which timer to run and what to tell the
// user. When the control goes it deletes the working copy unless the page asked to keep it.
#include <array>
#include <memory>
#include <vector>

#include "controls/scandata/core/scan_model.h"
#include "controls/scandata/windows/drawn_buttons.h"
#include "controls/scandata/windows/remove_button_wnd.h"
#include "controls/scandata/windows/table_list_wnd.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/back_buffer.h"
#include "platform/ui/scroll_bar.h"

namespace quarnel {

class CQuarnelCtrl : public win::COleControl {
 public:
  static constexpr win::COLORREF kFrame = win::RGB(168, 167, 173);

  CQuarnelCtrl();
  ~CQuarnelCtrl() override;

  // The commands of RunScantool: 1 loads, 201 to 206 play.
  void OnRunScantool(int value);
  // RunPrint: the print program is started on the control's screen rectangle.
  void OnRunPrint();
  // The print button: the control's screen area to the print capture, then the print layout.
  void OnPrintButton();

  const ScanModel& Model() const { return m_model; }
  const DrawnButtons& Buttons() const { return m_buttons; }
  CTableListWnd* UpperList() const { return m_upper.get(); }
  CTableListWnd* LowerList() const { return m_lower.get(); }
  CTableListWnd* ChooserList() const { return m_chooser.get(); }
  win::CScrollBar* PositionBar() const { return m_scrollBar.get(); }
  CRemoveButtonWnd* RemoveButton(int graph) const;

 protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid) override;
  void OnTimer(win::UINT_PTR id) override;
  void OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnRButtonDown(win::UINT flags, win::CPoint point) override;
  void OnKeyDown(win::UINT vk, win::UINT repeat, win::UINT flags) override;
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;
  win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;

 private:
  void AddProperties();
  void CreateChildren();
  // Does what a command's outcome asks: timer, lists, child places, pictures, repaint, message.
  void Apply(const ScanOutcome& outcome);
  void FillLists();
  void PlaceChildren();
  void SyncScrollBar();
  void SyncButtonPictures();
  void OnListClick(unsigned listId, int row, int column, bool doubleClick);
  // Space and Return act on a list's selected row as the mouse does; Tab goes on to the next list.
  void OnListKey(unsigned listId, int row, unsigned vk);
  // The lists Tab visits, in order: those shown now.
  std::vector<CTableListWnd*> TabLists() const;
  void FocusNextList(CTableListWnd* from, bool backwards);
  // The base picture name a button shows now.
  std::string BaseOf(DrawnButton b) const;
  void ShowButton(DrawnButton b, ButtonState state);
  // Hover of the pointer over the drawn buttons.
  void HoverPass(win::POINT point);
  bool GraphView() const { return m_model.State().view == View::graph; }

  ScanModel m_model;
  DrawnButtons m_buttons;
  win::SHORT m_runPrint = 0;

  std::unique_ptr<CTableListWnd> m_upper;
  std::unique_ptr<CTableListWnd> m_lower;
  std::unique_ptr<CTableListWnd> m_chooser;
  std::unique_ptr<win::CScrollBar> m_scrollBar;
  std::array<std::unique_ptr<CRemoveButtonWnd>, kMaxShown> m_removeButtons;

  win::CBackBuffer m_backBuffer;
};

}  // namespace quarnel
