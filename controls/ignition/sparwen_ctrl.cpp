#include "controls/ignition/sparwen_ctrl.h"

#include "common/capture/child_notifier.h"
#include "common/capture/print_capture.h"
#include "controls/ignition/core/texts.h"
#include "controls/ignition/sparwen_identity.h"
#include "controls/ignition/windows/skin.h"
#include "platform/base/text.h"
#include "platform/ui/cursor.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"

namespace sparwen {
namespace {

constexpr int kVerticalRangeMax = 10;
constexpr int kSpareRangeMax = 625;

// Names of the drawn buttons' pictures: the member's stem and the file's number.
struct ButtonSkinName {
  const char* member;  // between "m_" and "ButtonBmp"
  const char* file;    // "menu_" or "pbutton_" stem
  int number;
};
constexpr std::array<ButtonSkinName, kButtonCount> kButtonSkins = {{
    {"Print", "menu_", 1},      {"Config", "menu_", 2},     {"Jik", "menu_", 3},       {"Byun", "menu_", 4},
    {"3D", "menu_", 5},         {"Trend", "menu_", 6},      {"Gai", "menu_", 7},       {"Cyl", "menu_", 8},
    {"Digital", "menu_", 9},    {"PlayF", "pbutton_", 4},   {"PlayR", "pbutton_", 3},  {"PlayFF", "pbutton_", 5},
    {"PlayRR", "pbutton_", 2},  {"PlayStart", "pbutton_", 1}, {"PlayEnd", "pbutton_", 6},
}};
// Play buttons in the order of their file numbers 01..06, the order they are loaded in.
constexpr std::array<int, 6> kPlayLoadOrder = {kStartButton, kFastReverseButton, kPlayReverseButton, kPlayForwardButton, kFastForwardButton, kEndButton};
// Disabled pictures, in their load order.
constexpr std::array<int, 6> kDisabledLoadOrder = {kJikButton, kDigitalButton, kCylButton, kByunButton, k3DButton, kGaiButton};

// Range 0..max with a page of one position.
void SetRangeWithPage(win::CScrollBar& bar, int max)
{
  win::SCROLLINFO info;
  info.fMask = win::SIF_RANGE | win::SIF_PAGE;
  info.nMin = 0;
  info.nMax = max;
  info.nPage = 1;
  bar.SetScrollInfo(&info, win::FALSE);
}

std::string FailureName(int button, const char* variant)
{
  // Every print picture reports under the normal picture's name.
  if (button == kPrintButton) return "m_PrintButtonBmp";
  return vetra::Format("m_%sButton%sBmp", kButtonSkins[static_cast<std::size_t>(button - 1)].member, variant);
}

}  // namespace

CSparwenCtrl::CSparwenCtrl() : COleControl({kClsid, kProgId, kDispatchIid, kEventIid, kTypeLibrary})
{
  AddProperties();
  SetPropertyPage({"", kPropertyPageProgId});
}

CSparwenCtrl::~CSparwenCtrl()
{
  // The window goes while the object is whole, so OnDestroy still finds its members.
  if (m_hWnd != nullptr) DestroyWindow();
}

void CSparwenCtrl::AddProperties()
{
  win::DispatchTable& table = Dispatch();
  const auto modified = [this] { SetModifiedFlag(); };
  table.AddNotifyProperty("RunOcx", kDispRunOcx, m_runOcx, [this] { OnRunOcxChanged(); });
  table.AddNotifyProperty("DataFileName", kDispDataFileName, m_dataFileName, modified);
  table.AddNotifyProperty("ReloadMode", kDispReloadMode, m_reloadMode, modified);
}

// ---- lifecycle -------------------------------------------------------------------------------

int CSparwenCtrl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  LoadBitmaps();
  win::CClientDC dc(this);
  const win::RECT client = ControlRect();
  m_memoryDC.CreateCompatibleDC(&dc);
  m_memoryDC.SetLogName("sparwen");
  m_backBuffer.CreateCompatibleBitmap(&dc, client.right - client.left, client.bottom - client.top);
  SetOwnCursor();
  // A page that started the control before its window existed sees its recording now.
  if (m_model.IsLoaded() && m_model.Load(m_dataFileName, client).ok) {
    CreateChildWindows();
    ShowState();
  }
  return 0;
}

void CSparwenCtrl::OnDestroy()
{
  COleControl::OnDestroy();
  StopTimer();
  FreeBitmaps();
  if (m_valuePanel) m_valuePanel->FreeBitmaps();
  if (m_cylinderBar) m_cylinderBar->FreeBitmaps();
  if (m_graph) m_graph->FreeBuffers();
  m_backBuffer.DeleteObject();
  m_memoryDC.DeleteDC();
  m_model.Destroy(m_dataFileName, m_reloadMode);
}

