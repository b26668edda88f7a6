#include "controls/roadtest/morvit_ctrl.h"

// The control's child windows: the item lists, the scale combos, the spins, the time bars, the
// cursor time text and the remove buttons, and what they tell the control.
#include <algorithm>

#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/morvit_identity.h"
#include "controls/roadtest/windows/resources.h"
#include "platform/base/text.h"
#include "platform/ui/notify.h"

namespace morvit {

void CMorvitCtrl::CreateChildren()
{
  if (m_hWnd == nullptr) return;
  if (!m_timeBar) {
    m_timeBar = std::make_unique<win::CScrollBar>();
    m_timeBar->Create(win::WS_CHILD | win::WS_VISIBLE | win::SBS_HORZ, win::CRect(4, 683, 728, 698), this, kIdTimeScrollBar);
  }
  if (!m_zoomBar) {
    m_zoomBar = std::make_unique<win::CScrollBar>();
    m_zoomBar->Create(win::WS_CHILD | win::SBS_HORZ, win::CRect(900, 242, 992, 264), this, kIdZoomScrollBar);
  }
  const win::DWORD listStyle = win::WS_CHILD | win::WS_VSCROLL | win::WS_HSCROLL | win::WS_BORDER | win::LBS_NOTIFY |
                              win::LBS_NOINTEGRALHEIGHT;
  const auto makeList = [&](std::unique_ptr<win::CListBox>& list, win::DWORD style, const win::CRect& place, unsigned id) {
    if (list) return;
    list = std::make_unique<win::CListBox>();
    list->Create(style, place, this, id);
  };
  makeList(m_itemList, listStyle | win::LBS_MULTIPLESEL | win::WS_VISIBLE, win::CRect(768, 185, 1014, 698), kIdItemList);
  makeList(m_analysisList, listStyle | win::LBS_MULTIPLESEL, win::CRect(768, 311, 1014, 698), kIdAnalysisList);
  makeList(m_zoomItemList, listStyle, win::CRect(768, 311, 1014, 698), kIdZoomItemList);
  if (m_comboFont.GetSafeHandle() == nullptr) {
    m_comboFont.CreatePointFont(110, vetra::Cp949("굴림").c_str());
    m_textFont.CreatePointFont(110, vetra::Cp949("굴림").c_str());
  }
  const auto makeCombo = [&](std::unique_ptr<win::CComboBox>& combo, win::DWORD style, const win::CRect& place, unsigned id) {
    if (combo) return;
    combo = std::make_unique<win::CComboBox>();
    combo->Create(win::WS_CHILD | win::CBS_DROPDOWNLIST | style, place, this, id);
    combo->SetFont(&m_comboFont);
  };
  makeCombo(m_scaleCombo, win::WS_VSCROLL | win::WS_VISIBLE, win::CRect(463, 74, 566, 194), kIdScaleCombo);
  makeCombo(m_zoomScaleCombo, 0, win::CRect(900, 190, 992, 310), kIdZoomScaleCombo);
  if (!m_statusText) {
    m_statusText = std::make_unique<win::CStatic>();
    m_statusText->Create("", win::WS_CHILD | win::WS_VISIBLE | win::SS_CENTER, win::CRect(102, 114, 265, 128), this, kIdStatusText);
    m_statusText->SetFont(&m_textFont);
  }
  const auto makeSpin = [&](std::unique_ptr<win::CSpinButtonCtrl>& spin, win::DWORD style, const win::CRect& place, unsigned id) {
    if (spin) return;
    spin = std::make_unique<win::CSpinButtonCtrl>();
    spin->Create(win::WS_CHILD | win::UDS_HORZ | win::UDS_ARROWKEYS | style, place, this, id);
    spin->SetRange32(0, kColumns - 1);
  };
  makeSpin(m_zoomSpin, 0, win::CRect(900, 216, 992, 236), kIdZoomSpin);
  makeSpin(m_cursorSpin, win::WS_VISIBLE, win::CRect(940, 75, 1005, 96), kIdCursorSpin);
  m_zoomBar->ShowWindow(win::SW_HIDE);
  RegisterMorvitBitmaps();
  for (int k = 0; k < kMaxShownItems; ++k) {
    auto& button = m_removeButtons[static_cast<std::size_t>(k)];
    if (button) continue;
    button = std::make_unique<win::CBitmapButton>();
    button->Create("X", win::WS_CHILD, win::CRect(0, 0, 20, 20), this, kIdFirstRemoveButton + static_cast<unsigned>(k));
    // Without its pictures the button stays a plain "X" button.
    if (button->LoadBitmaps(kRemoveButtonBitmap, kRemoveButtonBitmap, kRemoveButtonBitmap, kRemoveButtonDisabledBitmap)) {
      button->ModifyStyle(0x0F, win::BS_OWNERDRAW);
      button->SizeToContent();
    }
  }
}

void CMorvitCtrl::FillListsAndCombos()
{
  if (!m_itemList) return;
  const RoadState& s = m_model.State();
  for (win::CListBox* list : {m_itemList.get(), m_analysisList.get(), m_zoomItemList.get()}) {
    list->ResetContent();
    for (int channel : s.listChannels) list->AddString(ItemRowText(s.recording.channels[static_cast<std::size_t>(channel)]).c_str());
  }
  for (int row : s.shown.Rows()) m_itemList->SetSel(row, win::TRUE);
  static constexpr const char* kScaleTexts[] = {"전체화면", "1:1", "1:2", "1:5", "1:10", "1:25", "1:50", "1:100", "1:200", "1:500"};
  for (win::CComboBox* combo : {m_scaleCombo.get(), m_zoomScaleCombo.get()}) {
    combo->ResetContent();
    for (int entry = 0; entry < ScaleEntryCount(s.recording.recordLengthCode); ++entry) {
      combo->AddString(vetra::Cp949(kScaleTexts[entry]).c_str());
    }
    combo->SetCurSel(0);
  }
}

void CMorvitCtrl::UpdateChildVisibility()
{
  if (!m_itemList) return;
  const RoadState& s = m_model.State();
  const auto show = [](win::CWnd* wnd, bool visible) {
    if (wnd != nullptr && static_cast<bool>(wnd->IsWindowVisible()) != visible) wnd->ShowWindow(visible ? win::SW_SHOW : win::SW_HIDE);
  };
  const bool zoomLists = s.zoomMode && !s.measureOn;
  show(m_itemList.get(), !s.zoomMode && !s.measureOn);
  show(m_analysisList.get(), zoomLists && m_listMode == 1);
  show(m_zoomItemList.get(), zoomLists && m_listMode == -1);
  // The zoom scale, the panel's spin and its bar stay while measuring.
  show(m_zoomScaleCombo.get(), s.zoomMode);
  show(m_zoomSpin.get(), s.zoomMode);
  show(m_zoomBar.get(), s.zoomMode);
}

std::vector<int> CMorvitCtrl::SelectedRows(const win::CListBox& list)
{
  std::vector<int> rows;
  for (int row = 0; row < list.GetCount(); ++row) {
    if (list.GetSel(row) > 0) rows.push_back(row);
  }
  return rows;
}

win::BOOL CMorvitCtrl::OnNotify(win::WPARAM wParam, win::LPARAM lParam, win::LRESULT* result)
{
  const auto* header = reinterpret_cast<const win::NMHDR*>(lParam);
  if (header != nullptr && header->code == win::UDN_DELTAPOS &&
      (header->idFrom == kIdCursorSpin || header->idFrom == kIdZoomSpin)) {
    const auto* change = reinterpret_cast<const win::NMUPDOWN*>(lParam);
    const int column = std::clamp(change->iPos + change->iDelta, 0, kColumns - 1);
    if (header->idFrom == kIdZoomSpin) {
      m_model.SetPanelCursor(column);
    } else {
      m_model.SetCursorA(column);
    }
    InvalidateGraphs();
    *result = 0;  // the change is allowed
    return win::TRUE;
  }
  return COleControl::OnNotify(wParam, lParam, result);
}

void CMorvitCtrl::PlaceRemoveButtons()
{
  const RoadState& s = m_model.State();
  std::array<int, kMaxShownItems> top{};
  top.fill(-1);
  if (s.dataShown && !s.measureOn) {
    if (s.zoomMode) {
      if (s.ChannelOfRow(s.zoomItem) >= 0) top[0] = 143 + kZoomPanelHeight / 2;
      for (int k = 0; k < s.analysis.Count() && k + 1 < kMaxShownItems; ++k) {
        top[static_cast<std::size_t>(k + 1)] = LowerRow(k, s.lowerHeight).top + s.lowerHeight / 2;
      }
    } else if (s.layoutMode == kLayoutParallel) {
      for (int k = 0; k < s.shown.Count() && k < kMaxShownItems; ++k) {
        top[static_cast<std::size_t>(k)] = ParallelRow(k, s.graphHeight).top + s.graphHeight / 2;
      }
    }
  }
  for (int k = 0; k < kMaxShownItems; ++k) {
    win::CBitmapButton* button = m_removeButtons[static_cast<std::size_t>(k)].get();
    if (button == nullptr) continue;
    const int y = top[static_cast<std::size_t>(k)];
    if (y < 0) {
      if (button->IsWindowVisible()) button->ShowWindow(win::SW_HIDE);
      continue;
    }
    win::CRect place;
    button->GetWindowRect(&place);
    ScreenToClient(&place);
    if (place.left != 738 || place.top != y) button->MoveWindow(738, y, place.Width(), place.Height(), win::TRUE);
    if (!button->IsWindowVisible()) button->ShowWindow(win::SW_SHOW);
  }
}

win::HBRUSH CMorvitCtrl::OnCtlColor(win::CDC* dc, win::CWnd* control, win::UINT ctlColor)
{
  if (control != nullptr && control->GetDlgCtrlID() == static_cast<int>(kIdStatusText)) {
    dc->SetTextColor(win::RGB(31, 84, 162));
    dc->SetBkColor(win::RGB(255, 255, 255));
    return static_cast<win::HBRUSH>(m_whiteBrush);
  }
  return COleControl::OnCtlColor(dc, control, ctlColor);
}

win::BOOL CMorvitCtrl::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  const int id = win::LOWORD(static_cast<win::DWORD>(wParam));
  const int code = win::HIWORD(static_cast<win::DWORD>(wParam));
  if (code == static_cast<int>(win::LBN_SELCHANGE)) {
    if (id == static_cast<int>(kIdItemList) && m_itemList) {
      OnItemListSelChange(SelectedRows(*m_itemList));
      return win::TRUE;
    }
    if (id == static_cast<int>(kIdAnalysisList) && m_analysisList) {
      OnAnalysisListSelChange(SelectedRows(*m_analysisList));
      return win::TRUE;
    }
    if (id == static_cast<int>(kIdZoomItemList) && m_zoomItemList) {
      OnZoomItemListSelChange(m_zoomItemList->GetCurSel());
      return win::TRUE;
    }
  }
  if (code == static_cast<int>(win::CBN_CLOSEUP)) {
    if (id == static_cast<int>(kIdScaleCombo) && m_scaleCombo) {
      OnScaleCloseUp(m_scaleCombo->GetCurSel());
      return win::TRUE;
    }
    if (id == static_cast<int>(kIdZoomScaleCombo) && m_zoomScaleCombo) {
      OnZoomScaleCloseUp(m_zoomScaleCombo->GetCurSel());
      return win::TRUE;
    }
  }
  if (id >= static_cast<int>(kIdFirstRemoveButton) && id < static_cast<int>(kIdFirstRemoveButton) + kMaxShownItems) {
    RemoveDisplayedItem(id - static_cast<int>(kIdFirstRemoveButton));
    return win::TRUE;
  }
  return COleControl::OnCommand(wParam, lParam);
}

}  // namespace morvit
