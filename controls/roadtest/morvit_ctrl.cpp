#include "controls/roadtest/morvit_ctrl.h"

#include <algorithm>
#include <filesystem>
#include <ctime>
#include <limits>

#include "common/capture/dib_capture.h"
#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/image/picture_io.h"
#include "controls/roadtest/morvit_identity.h"
#include "controls/roadtest/windows/download_dlg.h"
#include "controls/roadtest/windows/graph_area.h"
#include "controls/roadtest/windows/load_progress_dlg.h"
#include "controls/roadtest/windows/print_choice_dlg.h"
#include "controls/roadtest/windows/resources.h"
#include "controls/roadtest/windows/vehicle_info_dlg.h"
#include "controls/roadtest/windows/wave_move_dlg.h"
#include "controls/roadtest/windows/road_report.h"
#include "platform/base/clock.h"
#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/notify.h"
#include "platform/ui/paint.h"

namespace morvit {
namespace {

constexpr win::RECT kGraphRect = {4, 143, 728, 683};
constexpr win::RECT kMeasureRect = {4, 143, 1024, 768};
constexpr int kControlWidth = 1018;
constexpr int kControlHeight = 708;

int ClampToInt(std::int64_t value)
{
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

std::string ExchangePath(const std::string& name) { return std::string(kExchangeFolder) + name; }

}  // namespace

CMorvitCtrl::CMorvitCtrl()
    : COleControl({kClsid, kProgId, kDispatchIid, kEventIid, kTypeLibrary}),
      m_model(LutStore(vetra::CurrentDirectory()))
{
  AddProperties();
  SetPropertyPage({"", kPropertyPageProgId});
  m_offsets.fill(0);
}

CMorvitCtrl::~CMorvitCtrl()
{
  // The window goes while the object is whole, so OnDestroy still finds its members.
  if (m_hWnd != nullptr) DestroyWindow();
}

void CMorvitCtrl::AddProperties()
{
  win::DispatchTable& table = Dispatch();
  // Every property reads back empty or 0, whatever was set.
  table.AddProperty("DownloadFile", kDispDownloadFile, win::VT_BSTR, [] { return win::COleVariant(""); },
                    [this](const win::COleVariant& v) {
                      m_downloadFile = v.AsString();
                      OnDownloadFileSet();
                      SetModifiedFlag();
                    });
  table.AddProperty("ExecProcedure", kDispExecProcedure, win::VT_I2, [] { return win::COleVariant(static_cast<win::SHORT>(0)); },
                    [this](const win::COleVariant& v) {
                      m_execProcedure = v.AsShort();
                      OnExecProcedureSet();
                      SetModifiedFlag();
                    });
  table.AddProperty("ReadFileName", kDispReadFileName, win::VT_BSTR, [] { return win::COleVariant(""); },
                    [this](const win::COleVariant& v) {
                      m_readFileName = v.AsString();
                      SetModifiedFlag();
                    });
  table.AddProperty("ReloadMode", kDispReloadMode, win::VT_I2, [] { return win::COleVariant(static_cast<win::SHORT>(0)); },
                    [this](const win::COleVariant& v) {
                      m_reloadMode = v.AsShort();
                      SetModifiedFlag();
                    });
  table.AddMethod("AboutBox", -552, win::VT_EMPTY, 0, [this](std::span<const win::COleVariant>) {
    MessageBox(vetra::Cp949("Morvit 주행 시험 뷰어 1.0").c_str(), "Morvit", win::MB_OK);
    return win::COleVariant();
  });
}

// ---- properties and steps --------------------------------------------------------------------

void CMorvitCtrl::OnDownloadFileSet()
{
  const DownloadTarget target = ParseDownloadUrl(m_downloadFile, static_cast<long long>(win::time(nullptr)));
  m_serverHost = target.host;
  m_serverPath = target.path;
  m_readFileName = target.readFileName;
}

void CMorvitCtrl::OnExecProcedureSet()
{
  m_reloadMode = 0;
  RunProcedureStep(m_execProcedure);
}

void CMorvitCtrl::RunProcedureStep(int step)
{
  switch (step) {
    case kStepDownload:
      if (RunDownload()) {
        RunProcedureStep(kStepLoad);
      } else {
        MessageBox(vetra::Cp949("실패").c_str(), vetra::Cp949("확인").c_str(), win::MB_OK);
      }
      break;
    case kStepLoad:
      LoadWorkingCopy();
      BuildScreens();
      break;
    case kStepShow:
      // Screens over zeroed data when nothing was loaded.
      if (!m_model.State().dataShown) m_model.Load("");
      BuildScreens();
      break;
    default:
      break;
  }
}

bool CMorvitCtrl::RunDownload()
{
  // The name comes from the page: only a plain name is ever written in the exchange folder.
  if (!vetra::IsPlainFileName(m_readFileName)) return false;
  CRecordingDownloadDlg dialog(this);
  dialog.m_serverHost = m_serverHost;
  dialog.m_serverPath = m_serverPath;
  dialog.m_localPath = ExchangePath(m_readFileName);
  dialog.m_noAnswerMs = m_noAnswerMs;
  return dialog.DoModal() == win::IDOK;
}

void CMorvitCtrl::LoadWorkingCopy()
{
  win::OutputDebugStringA("MORVIT : load\r\n");
  if (m_hWnd != nullptr) KillTimer(kPlaybackTimer);
  LoadOutcome outcome;
  std::error_code ec;
  if (vetra::IsPlainFileName(m_readFileName) && std::filesystem::is_regular_file(vetra::MapPath(ExchangePath(m_readFileName)), ec)) {
    // The load runs in its progress window.
    CLoadProgressDlg dialog(this, [&](const std::function<void(int)>& progress) { outcome = m_model.Load(m_readFileName, progress); });
    dialog.DoModal();
  } else {
    // A missing working copy shows empty screens.
    outcome = m_model.Load(m_readFileName);
  }
  if (!outcome.message.Empty()) MessageBox(outcome.message.text.c_str(), outcome.message.caption.c_str(), win::MB_OK);
}

void CMorvitCtrl::BuildScreens()
{
  m_graphSurfacesPending = true;
  m_buttons.Reset();
  m_listMode = 0;
  m_offsets.fill(0);
  CreateChildren();
  FillListsAndCombos();
  UpdateLayoutButtons();
  UpdateTimeBar();
  InvalidateControl();
}

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
  show(m_zoomScaleCombo.get(), zoomLists);
  show(m_zoomSpin.get(), zoomLists);
  show(m_zoomBar.get(), zoomLists);
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
    RoadState& s = m_model.MutableState();
    if (header->idFrom == kIdZoomSpin) {
      s.zoomPanel.cursorA = column;
      s.cursorSource = 1;
    } else if (s.zoomMode) {
      s.lower.cursorA = column;
      s.cursorSource = 2;
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

// ---- lifecycle ---------------------------------------------------------------------------------

int CMorvitCtrl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  win::CRect client;
  GetClientRect(&client);
  win::CClientDC dc(this);
  m_backDC.DeleteDC();
  m_backBuffer.DeleteObject();
  m_backDC.CreateCompatibleDC(&dc);
  m_backDC.SetLogName("morvit");
  m_backBuffer.CreateCompatibleBitmap(&dc, std::max(client.Width(), kControlWidth), std::max(client.Height(), kControlHeight));
  // The pictures are read afresh with every window.
  m_pictures.clear();
  // A page that ran a step before the window existed sees its screens now.
  if (m_model.State().dataShown) BuildScreens();
  return 0;
}

void CMorvitCtrl::OnDestroy()
{
  COleControl::OnDestroy();
  KillTimer(kPlaybackTimer);
  if (m_reloadMode != 1 && vetra::IsPlainFileName(m_readFileName)) {
    // A .Dat working copy is the file the model read; it goes here unless kept.
    win::DeleteFileA(ExchangePath(m_readFileName).c_str());
  }
  m_reloadMode = 0;
  // The unpacked file this control made, in every case.
  m_model.Close();
  m_timeBar.reset();
  m_zoomBar.reset();
  m_statusText.reset();
  for (auto& button : m_removeButtons) button.reset();
  m_itemList.reset();
  m_analysisList.reset();
  m_zoomItemList.reset();
  m_scaleCombo.reset();
  m_zoomScaleCombo.reset();
  m_cursorSpin.reset();
  m_zoomSpin.reset();
  m_backBuffer.DeleteObject();
  m_backDC.DeleteDC();
  m_pictures.clear();
}

// ---- pictures and drawing ----------------------------------------------------------------------

vetra::CDib* CMorvitCtrl::Picture(const std::string& file)
{
  auto found = m_pictures.find(file);
  if (found == m_pictures.end()) {
    auto dib = std::make_unique<vetra::CDib>();
    // A picture that does not load is skipped; its area stays unpainted.
    if (!dib->Open(SkinPath(file).c_str())) dib.reset();
    found = m_pictures.emplace(file, std::move(dib)).first;
  }
  return found->second.get();
}

void CMorvitCtrl::DrawPicture(win::CDC& dc, const std::string& file, int x, int y)
{
  if (vetra::CDib* dib = Picture(file)) dib->Draw(x, y, dib->m_width, dib->m_height, &dc);
}

SkinMode CMorvitCtrl::Mode() const
{
  const RoadState& s = m_model.State();
  return {s.layoutMode == kLayoutOverlap, s.rangeMode, s.zoomMode, s.measureOn};
}

void CMorvitCtrl::DrawSurface(win::CDC& dc)
{
  const RoadState& s = m_model.State();
  const SkinMode mode = Mode();
  DrawPicture(dc, "top_image.bmp", 0, 0);
  for (int i = 0; i < kTopBarButtons; ++i) {
    const auto b = static_cast<SkinButton>(i);
    DrawPicture(dc, ButtonPicture(b, m_buttons.State(b), mode), PlaceOf(b).at.x, PlaceOf(b).at.y);
  }
  if (s.zoomMode && !s.measureOn) {
    DrawPicture(dc, "right_img5.bmp", 728, 140);
    for (SkinButton b : {SkinButton::AnalysisItems, SkinButton::ZoomItems}) {
      DrawPicture(dc, ButtonPicture(b, m_buttons.State(b), mode), 728 + PlaceOf(b).at.x, 140 + PlaceOf(b).at.y);
    }
  } else if (s.zoomMode) {
    DrawPicture(dc, "zoom_img1.bmp", 728, 140);
    dc.FillSolidRect(728, 277, 3, 428, kFrame);
    dc.FillSolidRect(728, 683, 288, 25, kFrame);
    dc.FillSolidRect(731, 277, 288, 3, win::RGB(238, 238, 238));
  } else if (!s.measureOn) {
    DrawPicture(dc, "right_img1.bmp", 728, 140);
  } else {
    dc.FillSolidRect(728, 140, 288, 3, kFrame);
    dc.FillSolidRect(728, 140, 3, 568, kFrame);
    dc.FillSolidRect(728, 683, 288, 25, kFrame);
  }
  dc.FillSolidRect(0, 140, 4, 543, kFrame);
  dc.FillSolidRect(0, 140, 728, 3, kFrame);
}

void CMorvitCtrl::OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid)
{
  PlaceRemoveButtons();
  UpdateChildVisibility();
  win::CBitmap* previous = m_backDC.SelectObject(&m_backBuffer);
  DrawSurface(m_backDC);
  const RoadState& s = m_model.State();
  if (!s.dataShown) {
    win::CRect white(4, 143, 728, 683);
    if (s.measureOn) white = win::CRect(kMeasureRect);
    m_backDC.FillSolidRect(&white, win::RGB(255, 255, 255));
  } else {
    bool full = m_fullRedraw;
    if (m_graphSurfacesPending) {
      m_backDC.FillSolidRect(0, 140, 728, 568, kFrame);
      m_graphSurfacesPending = false;
      full = true;
    }
    DrawGraphArea(m_backDC, m_model, m_offsets, full);
    m_fullRedraw = true;
    if (s.measureOn) {
      // The time between the cursors, over the button bar.
      m_backDC.SetBkMode(win::OPAQUE);
      m_backDC.SetBkColor(win::RGB(255, 255, 255));
      m_backDC.SetTextColor(win::RGB(31, 84, 162));
      m_backDC.TextOut(386, 114, std::string(34, ' '));
      m_backDC.TextOut(386, 114, CursorTimeDifferenceText(m_model.CursorTime()));
    }
    m_backDC.FillSolidRect(0, 683, 728, 25, kFrame);
    m_backDC.FillSolidRect(1016, 140, 1, 568, kFrame);
  }
  dc->BitBlt(invalid.left, invalid.top, invalid.Width(), invalid.Height(), &m_backDC, invalid.left, invalid.top, win::SRCCOPY);
  m_backDC.SelectObject(previous);
  // The time of the sample under cursor A, as the graphs just built it.
  if (s.dataShown && m_statusText) {
    const std::string label = m_model.CursorTimeLabel(!s.zoomMode && s.layoutMode == kLayoutParallel);
    if (label != m_cursorTimeLabel) {
      m_cursorTimeLabel = label;
      m_statusText->SetWindowText(label);
    }
  }
  (void)bounds;
}

void CMorvitCtrl::InvalidateButtons(const std::vector<SkinButton>& buttons)
{
  for (SkinButton b : buttons) InvalidateRect(&PlaceOf(b).invalid, win::TRUE);
}

void CMorvitCtrl::InvalidateGraphs()
{
  if (m_hWnd == nullptr) return;
  InvalidateRect(m_model.State().measureOn ? &kMeasureRect : &kGraphRect, win::FALSE);
}

void CMorvitCtrl::UpdateLayoutButtons()
{
  const RoadState& s = m_model.State();
  if (s.zoomMode) {
    m_buttons.SetState(SkinButton::Layout1, kDisabled);
    m_buttons.SetState(SkinButton::Layout2, kDisabled);
  } else if (s.layoutMode == kLayoutParallel) {
    m_buttons.SetState(SkinButton::Layout1, kDisabled);
    m_buttons.SetState(SkinButton::Layout2, s.play != PlayState::Stopped ? kDisabled : kNormal);
  } else {
    m_buttons.SetState(SkinButton::Layout1, kNormal);
    m_buttons.SetState(SkinButton::Layout2, kNormal);
  }
  if (m_hWnd != nullptr) InvalidateButtons({SkinButton::Layout1, SkinButton::Layout2});
}

// ---- mouse -------------------------------------------------------------------------------------

void CMorvitCtrl::OnMouseMove(win::UINT flags, win::CPoint point)
{
  InvalidateButtons(m_buttons.Hover(point));
  COleControl::OnMouseMove(flags, point);
}

void CMorvitCtrl::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  SkinButton pressed{};
  if (m_buttons.Press(point, Mode(), m_model.State().zoomMode, pressed)) {
    InvalidateButtons({pressed});
  } else if (m_model.State().dataShown && m_model.LeftButton(point.x, point.y)) {
    UpdateTimeBar();
    InvalidateGraphs();
  }
  COleControl::OnLButtonDown(flags, point);
}