void CSparwenCtrl::LoadBitmaps()
{
  OpenSkin(m_topImage, "top_image.bmp", "m_VetraLogoBmp");
  const auto file = [](int button, const char* variant) {
    const ButtonSkinName& name = kButtonSkins[static_cast<std::size_t>(button - 1)];
    return vetra::Format("%s%s%02d.bmp", name.file, variant, name.number);
  };
  const auto skin = [this](int button) -> ButtonSkin& { return m_skins[static_cast<std::size_t>(button - 1)]; };
  for (int b = kPrintButton; b <= kDigitalButton; ++b) OpenSkin(skin(b).normal, file(b, ""), FailureName(b, ""));
  for (int b = kPrintButton; b <= kDigitalButton; ++b) OpenSkin(skin(b).down, file(b, "d"), FailureName(b, "Down"));
  for (const int b : kDisabledLoadOrder) OpenSkin(skin(b).disabled, file(b, "dis"), FailureName(b, "Dis"));
  for (int b = kPrintButton; b <= kDigitalButton; ++b) OpenSkin(skin(b).over, file(b, "o"), FailureName(b, "Over"));
  for (const int b : kPlayLoadOrder) OpenSkin(skin(b).normal, file(b, ""), FailureName(b, ""));
  for (const int b : kPlayLoadOrder) OpenSkin(skin(b).down, file(b, "o"), FailureName(b, "Down"));
  for (const int b : kPlayLoadOrder) {
    // The reverse button's over picture reports without a name.
    if (b == kPlayReverseButton) OpenSkin(skin(b).over, file(b, "o"), "Load Error", false);
    else OpenSkin(skin(b).over, file(b, "o"), FailureName(b, "Over"));
  }
  std::array<win::SIZE, kButtonCount> sizes{};
  for (std::size_t i = 0; i < sizes.size(); ++i) sizes[i] = SkinSize(m_skins[i].normal);
  m_buttons = ButtonTracker(ButtonPlaces(sizes));
}

void CSparwenCtrl::FreeBitmaps()
{
  m_topImage.Free();
  for (ButtonSkin& skin : m_skins) {
    for (vetra::CDib* picture : {&skin.normal, &skin.down, &skin.over, &skin.disabled}) picture->Free();
  }
}

win::RECT CSparwenCtrl::ControlRect() const
{
  if (m_hWnd == nullptr) return kDefaultControlRect;
  win::CRect client;
  GetClientRect(&client);
  return client;
}

// ---- load ------------------------------------------------------------------------------------

void CSparwenCtrl::OnRunOcxChanged()
{
  StopTimer();
  const LoadOutcome outcome = m_model.Load(m_dataFileName, ControlRect());
  if (!outcome.ok) {
    // The control keeps its skin only; a later start may try again.
    DestroyChildWindows();
    win::MessageBox(m_hWnd, outcome.message.c_str(), outcome.path.c_str(), win::MB_OK);
    if (m_hWnd != nullptr) InvalidateControl();
    return;
  }
  if (m_hWnd != nullptr) InvalidateControl();
  if (!outcome.engineMessage.empty()) win::AfxMessageBox(outcome.engineMessage, win::MB_OK);
  if (m_hWnd != nullptr) {
    CreateChildWindows();
    ShowState();
  }
  SetModifiedFlag();
}

void CSparwenCtrl::DestroyChildWindows()
{
  m_graph.reset();
  m_valuePanel.reset();
  m_cylinderBar.reset();
  m_frameBar.reset();
  m_spareBar.reset();
  m_verticalBar.reset();
}

void CSparwenCtrl::CreateChildWindows()
{
  // A second load builds the children afresh: their layout follows the recording's engine.
  DestroyChildWindows();
  const ChildLayout layout = ComputeChildLayout(ControlRect());
  const IgnitionState& state = m_model.State();
  m_cylinderBar = std::make_unique<CWaveButtonWnd>(state);
  m_cylinderBar->CreateBar(this, layout.rightPanel);
  m_valuePanel = std::make_unique<CIgnValueWnd>(state);
  m_valuePanel->CreatePanel(this, layout.rightPanel);
  m_graph = std::make_unique<CIgnGraphWnd>(m_model);
  m_graph->CreateGraph(this, layout.graph);
  m_frameBar = std::make_unique<win::CScrollBar>();
  m_frameBar->Create(win::WS_CHILD | win::WS_VISIBLE | win::SBS_HORZ, layout.scroll, this, kIdFrameScrollBar);
  m_spareBar = std::make_unique<win::CScrollBar>();
  m_spareBar->Create(win::WS_CHILD | win::SBS_HORZ, layout.scroll, this, kIdSpareScrollBar);
  SetRangeWithPage(*m_spareBar, kSpareRangeMax);
  m_verticalBar = std::make_unique<win::CScrollBar>();
  m_verticalBar->Create(win::WS_CHILD | win::WS_VISIBLE | win::SBS_VERT, layout.verticalBar, this, kIdVerticalScrollBar);
  // The vertical offset runs 0..10 in every mode that uses it.
  SetRangeWithPage(*m_verticalBar, kVerticalRangeMax);
}

