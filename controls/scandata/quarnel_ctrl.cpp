#include "controls/scandata/quarnel_ctrl.h"

#include <algorithm>

#include "common/capture/print_capture.h"
#include "controls/scandata/quarnel_identity.h"
#include "controls/scandata/windows/graph_painter.h"
#include "platform/base/process.h"
#include "platform/base/text.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"

namespace quarnel {
namespace {

constexpr win::RECT kScrollBarRect{3, 678, 1009, 697};
constexpr win::RECT kChooserRect{790, 113, 1009, 678};
constexpr int kTopBandWidth = 1018;
constexpr int kTopBandHeight = 109;
constexpr int kRemoveButtonSize = 20;

ListStyle ItemListStyle(bool header)
{
  const std::array<std::string, 6> titles = ItemColumnTitles();
  const win::UINT aligns[6] = {win::DT_CENTER, win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER, win::DT_RIGHT, win::DT_RIGHT};
  const int widths[6] = {25, 390, 148, 128, 148, 148};
  ListStyle style;
  for (std::size_t c = 0; c < titles.size(); ++c) style.columns.push_back({titles[c], aligns[c], widths[c]});
  style.header = header;
  style.images = true;
  return style;
}

ListStyle ChooserStyle()
{
  ListStyle style;
  style.columns.push_back({"", win::DT_LEFT, 200});
  style.header = false;
  style.gridLines = false;
  style.rowHeight = 16;
  style.fontHeight = 14;
  style.fontWidth = 7;
  style.background = win::RGB(209, 222, 230);
  return style;
}

}  // namespace

CQuarnelCtrl::CQuarnelCtrl() : COleControl({kClsid, kProgId, kDispatchIid, kEventIid, kTypeLibrary})
{
  AddProperties();
  // The event map a page may bind to; the control fires none of them.
  int dispid = 1;
  for (const char* name : {"SetData", "SendRpm", "StopMode", "SetHelp", "StopChange", "MenuDisable", "DtcReload", "AddOnBtnSet"}) {
    AddEvent(name, dispid++);
  }
  SetPropertyPage({kPropertyPageClsid, kPropertyPageProgId});
}

CQuarnelCtrl::~CQuarnelCtrl()
{
  // The window goes while the object is whole, so OnDestroy still finds its members.
  if (m_hWnd != nullptr) DestroyWindow();
}

void CQuarnelCtrl::AddProperties()
{
  win::DispatchTable& table = Dispatch();
  using win::COleVariant;
  const auto shortZero = [] { return COleVariant(static_cast<win::SHORT>(0)); };
  const auto emptyText = [] { return COleVariant(std::string{}); };
  const auto ignore = [this](const COleVariant&) { SetModifiedFlag(); };

  table.AddNotifyProperty("RunPrint", kDispRunPrint, m_runPrint, [this] {
    OnRunPrint();
    SetModifiedFlag();
  });
  table.AddProperty("RunScantool", kDispRunScantool, win::VT_I2, shortZero, [this](const COleVariant& v) {
    OnRunScantool(v.AsShort());
    SetModifiedFlag();
  });
  table.AddProperty("RunEcuId", kDispRunEcuId, win::VT_BSTR, [this] { return COleVariant(m_model.RunEcuId()); }, ignore);
  table.AddProperty("RunDtc", kDispRunDtc, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("RunActuator", kDispRunActuator, win::VT_I2, shortZero, ignore);
  table.AddProperty("ReturnActuator", kDispReturnActuator, win::VT_I2, shortZero, ignore);
  table.AddProperty("RpmData", kDispRpmData, win::VT_BSTR, [this] { return COleVariant(m_model.RpmData()); }, ignore);
  table.AddProperty("Maker", kDispMaker, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("Car", kDispCar, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("SystemI", kDispSystemI, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("SystemII", kDispSystemII, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("StopMode", kDispStopMode, win::VT_I2,
                    [this] { return COleVariant(static_cast<win::SHORT>(m_model.StopMode())); }, ignore);
  table.AddProperty("SubMenuMode", kDispSubMenuMode, win::VT_I2, shortZero, ignore);
  table.AddProperty("Cylinder", kDispCylinder, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("Igntype", kDispIgntype, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("Fireorder", kDispFireorder, win::VT_BSTR, emptyText, ignore);
  table.AddProperty("StopHelp", kDispStopHelp, win::VT_I2, shortZero, ignore);
  table.AddProperty("RunAddOn", kDispRunAddOn, win::VT_I2, shortZero, ignore);
  table.AddProperty("SaveDataFilePath", kDispSaveDataFilePath, win::VT_BSTR, emptyText, [this](const COleVariant& v) {
    m_model.SetSaveDataFilePath(v.AsString());
    SetModifiedFlag();
  });
  // The stored mode is not read back: a page always sees 0.
  table.AddProperty("ReloadMode", kDispReloadMode, win::VT_I2, shortZero, [this](const COleVariant& v) {
    m_model.SetReloadMode(v.AsShort());
    SetModifiedFlag();
  });
}

CRemoveButtonWnd* CQuarnelCtrl::RemoveButton(int graph) const
{
  return graph >= 0 && graph < kMaxShown ? m_removeButtons[static_cast<std::size_t>(graph)].get() : nullptr;
}

// ---- lifecycle -------------------------------------------------------------------------------

int CQuarnelCtrl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  m_buttons.LoadAll();
  win::CRect client;
  GetClientRect(&client);
  win::CClientDC dc(this);
  m_backBuffer.Create(dc, client.Width(), client.Height(), "quarnel");
  // A page that loaded before the window existed sees its recording now.
  if (m_model.State().Loaded()) {
    CreateChildren();
    ScanOutcome all;
    all.repaint = all.listsChanged = all.layoutChanged = true;
    Apply(all);
  }
  return 0;
}

void CQuarnelCtrl::OnDestroy()
{
  COleControl::OnDestroy();
  KillTimer(kPlayTimerId);
  m_model.ReleaseWorkingCopy();
  m_backBuffer.Free();
}

void CQuarnelCtrl::CreateChildren()
{
  if (m_hWnd == nullptr) return;
  // A second load reuses the windows of the first.
  if (!m_upper) {
    const ItemListRects lists = LayoutItemLists(0);
    m_upper = std::make_unique<CTableListWnd>(ItemListStyle(true));
    m_upper->CreateList(win::WS_VISIBLE | win::WS_BORDER | win::WS_VSCROLL, lists.upper, this, kIdUpperList);
    m_lower = std::make_unique<CTableListWnd>(ItemListStyle(false));
    m_lower->CreateList(win::WS_VISIBLE | win::WS_BORDER | win::WS_VSCROLL, lists.lower, this, kIdLowerList);
    m_chooser = std::make_unique<CTableListWnd>(ChooserStyle());
    m_chooser->CreateList(win::WS_BORDER | win::WS_VSCROLL, kChooserRect, this, kIdChooserList);
  }
  if (!m_removeButtons[0]) {
    for (int i = 0; i < kMaxShown; ++i) {
      auto button = std::make_unique<CRemoveButtonWnd>();
      button->CreateButton(win::CRect(0, 0, kRemoveButtonSize, kRemoveButtonSize), this, kIdFirstRemoveButton + static_cast<unsigned>(i));
      m_removeButtons[static_cast<std::size_t>(i)] = std::move(button);
    }
  }
  if (!m_scrollBar) {
    m_scrollBar = std::make_unique<win::CScrollBar>();
    m_scrollBar->Create(win::WS_CHILD | win::WS_VISIBLE | win::SBS_HORZ, kScrollBarRect, this, kIdScrollBar);
    m_scrollBar->EnableWindow(win::FALSE);
  }
}

// ---- commands --------------------------------------------------------------------------------

void CQuarnelCtrl::OnRunScantool(int value)
{
  if (static_cast<std::int16_t>(value) == 1) {
    if (m_hWnd != nullptr) KillTimer(kPlayTimerId);
    CreateChildren();
  }
  Apply(m_model.RunScantool(value));
}

void CQuarnelCtrl::OnRunPrint()
{
  win::CRect screen;
  if (m_hWnd != nullptr) GetWindowRect(&screen);
  if (win::FindWindowA(nullptr, kPrintWindowTitle) != nullptr) return;
  const std::string command = PrintCommandLine(screen);
  if (!win::CreateProcessA(command)) win::AfxMessageBox(vetra::capture::PrintStartFailedText(command), win::MB_OK);
}

void CQuarnelCtrl::OnPrintButton() { vetra::capture::PrintControl(*this); }

void CQuarnelCtrl::Apply(const ScanOutcome& outcome)
{
  if (m_hWnd != nullptr) {
    if (outcome.timer == TimerChange::start) SetTimer(kPlayTimerId, kPlayTimerMs);
    if (outcome.timer == TimerChange::stop) KillTimer(kPlayTimerId);
  }
  if (outcome.listsChanged) FillLists();
  if (outcome.layoutChanged) PlaceChildren();
  SyncScrollBar();
  SyncButtonPictures();
  if (outcome.repaint) {
    InvalidateControl();
  } else if (outcome.graphsInvalidated && m_hWnd != nullptr) {
    InvalidateRect(&kGraphInvalidArea, win::FALSE);
  }
  if (outcome.message) {
    win::MessageBox(m_hWnd, outcome.message->text.c_str(), outcome.message->caption.c_str(), win::MB_OK | win::MB_ICONEXCLAMATION);
  }
}

void CQuarnelCtrl::FillLists()
{
  if (!m_upper) return;
  const int shown = m_model.State().ShownCount();
  std::vector<ListRow> upper, lower;
  const std::vector<int> order = m_model.State().orders.ListOrder();
  for (int r = 0; r < m_model.RowCount(); ++r) {
    const std::array<std::string, 6> texts = m_model.RowTexts(r);
    ListRow row{{texts.begin(), texts.end()}, r < shown ? 1 : 0, order[static_cast<std::size_t>(r)]};
    (r < shown ? upper : lower).push_back(std::move(row));
  }
  m_upper->SetRows(std::move(upper));
  m_lower->SetRows(std::move(lower));
  // The lists are sized to their rows whenever they are filled, so a moved row leaves no gap.
  const ItemListRects lists = LayoutItemLists(shown);
  m_upper->MoveWindow(lists.upper);
  m_lower->MoveWindow(lists.lower);
  std::vector<ListRow> entries;
  const std::vector<int>& recorded = m_model.State().orders.RecordingOrder();
  std::vector<std::string> texts = m_model.ChooserEntries();
  for (std::size_t i = 0; i < texts.size(); ++i) entries.push_back({{std::move(texts[i])}, 0, i < recorded.size() ? recorded[i] : -1});
  m_chooser->SetRows(std::move(entries));
}

void CQuarnelCtrl::PlaceChildren()
{
  if (!m_upper) return;
  const ScanState& s = m_model.State();
  const bool graph = s.view == View::graph;
  const ItemListRects lists = LayoutItemLists(s.ShownCount());
  m_upper->MoveWindow(lists.upper);
  m_lower->MoveWindow(lists.lower);
  m_upper->ShowWindow(graph ? win::SW_HIDE : win::SW_SHOW);
  m_lower->ShowWindow(graph ? win::SW_HIDE : win::SW_SHOW);
  m_chooser->ShowWindow(graph && s.chooserListVisible ? win::SW_SHOW : win::SW_HIDE);
  // A list that goes out of sight gives the focus back to the control.
  for (CTableListWnd* list : {m_upper.get(), m_lower.get(), m_chooser.get()}) {
    if (list->HasFocus() && !list->IsWindowVisible()) SetFocus();
  }
  for (int i = 0; i < kMaxShown; ++i) {
    CRemoveButtonWnd& button = *m_removeButtons[static_cast<std::size_t>(i)];
    const bool shown = graph && s.layout.buttonsShown && i < s.layout.count;
    if (shown) {
      button.MoveWindow(s.layout.slots[static_cast<std::size_t>(i)].removeButton);
      button.EnableWindow(win::TRUE);
    }
    button.ShowWindow(shown ? win::SW_SHOW : win::SW_HIDE);
  }
}

void CQuarnelCtrl::SyncScrollBar()
{
  if (!m_scrollBar) return;
  const ScanPlayback& p = m_model.State().playback;
  m_scrollBar->SetScrollRange(0, p.scrollMax, win::FALSE);
  m_scrollBar->SetScrollPos(p.scrollPosition);
  m_scrollBar->EnableWindow(p.scrollEnabled ? win::TRUE : win::FALSE);
}

std::string CQuarnelCtrl::BaseOf(DrawnButton b) const
{
  const ScanState& s = m_model.State();
  switch (b) {
    case DrawnButton::graphText: return s.view == View::graph ? "BtnText" : "BtnGrap";
    case DrawnButton::itemValue: return s.chooser == ChooserMode::itemButtons ? "BtnItem" : "BtnValue";
    default: return m_buttons.Base(b);
  }
}

void CQuarnelCtrl::ShowButton(DrawnButton b, ButtonState state)
{
  const std::string before = m_buttons.Picture(b);
  m_buttons.Show(b, BaseOf(b), state);
  if (m_buttons.Picture(b) != before) InvalidateControl(&PlaceOf(b).repaint);
}

void CQuarnelCtrl::SyncButtonPictures()
{
  const ScanState& s = m_model.State();
  // The graph view needs at least one chosen item.
  if (m_buttons.State(DrawnButton::graphText) != ButtonState::pressed) {
    const bool disabled = s.view == View::text && s.ShownCount() == 0;
    ButtonState state = m_buttons.State(DrawnButton::graphText);
    if (disabled) state = ButtonState::disabled;
    else if (state == ButtonState::disabled) state = ButtonState::normal;
    ShowButton(DrawnButton::graphText, state);
  }
  if (m_buttons.State(DrawnButton::itemValue) != ButtonState::pressed) {
    ShowButton(DrawnButton::itemValue, m_buttons.State(DrawnButton::itemValue));
  }
}

// ---- messages --------------------------------------------------------------------------------

win::LRESULT CQuarnelCtrl::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  if (message == kMsgListClick) {
    const int flags = win::HIWORD(static_cast<std::uintptr_t>(lParam));
    OnListClick(static_cast<unsigned>(wParam), win::LOWORD(static_cast<std::uintptr_t>(lParam)), flags & 0xFF, (flags & kDoubleClickFlag) != 0);
    return 0;
  }
  if (message == kMsgListKey) {
    const auto word = static_cast<std::uintptr_t>(lParam);
    const int row = win::LOWORD(word) == 0xFFFF ? -1 : win::LOWORD(word);
    OnListKey(static_cast<unsigned>(wParam), row, win::HIWORD(word));
    return 0;
  }
  return COleControl::WindowProc(message, wParam, lParam);
}

std::vector<CTableListWnd*> CQuarnelCtrl::TabLists() const
{
  std::vector<CTableListWnd*> lists;
  for (CTableListWnd* list : {m_upper.get(), m_lower.get(), m_chooser.get()}) {
    if (list != nullptr && list->IsWindowVisible() && list->IsWindowEnabled()) lists.push_back(list);
  }
  return lists;
}

void CQuarnelCtrl::FocusNextList(CTableListWnd* from, bool backwards)
{
  const std::vector<CTableListWnd*> lists = TabLists();
  if (lists.empty()) return;
  const auto at = std::find(lists.begin(), lists.end(), from);
  const int count = static_cast<int>(lists.size());
  int next = backwards ? count - 1 : 0;
  if (at != lists.end()) next = (static_cast<int>(at - lists.begin()) + (backwards ? count - 1 : 1)) % count;
  lists[static_cast<std::size_t>(next)]->SetFocus();
}

void CQuarnelCtrl::OnListKey(unsigned listId, int row, unsigned vk)
{
  CTableListWnd* list = listId == kIdUpperList ? m_upper.get() : listId == kIdLowerList ? m_lower.get() : m_chooser.get();
  if (vk == win::VK_TAB) {
    FocusNextList(list, win::GetKeyState(win::VK_SHIFT) < 0);
    return;
  }
  if (row < 0) return;
  // Return does to the selected row what a double click on its text does: it moves the row to
  // the other list. In the chooser Space and Return set or clear the row's mark as a click does.
  if (listId == kIdChooserList) {
    if (vk == win::VK_SPACE || vk == win::VK_RETURN) OnListClick(listId, row, 0, false);
  } else if (vk == win::VK_RETURN) {
    OnListClick(listId, row, 1, true);
  }
}

void CQuarnelCtrl::OnKeyDown(win::UINT vk, win::UINT repeat, win::UINT flags)
{
  // The control with the focus hands it to its first list, or its last one with Shift.
  if (vk == win::VK_TAB) {
    FocusNextList(nullptr, win::GetKeyState(win::VK_SHIFT) < 0);
    return;
  }
  COleControl::OnKeyDown(vk, repeat, flags);
}

void CQuarnelCtrl::OnListClick(unsigned listId, int row, int column, bool doubleClick)
{
  // In the item lists a double click on a text or a click on the image moves the row.
  const bool move = doubleClick ? column != 0 : column == 0;
  switch (listId) {
    case kIdUpperList:
      if (move) Apply(m_model.MoveRowDown(row));
      break;
    case kIdLowerList:
      if (move) Apply(m_model.MoveRowUp(row));
      break;
    case kIdChooserList:
      if (doubleClick) break;
      Apply(m_model.ChooseInChooser(row));
      if (m_chooser) m_chooser->SetSelection(row);
      break;
    default: break;
  }
}

win::BOOL CQuarnelCtrl::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  const int id = win::LOWORD(static_cast<std::uintptr_t>(wParam));
  const int graph = id - static_cast<int>(kIdFirstRemoveButton);
  if (graph >= 0 && graph < kMaxShown) {
    Apply(m_model.RemoveButton(graph));
    return win::TRUE;
  }
  return COleControl::OnCommand(wParam, lParam);
}

void CQuarnelCtrl::OnTimer(win::UINT_PTR id)
{
  if (id != kPlayTimerId) {
    COleControl::OnTimer(id);
    return;
  }
  Apply(m_model.Tick());
}

void CQuarnelCtrl::OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  if (!m_scrollBar || bar == nullptr || bar->m_hWnd != m_scrollBar->m_hWnd) {
    COleControl::OnHScroll(code, pos, bar);
    return;
  }
  Apply(m_model.Scroll(static_cast<int>(code), static_cast<int>(pos)));
}

void CQuarnelCtrl::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  SetFocus();  // the keys now go to the control, and Tab from here into its lists
  if (const auto b = DrawnButtonAt(point, GraphView())) {
    if (m_buttons.State(*b) != ButtonState::disabled) {
      ShowButton(*b, ButtonState::pressed);
      // The release runs the command wherever the pointer is then, inside the control or not.
      SetCapture();
    }
    return;
  }
  // The item/value area of the text view answers nothing; the graph area places cursor 1.
  if (InItemValueArea(point)) return;
  Apply(m_model.LeftClick(point.x, point.y));
  COleControl::OnLButtonDown(flags, point);
}

void CQuarnelCtrl::OnRButtonDown(win::UINT flags, win::CPoint point)
{
  Apply(m_model.RightClick(point.x, point.y));
  COleControl::OnRButtonDown(flags, point);
}

void CQuarnelCtrl::HoverPass(win::POINT point)
{
  const auto under = DrawnButtonAt(point, GraphView());
  const auto hover = [&](DrawnButton b) {
    const ButtonState state = m_buttons.State(b);
    if (state == ButtonState::normal && under == b) ShowButton(b, ButtonState::hover);
    else if (state == ButtonState::hover && under != b) ShowButton(b, ButtonState::normal);
  };
  for (const DrawnButton b : {DrawnButton::print, DrawnButton::graphText, DrawnButton::trigger, DrawnButton::itemValue}) {
    if (b == DrawnButton::itemValue && !GraphView()) {
      if (InItemValueArea(point)) return;
      continue;
    }
    hover(b);
    if (under == b && m_buttons.State(b) == ButtonState::disabled) return;
  }
  for (int i = static_cast<int>(DrawnButton::start); i <= static_cast<int>(DrawnButton::end); ++i) {
    const auto b = static_cast<DrawnButton>(i);
    const ButtonState before = m_buttons.State(b);
    hover(b);
    if (m_buttons.State(b) != before) return;
  }
}

void CQuarnelCtrl::OnMouseMove(win::UINT flags, win::CPoint point)
{
  HoverPass(point);
  COleControl::OnMouseMove(flags, point);
}

void CQuarnelCtrl::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  if (win::GetCapture() == m_hWnd) win::ReleaseCapture();
  const auto released = [this](DrawnButton b) { return m_buttons.State(b) == ButtonState::pressed; };
  // The command runs wherever the pointer is released.
  for (int i = 0; i < kDrawnButtonCount; ++i) {
    const auto b = static_cast<DrawnButton>(i);
    if (!released(b)) continue;
    switch (b) {
      case DrawnButton::print:
        ShowButton(b, ButtonState::normal);
        HoverPass(point);
        OnPrintButton();
        break;
      case DrawnButton::graphText:
        ShowButton(b, ButtonState::normal);
        if (GraphView()) {
          ScanOutcome outcome = m_model.ShowTextView();
          const ScanOutcome chooser = m_model.HideItemChooser();
          outcome.repaint = outcome.repaint || chooser.repaint;
          Apply(outcome);
        } else {
          Apply(m_model.ShowGraphView());
        }
        HoverPass(point);
        break;
      case DrawnButton::trigger:
        ShowButton(b, ButtonState::normal);
        Apply(m_model.Trigger());
        HoverPass(point);
        break;
      case DrawnButton::itemValue: {
        if (!GraphView()) break;
        const bool itemButtons = m_model.State().chooser == ChooserMode::itemButtons;
        ShowButton(b, ButtonState::normal);
        Apply(itemButtons ? m_model.ShowItemChooser() : m_model.HideItemChooser());
        HoverPass(point);
        break;
      }
      case DrawnButton::start: ShowButton(b, ButtonState::normal); Apply(m_model.ToStart()); break;
      case DrawnButton::fastReverse: ShowButton(b, ButtonState::normal); Apply(m_model.FastReverse()); break;
      case DrawnButton::reverse: ShowButton(b, ButtonState::normal); Apply(m_model.Reverse()); break;
      case DrawnButton::play: ShowButton(b, ButtonState::normal); Apply(m_model.Play()); break;
      case DrawnButton::fastForward: ShowButton(b, ButtonState::normal); Apply(m_model.FastForward()); break;
      case DrawnButton::end: ShowButton(b, ButtonState::normal); Apply(m_model.ToEnd()); break;
    }
  }
  COleControl::OnLButtonUp(flags, point);
}

// ---- painting --------------------------------------------------------------------------------

void CQuarnelCtrl::OnDraw(win::CDC* dc, const win::CRect&, const win::CRect&)
{
  dc->FillSolidRect(0, 109, 3, 599, kFrame);
  dc->FillSolidRect(1009, 109, 8, 599, kFrame);
  dc->FillSolidRect(3, 697, 1006, 11, kFrame);
  dc->FillSolidRect(3, 109, 1006, 5, kFrame);
  dc->FillSolidRect(3, 114, 1006, 564, kFrame);
  if (!m_backBuffer.IsReady()) return;
  // The button band goes through the buffer; the graphs then borrow the same memory DC.
  const auto selected = m_backBuffer.Select();
  m_buttons.Draw(m_backBuffer.DC(), GraphView());
  m_backBuffer.CopyTo(*dc, kTopBandWidth, kTopBandHeight);
  if (GraphView()) DrawGraphs(*dc, m_backBuffer.DC(), m_model);
}

}  // namespace quarnel