void CMorvitCtrl::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  for (SkinButton b : m_buttons.Release()) {
    InvalidateButtons({b});
    RunButtonCommand(b);
    if (b == SkinButton::VehicleInfo) return;
    InvalidateButtons(m_buttons.Hover(point));
  }
  COleControl::OnLButtonUp(flags, point);
}

void CMorvitCtrl::OnRButtonDown(win::UINT flags, win::CPoint point)
{
  const bool wasPlaying = m_model.State().play != PlayState::Stopped;
  if (m_model.RightButton(point.x, point.y)) {
    if (wasPlaying) KillTimer(kPlaybackTimer);
    InvalidateButtons(m_buttons.EnablePlayback(!m_model.State().measureOn));
    if (!m_model.State().measureOn) UpdateLayoutButtons();
    InvalidateControl();
  }
  COleControl::OnRButtonDown(flags, point);
}

// ---- commands ----------------------------------------------------------------------------------

void CMorvitCtrl::ShowMessage(const Message& message)
{
  if (message.Empty()) return;
  MessageBox(message.text.c_str(), message.caption.c_str(), win::MB_OK);
}

void CMorvitCtrl::StartTimer() { SetTimer(kPlaybackTimer, kPlaybackMs); }

void CMorvitCtrl::StopPlayback()
{
  KillTimer(kPlaybackTimer);
  m_model.Stop();
  UpdateLayoutButtons();
}