void CSparwenCtrl::ShowState()
{
  const ScrollBars& bars = m_model.Bars();
  if (m_frameBar) {
    m_frameBar->SetScrollRange(0, bars.frameMax);
    m_frameBar->SetScrollPos(bars.framePosition);
  }
  if (m_verticalBar) {
    m_verticalBar->EnableWindow(bars.verticalEnabled ? win::TRUE : win::FALSE);
    m_verticalBar->SetScrollPos(bars.verticalPosition);
  }
  ShowRightPanel();
  // The skin shows no position: a playback tick repaints only the children.
  if (m_graph) m_graph->Invalidate(win::FALSE);
}

void CSparwenCtrl::ShowRightPanel()
{
  if (!m_valuePanel || !m_cylinderBar) return;
  const bool bar = m_model.State().rightPanel == RightPanel::cylinderBar;
  m_cylinderBar->ShowWindow(bar ? win::SW_SHOW : win::SW_HIDE);
  m_valuePanel->ShowWindow(bar ? win::SW_HIDE : win::SW_SHOW);
  m_cylinderBar->Invalidate(win::FALSE);
  m_valuePanel->Invalidate(win::FALSE);
}

// ---- commands --------------------------------------------------------------------------------

void CSparwenCtrl::RunButton(int button)
{
  switch (button) {
    case kPrintButton: OnPrintButton(); return;
    case kConfigButton: m_model.ConfigButton(); break;
    case kJikButton: m_model.JikButton(); break;
    case kByunButton: m_model.ByunButton(); break;
    case k3DButton: m_model.ThreeDButton(); break;
    case kTrendButton: m_model.TrendButton(); break;
    case kGaiButton: m_model.GaiButton(); break;
    case kCylButton: m_model.CylButton(); break;
    case kDigitalButton: m_model.DigitalButton(); break;
    case kPlayForwardButton: ApplyToggle(m_model.PlayForward()); break;
    case kPlayReverseButton: ApplyToggle(m_model.PlayReverse()); break;
    case kFastForwardButton: ApplyToggle(m_model.FastForward()); break;
    case kFastReverseButton: ApplyToggle(m_model.FastReverse()); break;
    case kStartButton:
      StopTimer();
      m_model.ToStart();
      break;
    case kEndButton:
      StopTimer();
      m_model.ToEnd();
      break;
    default: return;
  }
  ShowState();
  // The mode buttons' pictures follow the display mode.
  InvalidateControl();
}

void CSparwenCtrl::ApplyToggle(PlayToggle toggle)
{
  if (toggle.tooSmall) {
    win::AfxMessageBox(DataTooSmallText(), win::MB_OK);
    return;
  }
  if (toggle.timer == TimerChange::start && m_hWnd != nullptr) {
    KillTimer(kPlayTimerId);
    SetTimer(kPlayTimerId, static_cast<win::UINT>(toggle.periodMs));
    m_timerRunning = true;
  } else if (toggle.timer == TimerChange::stop) {
    StopTimer();
  }
}

void CSparwenCtrl::StopTimer()
{
  m_model.StopPlayback();
  if (m_hWnd != nullptr) KillTimer(kPlayTimerId);
  m_timerRunning = false;
}

void CSparwenCtrl::OnPrintButton() { vetra::capture::PrintControl(*this); }

win::BOOL CSparwenCtrl::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  switch (win::LOWORD(static_cast<win::DWORD>(wParam))) {
    case kCmdRangeUp: m_model.RangeUp(); break;
    case kCmdRangeDown: m_model.RangeDown(); break;
    case kCmdByun: RunButton(kByunButton); return win::TRUE;
    case kCmd3D: RunButton(k3DButton); return win::TRUE;
    case kCmdGai: RunButton(kGaiButton); return win::TRUE;
    case kCmdJik: RunButton(kJikButton); return win::TRUE;
    case kCmdTrend: RunButton(kTrendButton); return win::TRUE;
    case kCmdCyl: RunButton(kCylButton); return win::TRUE;
    case kCmdDigital: RunButton(kDigitalButton); return win::TRUE;
    case kCmdPlayForward: RunButton(kPlayForwardButton); return win::TRUE;
    case kCmdPlayReverse: RunButton(kPlayReverseButton); return win::TRUE;
    default: return COleControl::OnCommand(wParam, lParam);
  }
  ShowState();
  InvalidateControl();
  return win::TRUE;
}

