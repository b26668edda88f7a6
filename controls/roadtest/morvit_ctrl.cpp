#include "controls/roadtest/morvit_ctrl.h"

#include <algorithm>
#include <filesystem>
#include <ctime>
#include <limits>

#include "controls/roadtest/core/layout.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/morvit_identity.h"
#include "controls/roadtest/windows/download_dlg.h"
#include "controls/roadtest/windows/graph_area.h"
#include "controls/roadtest/windows/load_progress_dlg.h"
#include "controls/roadtest/windows/vehicle_info_dlg.h"
#include "controls/roadtest/windows/wave_move_dlg.h"
#include "platform/base/clock.h"
#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/base/plain_file_name.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ui/message_box.h"
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
      // Screens over zeroed data when nothing was loaded; else the view starts afresh.
      if (m_hWnd != nullptr) KillTimer(kPlaybackTimer);
      if (!m_model.State().dataShown) {
        m_model.Load("");
      } else {
        m_model.ResetView();
      }
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
  m_workingCopyName = m_readFileName;
  CRecordingDownloadDlg dialog(this);
  dialog.m_serverHost = m_serverHost;
  dialog.m_serverPath = m_serverPath;
  dialog.m_localPath = WorkingCopyPath(m_readFileName);
  dialog.m_noAnswerMs = m_noAnswerMs;
  return dialog.DoModal() == win::IDOK;
}

void CMorvitCtrl::LoadWorkingCopy()
{
  win::OutputDebugStringA("MORVIT : load\r\n");
  if (m_hWnd != nullptr) KillTimer(kPlaybackTimer);
  LoadOutcome outcome;
  m_workingCopyName = m_readFileName;
  std::error_code ec;
  if (vetra::IsPlainFileName(m_readFileName) && std::filesystem::is_regular_file(vetra::MapPath(WorkingCopyPath(m_readFileName)), ec)) {
    // The load runs in its progress window.
    CLoadProgressDlg dialog(this, [&](const std::function<void(int)>& progress) { outcome = m_model.Load(m_readFileName, progress); });
    dialog.DoModal();
  } else {
    // A missing working copy shows empty screens.
    outcome = m_model.Load(m_readFileName);
  }
  // The loader's failures (no data, disk full while unpacking) are errors: the stop icon.
  if (!outcome.message.Empty()) {
    MessageBox(outcome.message.text.c_str(), outcome.message.caption.c_str(), win::MB_OK | win::MB_ICONSTOP);
  }
}

void CMorvitCtrl::BuildScreens()
{
  m_pagesStale = true;
  m_graphSurfacesPending = true;
  m_buttons.Reset();
  m_listMode = 0;
  m_offsets.fill(0);
  CreateChildren();
  // The cursor time is shown once an item is built.
  m_cursorTimeLabel.clear();
  if (m_statusText) m_statusText->SetWindowText("");
  FillListsAndCombos();
  UpdateLayoutButtons();
  UpdateTimeBar();
  InvalidateControl();
}

// ---- lifecycle ---------------------------------------------------------------------------------

int CMorvitCtrl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  win::CRect client;
  GetClientRect(&client);
  win::CClientDC dc(this);
  m_backBuffer.Create(dc, std::max(client.Width(), kControlWidth), std::max(client.Height(), kControlHeight), "morvit");
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
  // The working copy is the file the last step read (or fetched), not whatever ReadFileName names
  // by now; with nothing read it is the file ReadFileName names. It goes here unless kept.
  const std::string workingCopy = m_workingCopyName.value_or(m_readFileName);
  if (m_reloadMode != 1 && vetra::IsPlainFileName(workingCopy)) win::DeleteFileA(WorkingCopyPath(workingCopy).c_str());
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
  m_backBuffer.Free();
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
  return {s.layoutMode == kLayoutOverlap, s.rangeMode, s.zoomMode, s.measureOn, s.play != PlayState::Stopped};
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
  const RoadState& s = m_model.State();
  {
    const auto selected = m_backBuffer.Select();
    win::CDC& back = m_backBuffer.DC();
    DrawSurface(back);
    if (!s.dataShown) {
      // Before the screens are built whatever is repainted is white.
      back.FillSolidRect(&invalid, win::RGB(255, 255, 255));
    } else {
      bool full = m_fullRedraw;
      const bool firstPaint = m_graphSurfacesPending;
      if (m_graphSurfacesPending) {
        back.FillSolidRect(0, 140, 728, 568, kFrame);
        m_graphSurfacesPending = false;
        full = true;
      }
      DrawGraphArea(back, m_model, m_offsets, full, firstPaint || m_pagesStale);
      m_pagesStale = false;
      if (s.zoomMode) HoldCoupledCursors();
      m_fullRedraw = true;
      if (s.measureOn) {
        // The time between the cursors, over the button bar.
        back.SetBkMode(win::OPAQUE);
        back.SetBkColor(win::RGB(255, 255, 255));
        back.SetTextColor(win::RGB(31, 84, 162));
        back.TextOut(386, 114, std::string(34, ' '));
        back.TextOut(386, 114, CursorTimeDifferenceText(m_model.CursorTime()));
      }
      back.FillSolidRect(0, 683, 728, 25, kFrame);
      back.FillSolidRect(1016, 140, 1, 568, kFrame);
    }
    m_backBuffer.CopyTo(*dc, invalid);
  }
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
  if (m_hWnd == nullptr) return;
  InvalidateButtons({SkinButton::Zoom, SkinButton::Layout1, SkinButton::Layout2, SkinButton::Range, SkinButton::VehicleInfo,
                     SkinButton::Print, SkinButton::Trigger});
  // The display scale stays while playback runs.
  if (m_scaleCombo) m_scaleCombo->EnableWindow(s.play == PlayState::Stopped ? win::TRUE : win::FALSE);
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
    UpdateLayoutButtons();
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
    const std::int64_t zoomPosition = s.zoomPanel.scale == 0 ? static_cast<std::int64_t>(s.zoomPanel.cursorA) * (length / 100) / kColumns
                                                              : ScrollBarPosition(s.zoomPanel);
    m_zoomBar->SetScrollPos(ClampToInt(zoomPosition));
  }
}