void CMorvitCtrl::UpdateTimeBar(bool playbackStep)
{
  if (!m_timeBar) return;
  const RoadState& s = m_model.State();
  const std::int64_t length = s.recording.RecordLength();
  const Page& page = s.zoomMode ? s.lower : s.page;
  m_timeBar->SetScrollRange(0, ClampToInt(ScrollBarEnd(page, length)));
  std::int64_t position = ScrollBarPosition(page);
  if (page.scale == 0) {
    position = static_cast<std::int64_t>(page.cursorA) * (length / 100) / kColumns;
  } else if (playbackStep) {
    // While playing the bar follows the sample under cursor A.
    position = PlaybackBarPosition(page);
  }
  m_timeBar->SetScrollPos(ClampToInt(position));
  if (m_cursorSpin) m_cursorSpin->SetPos(page.cursorA);
  if (m_zoomSpin) m_zoomSpin->SetPos(s.zoomPanel.cursorA);
  if (m_zoomBar) {
    m_zoomBar->SetScrollRange(0, ClampToInt(ScrollBarEnd(s.zoomPanel, length)));
    m_zoomBar->SetScrollPos(ClampToInt(ScrollBarPosition(s.zoomPanel)));
  }
}

void CMorvitCtrl::RunButtonCommand(SkinButton button)
{
  RoadState& s = m_model.MutableState();
  switch (button) {
    case SkinButton::Print:
      OnSaveOrPrint();
      return;
    case SkinButton::Layout1:
      m_model.LayoutParallel();
      break;
    case SkinButton::Layout2:
      if (s.layoutMode == kLayoutParallel) {
        m_model.LayoutOverlap();
      } else {
        OnPositionButton();
      }
      break;
    case SkinButton::Range:
      if (s.rangeMode == kRangeFull) {
        m_model.MinMaxRange();
      } else {
        m_model.FullRange();
      }
      break;
    case SkinButton::VehicleInfo:
      OnVehicleInfoButton();
      return;
    case SkinButton::Zoom:
      if (s.zoomMode) {
        m_model.CloseZoomView();
        m_listMode = 0;
      } else {
        if (s.measureOn) InvalidateButtons(m_buttons.EnablePlayback(true));
        const bool wasOpen = s.zoomMode;
        const Message message = m_model.OpenZoomView();
        ShowMessage(message);
        if (!wasOpen) m_listMode = -1;
        if (m_analysisList) {
          m_analysisList->SetSel(-1, win::FALSE);
          for (int row : m_model.State().analysis.Rows()) m_analysisList->SetSel(row, win::TRUE);
          m_zoomItemList->SetCurSel(-1);
          m_zoomScaleCombo->SetCurSel(0);
        }
      }
      InvalidateButtons({SkinButton::Zoom});
      InvalidateControl();
      break;
    case SkinButton::Trigger:
      m_model.Trigger();
      break;
    case SkinButton::Start:
      m_model.ToStart();
      break;
    case SkinButton::End:
      m_model.ToEnd();
      break;
    case SkinButton::Replay:
    case SkinButton::Play: {
      const bool running = button == SkinButton::Play ? m_model.Play() : m_model.ReversePlay();
      if (running) {
        StartTimer();
      } else {
        KillTimer(kPlaybackTimer);
      }
      break;
    }
    case SkinButton::Stop:
      StopPlayback();
      break;
    case SkinButton::AnalysisItems:
      m_listMode = 1;
      break;
    case SkinButton::ZoomItems:
      m_listMode = -1;
      break;
  }
  UpdateLayoutButtons();
  UpdateTimeBar();
  InvalidateButtons({SkinButton::Range, SkinButton::Layout2});
  InvalidateGraphs();
}