// ---- messages --------------------------------------------------------------------------------

win::LRESULT CSparwenCtrl::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  switch (message) {
    case kMsgGraphPosition:
      m_model.GraphPosition(static_cast<int>(std::min<win::WPARAM>(wParam, 0x7FFFFFFF)));
      ShowState();
      return 0;
    case vetra::kMsgChildHoverHeld:
    case vetra::kMsgChildHoverReset:
      OnChildHover(message == vetra::kMsgChildHoverReset);
      return 0;
    case kMsgCylinderBarCommand:
      m_model.CylinderBarCommand(static_cast<int>(std::min<win::WPARAM>(wParam, 0x7FFFFFFF)));
      ShowState();
      return 0;
    default:
      return COleControl::WindowProc(message, wParam, lParam);
  }
}

void CSparwenCtrl::OnChildHover(bool dropPress)
{
  if (dropPress) m_buttons.ChildHover();
  else m_buttons.ChildDrag();
  SetOwnCursor();
  InvalidateControl();
}

void CSparwenCtrl::OnMouseMove(win::UINT flags, win::CPoint point)
{
  m_buttons.MouseMove(point, (flags & win::MK_LBUTTON) != 0, m_model.State().DisplayMode());
  SetOwnCursor();
  InvalidateControl();
  COleControl::OnMouseMove(flags, point);
}

void CSparwenCtrl::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  m_buttons.LeftDown(point, m_model.State().DisplayMode());
  InvalidateControl();
  COleControl::OnLButtonDown(flags, point);
}

void CSparwenCtrl::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  const int button = m_buttons.LeftUp(point, m_model.State().DisplayMode());
  if (button != 0) RunButton(button);
  SetOwnCursor();
  InvalidateControl();
  COleControl::OnLButtonUp(flags, point);
}

void CSparwenCtrl::SetOwnCursor()
{
  if (m_hWnd != nullptr) SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
}

win::BOOL CSparwenCtrl::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  win::SetCursor(m_buttons.Over() ? win::LoadCursor(win::AfxGetInstanceHandle(), win::MAKEINTRESOURCE(133))
                                  : win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

void CSparwenCtrl::OnTimer(win::UINT_PTR id)
{
  if (id == kPlayTimerId && m_timerRunning) {
    if (m_model.Tick()) StopTimer();
    ShowState();
  }
  COleControl::OnTimer(id);
}

void CSparwenCtrl::OnHScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  // A thumb let go stands where the message says; the bar itself moves only when told.
  const int barPosition = code == win::SB_THUMBPOSITION || !m_frameBar ? static_cast<int>(pos) : m_frameBar->GetScrollPos();
  m_model.HScroll(static_cast<int>(code), barPosition, static_cast<int>(pos));
  ShowState();
  COleControl::OnHScroll(code, pos, bar);
}

void CSparwenCtrl::OnVScroll(win::UINT code, win::UINT pos, win::CScrollBar* bar)
{
  m_model.VScroll(static_cast<int>(code), static_cast<int>(pos));
  ShowState();
  COleControl::OnVScroll(code, pos, bar);
}

// ---- painting --------------------------------------------------------------------------------

void CSparwenCtrl::OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect&)
{
  if (dc != nullptr) dc->FillSolidRect(&bounds, kBackground);
}

void CSparwenCtrl::OnPaint()
{
  win::CPaintDC paint(this);
  if (m_memoryDC.GetSafeHdc() == nullptr || m_backBuffer.GetSafeHandle() == nullptr) return;
  const win::RECT client = ControlRect();
  win::CDC& dc = m_memoryDC;
  win::CBitmap* previous = dc.SelectObject(&m_backBuffer);
  dc.FillSolidRect(&client, kBackground);
  DrawSkin(m_topImage, 0, 0, dc);
  const int mode = m_model.State().DisplayMode();
  const auto& places = m_buttons.Places();
  for (int b = 1; b <= kButtonCount; ++b) {
    ButtonSkin& skin = m_skins[static_cast<std::size_t>(b - 1)];
    vetra::CDib* picture = &skin.normal;
    switch (m_buttons.Picture(b, mode)) {
      case ButtonPicture::disabled: picture = HasDisabledPicture(b) ? &skin.disabled : &skin.normal; break;
      case ButtonPicture::over: picture = &skin.over; break;
      case ButtonPicture::down: picture = &skin.down; break;
      case ButtonPicture::normal: break;
    }
    DrawSkinIn(*picture, places[static_cast<std::size_t>(b - 1)], dc);
  }
  paint.BitBlt(0, 0, client.right - client.left, client.bottom - client.top, &dc, 0, 0, win::SRCCOPY);
  dc.SelectObject(previous);
}

}  // namespace sparwen