void CMorvitCtrl::HoldCoupledCursors()
{
  // The paint coupled the zoom view's cursors: the spins step on from the coupled columns, and a
  // bar over the whole recording stands at its cursor.
  const RoadState& s = m_model.State();
  const std::int64_t length = s.recording.RecordLength();
  const auto wholeViewPosition = [&](const Page& page) { return ClampToInt(static_cast<std::int64_t>(page.cursorA) * (length / 100) / kColumns); };
  if (m_cursorSpin) m_cursorSpin->SetPos(s.lower.cursorA);
  if (m_zoomSpin) m_zoomSpin->SetPos(s.zoomPanel.cursorA);
  if (m_timeBar && s.lower.scale == 0) m_timeBar->SetScrollPos(wholeViewPosition(s.lower));
  if (m_zoomBar && s.zoomPanel.scale == 0) m_zoomBar->SetScrollPos(wholeViewPosition(s.zoomPanel));
}

void CMorvitCtrl::RunButtonCommand(SkinButton button)
{
  m_pagesStale = true;
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
        // Leaving ends the measurement: playback answers again, as when a right click ends it.
        if (s.measureOn) InvalidateButtons(m_buttons.EnablePlayback(true));
        m_model.CloseZoomView();
        m_listMode = 0;
        // The display scale combo shows the normal view's scale again.
        if (m_scaleCombo) m_scaleCombo->SetCurSel(EntryOfScale(s.page.scale));
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
  m_pagesStale = true;
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
  m_pagesStale = true;
  const SelectionOutcome out = m_model.OnAnalysisListChange(selectedRows);
  if (out.row >= 0 && out.deselectRow && m_analysisList) m_analysisList->SetSel(out.row, win::FALSE);
  if (out.row < 0 || out.deselectRow) return;
  InvalidateGraphs();
}

void CMorvitCtrl::OnZoomItemListSelChange(int row)
{
  m_pagesStale = true;
  m_model.SetZoomItem(row);
  InvalidateGraphs();
}

void CMorvitCtrl::OnScaleCloseUp(int entry)
{
  m_pagesStale = true;
  const ScaleOutcome out = m_model.SelectScale(entry);
  ShowMessage(out.message);
  if (m_scaleCombo && m_scaleCombo->GetCurSel() != out.entry) m_scaleCombo->SetCurSel(out.entry);
  if (!out.changed) return;
  UpdateTimeBar();
  InvalidateGraphs();
}

void CMorvitCtrl::OnZoomScaleCloseUp(int entry)
{
  m_pagesStale = true;
  const ScaleOutcome out = m_model.SelectZoomScale(entry);
  ShowMessage(out.message);
  if (m_zoomScaleCombo && m_zoomScaleCombo->GetCurSel() != out.entry) m_zoomScaleCombo->SetCurSel(out.entry);
  if (!out.changed) return;
  UpdateTimeBar();
  InvalidateGraphs();
}

void CMorvitCtrl::RemoveDisplayedItem(int n)
{
  m_pagesStale = true;
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
  m_pagesStale = true;
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
  m_pagesStale = true;
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
  if (bar == m_zoomBar.get()) {
    m_model.ScrollZoomPanel(scroll, bar->GetScrollPos(), static_cast<std::int64_t>(pos));
  } else {
    m_model.ScrollTime(scroll, bar->GetScrollPos(), static_cast<std::int64_t>(pos));
  }
  UpdateTimeBar();
  InvalidateGraphs();
  COleControl::OnHScroll(code, pos, bar);
}

win::LRESULT CMorvitCtrl::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  if (message == kMsgRedrawGraphs) {
    m_pagesStale = true;
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

}  // namespace morvit