void CMorvitCtrl::OnItemListSelChange(std::vector<int> selectedRows)
{
  const SelectionOutcome out = m_model.OnItemListChange(selectedRows);
  if (out.row < 0) return;
  if (out.deselectRow) {
    if (m_itemList) m_itemList->SetSel(out.row, win::FALSE);
    const bool playing = m_model.State().play != PlayState::Stopped;
    if (playing) KillTimer(kPlaybackTimer);
    ShowMessage(out.message);
    if (playing) StartTimer();
    return;
  }
  m_fullRedraw = true;
  InvalidateGraphs();
}

void CMorvitCtrl::OnAnalysisListSelChange(std::vector<int> selectedRows)
{
  const SelectionOutcome out = m_model.OnAnalysisListChange(selectedRows);
  if (out.row >= 0 && out.deselectRow && m_analysisList) m_analysisList->SetSel(out.row, win::FALSE);
  if (out.row < 0 || out.deselectRow) return;
  InvalidateGraphs();
}

void CMorvitCtrl::OnZoomItemListSelChange(int row)
{
  m_model.SetZoomItem(row);
  InvalidateGraphs();
}

void CMorvitCtrl::OnScaleCloseUp(int entry)
{
  const ScaleOutcome out = m_model.SelectScale(entry);
  ShowMessage(out.message);
  if (m_scaleCombo && m_scaleCombo->GetCurSel() != out.entry) m_scaleCombo->SetCurSel(out.entry);
  if (!out.changed) return;
  UpdateTimeBar();
  InvalidateGraphs();
}

void CMorvitCtrl::OnZoomScaleCloseUp(int entry)
{
  const ScaleOutcome out = m_model.SelectZoomScale(entry);
  ShowMessage(out.message);
  if (m_zoomScaleCombo && m_zoomScaleCombo->GetCurSel() != out.entry) m_zoomScaleCombo->SetCurSel(out.entry);
  if (!out.changed) return;
  UpdateTimeBar();
  InvalidateGraphs();
}

void CMorvitCtrl::RemoveDisplayedItem(int n)
{
  const bool zoomView = m_model.State().zoomMode;
  const int row = m_model.RemoveShownItem(n);
  if (row < 0) return;
  if (!zoomView && m_itemList) m_itemList->SetSel(row, win::FALSE);
  if (zoomView && n == 0 && m_zoomItemList) m_zoomItemList->SetCurSel(-1);
  if (zoomView && n > 0 && m_analysisList) m_analysisList->SetSel(row, win::FALSE);
  InvalidateGraphs();
}

void CMorvitCtrl::OnTimer(win::UINT_PTR id)
{
  if (id != kPlaybackTimer) {
    COleControl::OnTimer(id);
    return;
  }
  if (m_model.Tick()) {
    KillTimer(kPlaybackTimer);
    UpdateLayoutButtons();
  }
  UpdateTimeBar(true);
  InvalidateGraphs();
}

void CMorvitCtrl::OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  if (bar != m_timeBar.get() && bar != m_zoomBar.get()) {
    COleControl::OnHScroll(code, pos, bar);
    return;
  }
  ScrollCode scroll = ScrollCode::Other;
  switch (code) {
    case win::SB_LINELEFT: scroll = ScrollCode::LineLeft; break;
    case win::SB_LINERIGHT: scroll = ScrollCode::LineRight; break;
    case win::SB_PAGELEFT: scroll = ScrollCode::PageLeft; break;
    case win::SB_PAGERIGHT: scroll = ScrollCode::PageRight; break;
    case win::SB_THUMBPOSITION:
    case win::SB_THUMBTRACK: scroll = ScrollCode::Thumb; break;
    default: break;
  }
  m_model.ScrollTime(scroll, bar->GetScrollPos(), static_cast<std::int64_t>(pos));
  UpdateTimeBar();
  InvalidateGraphs();
  COleControl::OnHScroll(code, pos, bar);
}

win::LRESULT CMorvitCtrl::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  if (message == kMsgRedrawGraphs) {
    InvalidateRect(&kGraphRect, win::FALSE);
    m_fullRedraw = false;
    return 0;
  }
  return COleControl::WindowProc(message, wParam, lParam);
}

// ---- dialogs -----------------------------------------------------------------------------------

void CMorvitCtrl::OnVehicleInfoButton()
{
  const bool playing = m_model.State().play != PlayState::Stopped;
  if (playing) KillTimer(kPlaybackTimer);
  CVehicleInfoDlg dialog(this);
  dialog.SetHeader(m_model.State().recording.header);
  dialog.DoModal();
  if (playing) StartTimer();
}

void CMorvitCtrl::OnPositionButton()
{
  const RoadState& s = m_model.State();
  if (s.shown.Count() == 0) {
    ShowMessage({vetra::Cp949("항목을 선택하여 주십시오."), "Morvit"});
    return;
  }
  if (s.page.scale == 0 || s.page.scale == 500) {
    ShowMessage({vetra::Cp949("전체 화면이나 1:500 배율에서는  파형위치를  조정할수 없습니다."), "Morvit"});
    return;
  }
  if (s.play != PlayState::Stopped) StopPlayback();
  std::vector<WaveItem> items;
  for (int row : s.shown.Rows()) {
    const int item = s.ChannelOfRow(row);
    if (item >= 0) items.push_back({item, s.recording.channels[static_cast<std::size_t>(item)].name});
  }
  CWaveMoveDlg dialog(this, m_offsets, std::move(items));
  dialog.DoModal();
}

// ---- capture, pictures and printing ------------------------------------------------------------

bool CMorvitCtrl::CaptureToClipboard()
{
  win::CDC display;
  if (!display.CreateDC("DISPLAY", nullptr, nullptr, nullptr)) return false;
  win::CDC memory;
  win::CBitmap picture;
  if (!memory.CreateCompatibleDC(&display) || !picture.CreateCompatibleBitmap(&display, 1024, 768)) return false;
  win::CBitmap* previous = memory.SelectObject(&picture);
  memory.BitBlt(0, 0, 1024, 768, &display, 0, 0, win::SRCCOPY);
  memory.SelectObject(previous);
  if (!win::OpenClipboard(m_hWnd)) return false;
  win::EmptyClipboard();
  // The clipboard owns the picture from here on, and keeps it.
  win::SetClipboardData(win::CF_BITMAP, static_cast<win::HBITMAP>(picture.Detach()));
  win::CloseClipboard();

  if (!win::OpenClipboard(m_hWnd)) return false;
  const win::GlobalMemory* dib = win::GetClipboardData(win::CF_DIB);
  bool written = false;
  if (dib == nullptr || !*dib) {
    MessageBox(vetra::Cp949("CaptureScreen data = NULL 입니다.").c_str(), nullptr, win::MB_OK);
  } else {
    written = vetra::capture::WriteDibFile(kCapturePath, *dib) != 0;
  }
  win::CloseClipboard();
  return written;
}

bool CMorvitCtrl::SaveJpg(const std::string& path)
{
  image::RgbImage rgb;
  int error = image::ReadBmpToRgb(vetra::MapPath(kCapturePath).string(), rgb);
  if (error == image::kNoError) error = image::WriteRgbToJpeg(vetra::MapPath(path).string(), rgb, 50);
  if (error != image::kNoError) {
    MessageBox(image::ImageErrorText(error).c_str(), nullptr, win::MB_OK);
    return false;
  }
  return true;
}

void CMorvitCtrl::OnSaveOrPrint()
{
  CaptureToClipboard();
  const RoadState& s = m_model.State();
  const bool nothingShown = s.zoomMode ? (s.ChannelOfRow(s.zoomItem) < 0 && s.analysis.Count() == 0) : s.shown.Count() == 0;
  if (nothingShown) return;
  const bool playing = s.play != PlayState::Stopped;
  if (playing) KillTimer(kPlaybackTimer);
  CPrintChoiceDlg choice(this);
  const win::INT_PTR result = choice.DoModal();
  if (result == win::IDOK && choice.Chosen()) {
    PrintRoadReport(*this, m_model, m_offsets);
  } else if (result == win::IDCANCEL && choice.Chosen()) {
    const std::string folder = vetra::CurrentDirectory();
    win::CFileDialog dialog(win::FALSE, "", "", win::OFN_HIDEREADONLY | win::OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|", this);
    dialog.m_ofn.lpstrTitle = "File to save as";
    if (dialog.DoModal() == win::IDOK) SaveJpg(dialog.GetPathName());
    // LUT files are found from the folder the control started in, whatever the dialog did.
    vetra::ChangeCurrentDirectory(folder);
  }
  if (playing) StartTimer();
}

}  // namespace morvit
