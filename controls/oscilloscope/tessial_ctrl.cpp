#include "controls/oscilloscope/tessial_ctrl.h"

#include <algorithm>
#include <limits>

#include "common/capture/print_capture.h"
#include "controls/oscilloscope/tessial_identity.h"
#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"

namespace tessial {
namespace {

constexpr win::UINT_PTR kPlaybackTimer = 2;

int ClampToInt(std::int64_t value)
{
  return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

const std::string& CTessialCtrl::FaceName()
{
  static const std::string face = vetra::Cp949("굴림체");
  return face;
}

CTessialCtrl::CTessialCtrl(std::string enviroPath)
    : COleControl({kClsid, kProgId, kDispatchIid, kEventIid, kTypeLibrary}), m_model(std::move(enviroPath))
{
  AddProperties();
  AddStockErrorEvent();
  SetPropertyPage({"", kPropertyPageProgId});
}

CTessialCtrl::~CTessialCtrl()
{
  // The window goes while the object is whole, so OnDestroy still finds its members.
  if (m_hWnd != nullptr) DestroyWindow();
}

void CTessialCtrl::AddProperties()
{
  win::DispatchTable& table = Dispatch();
  const auto modified = [this] { SetModifiedFlag(); };
  table.AddNotifyProperty("RunOcx", kDispRunOcx, m_runOcx, [this] { OnRunOcxChanged(); });
  table.AddNotifyProperty("DataFileName", kDispDataFileName, m_dataFileName, modified);
  table.AddNotifyProperty("ErrorCode", kDispErrorCode, m_errorCode, modified);
  for (int slot = 0; slot < kMaxSlots; ++slot) {
    table.AddNotifyProperty(vetra::Format("VoltStringCh%d", slot + 1), kDispVoltStringCh1 + slot, m_voltStrings[slot], modified);
  }
  table.AddNotifyProperty("ZoomChIndex", kDispZoomChIndex, m_zoomChIndex, modified);
  table.AddNotifyProperty("ReloadMode", kDispReloadMode, m_reloadMode, modified);
}

CScopeGraphWnd* CTessialCtrl::Graph(int slot) const
{
  return slot >= 0 && slot < kMaxSlots ? m_graphs[slot].get() : nullptr;
}

// ---- lifecycle -------------------------------------------------------------------------------

int CTessialCtrl::OnCreate(win::LPCREATESTRUCT cs)
{
  if (COleControl::OnCreate(cs) == -1) return -1;
  win::CRect client;
  GetClientRect(&client);
  win::CClientDC dc(this);
  m_memoryDC.CreateCompatibleDC(&dc);
  m_memoryDC.SetLogName("tessial");
  m_backBuffer.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
  m_font.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 32, FaceName().c_str());
  m_pressedButton = m_hoverButton = m_hoverActive = 0;
  SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
  win::OutputDebugStringA("TESSIAL : OnCreate\r\n");
  // A page that started the control before its window existed sees its recording now.
  if (m_model.IsOpen()) {
    LayoutRects();
    CreateChannelWindows();
    UpdateScrollBar();
    ShowWindowRead(WindowRead::ok);
  }
  return 0;
}

void CTessialCtrl::OnDestroy()
{
  COleControl::OnDestroy();
  KillTimer(kPlaybackTimer);
  m_model.Close();
  DeleteWorkingCopy(m_dataFileName, m_reloadMode);
  m_backBuffer.DeleteObject();
  m_memoryDC.DeleteDC();
  win::OutputDebugStringA("TESSIAL : OnDestroy\r\n");
}

// ---- load ------------------------------------------------------------------------------------

void CTessialCtrl::OnRunOcxChanged()
{
  win::OutputDebugStringA("TESSIAL Run OCX Start\r\n");
  if (m_hWnd != nullptr) KillTimer(kPlaybackTimer);
  m_errorCode = 0;
  const LoadResult result = m_model.Load(m_dataFileName);
  if (!result.Ok()) {
    m_errorCode = 1;
    FireError();
  }
  if (m_hWnd != nullptr) {
    LayoutRects();
    CreateChannelWindows();
  }
  PublishVoltStrings();
  m_zoomChIndex = 0;
  if (!result.Ok()) {
    if (m_scrollBar) m_scrollBar->EnableWindow(win::FALSE);
    win::AfxMessageBox(result.message, win::MB_OK);
    InvalidateControl();
    return;
  }
  UpdateScrollBar();
  ShowWindowRead(result.read);
  InvalidateControl();
  win::OutputDebugStringA("TESSIAL Run OCX End\r\n");
  SetModifiedFlag();
}

void CTessialCtrl::LayoutRects()
{
  win::CRect client;
  GetClientRect(&client);
  m_layout = LayoutScreen(client, m_model.State().ChannelCount());
  ScopeState& state = m_model.MutableState();
  state.graphWidth = m_layout.graphWidth;
  state.slotHeight = m_layout.slotHeight;
  state.zoomHeight = m_layout.graphHeight;
  // One frame scroll bar for the life of the control, moved to its place at every load.
  if (!m_scrollBar) {
    m_scrollBar = std::make_unique<win::CScrollBar>();
    m_scrollBar->Create(win::WS_CHILD | win::WS_VISIBLE | win::SBS_HORZ, m_layout.scrollBar, this, kIdFrameScrollBar);
  } else {
    m_scrollBar->MoveWindow(m_layout.scrollBar);
  }
}

void CTessialCtrl::DestroyChannelWindows()
{
  for (auto& graph : m_graphs) graph.reset();
  m_panel.reset();
  m_overlay.reset();
}

void CTessialCtrl::CreateChannelWindows()
{
  DestroyChannelWindows();
  ScopeState& state = m_model.MutableState();
  state.zoomActive = false;
  state.overlayShown = false;
  const int n = state.ChannelCount();
  for (int slot = 0; slot < n; ++slot) {
    auto graph = std::make_unique<CScopeGraphWnd>(state, slot, m_model.SlotName(slot), slot == 0);
    graph->CreateGraph(this, m_layout.graphWindows[slot], kIdFirstGraph + slot);
    m_graphs[slot] = std::move(graph);
  }
  m_panel = std::make_unique<CMeasurePanelWnd>();
  m_panel->CreatePanel(this, m_layout.measurePanel, kIdMeasurePanel);
  m_panel->SetZoom(false, 0);
  m_panel->SetRows(n);
  m_overlay = std::make_unique<CScopeAuxWnd>();
  m_overlay->CreateOverlay(this, m_layout.overlay, kIdOverlay);
}

void CTessialCtrl::PublishVoltStrings()
{
  for (int slot = 0; slot < kMaxSlots; ++slot) m_voltStrings[slot] = m_model.VoltString(slot);
}

void CTessialCtrl::UpdateScrollBar()
{
  if (!m_scrollBar) return;
  const Playback& p = m_model.State().playback;
  if (p.maxPosition > 0) {
    m_scrollBar->EnableWindow(win::TRUE);
    m_scrollBar->SetScrollRange(0, ClampToInt(p.maxPosition));
    m_scrollBar->SetScrollPos(ClampToInt(p.position));
  } else {
    m_scrollBar->EnableWindow(win::FALSE);
  }
}

void CTessialCtrl::ShowWindowRead(WindowRead read)
{
  if (read == WindowRead::seekError) {
    // The screen keeps the window it showed.
    win::AfxMessageBox(WindowReadErrorText(read), win::MB_OK);
    return;
  }
  const ScopeState& state = m_model.State();
  for (int slot = 0; slot < state.ChannelCount(); ++slot) {
    if (m_graphs[slot]) m_graphs[slot]->SetSamples(state.window.envelopes[slot]);
  }
  RedrawGraphs();
  if (m_panel) m_panel->Invalidate(win::FALSE);
  if (read != WindowRead::ok) win::AfxMessageBox(WindowReadErrorText(read), win::MB_OK);
}

void CTessialCtrl::RedrawGraphs()
{
  for (auto& graph : m_graphs) {
    if (!graph) continue;
    graph->MarkForRedraw();
    graph->Invalidate(win::FALSE);
  }
}

// ---- messages --------------------------------------------------------------------------------

win::LRESULT CTessialCtrl::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam)
{
  switch (message) {
    case kMsgPlaceCursorA:
    case kMsgPlaceCursorB:
      OnCursorMoved(message == kMsgPlaceCursorA, static_cast<int>(wParam));
      return 0;
    case kMsgChildHoverHeld:
    case kMsgChildHoverReset:
      OnChildHover(message == kMsgChildHoverReset);
      return 0;
    default:
      return COleControl::WindowProc(message, wParam, lParam);
  }
}

void CTessialCtrl::OnCursorMoved(bool cursorA, int column)
{
  for (auto& graph : m_graphs) {
    if (graph && graph->Clicked()) {
      graph->ClearClicked();
      break;
    }
  }
  if (cursorA) {
    m_model.SetCursorA(column);
  } else {
    m_model.SetCursorB(column);
  }
  RedrawGraphs();
  if (m_overlay && m_overlay->IsWindowVisible()) m_overlay->Invalidate(win::FALSE);
  if (m_panel) m_panel->Invalidate(win::FALSE);
  // The cursor-difference text is the control's own.
  InvalidateControl();
}

void CTessialCtrl::OnChildHover(bool dropPress)
{
  m_hoverButton = 0;
  m_hoverActive = 0;
  if (dropPress) m_pressedButton = 0;
  SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
  InvalidateControl();
}

void CTessialCtrl::OnPrintButton()
{
  vetra::capture::PrintControl(*this);
}

// ---- painting --------------------------------------------------------------------------------

void CTessialCtrl::OnPaint()
{
  win::CPaintDC paint(this);
  win::CRect client;
  GetClientRect(&client);
  if (m_memoryDC.GetSafeHdc() != nullptr && m_backBuffer.GetSafeHandle() != nullptr) {
    win::CBitmap* saved = m_memoryDC.SelectObject(&m_backBuffer);
    DrawFrame(m_memoryDC, client);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &m_memoryDC, 0, 0, win::SRCCOPY);
    m_memoryDC.SelectObject(saved);
  }
  RedrawGraphs();
  if (m_panel) m_panel->Invalidate(win::FALSE);
}

void CTessialCtrl::DrawFrame(win::CDC& dc, const win::CRect& client)
{
  const int bkMode = dc.SetBkMode(win::TRANSPARENT);
  const int rop = dc.SetROP2(win::R2_COPYPEN);
  dc.FillSolidRect(&client, kBackground);
  const int h = m_layout.graphHeight;
  const win::CRect strip(754, 110, 788, h + 110);
  dc.FillSolidRect(&strip, kPanelStrip);

  win::CFont* font = dc.SelectObject(&m_font);
  const win::COLORREF colour = dc.SetTextColor(win::RGB(0, 0, 0));
  const win::UINT align = dc.SetTextAlign(win::TA_CENTER);
  const ScopeState& state = m_model.State();
  dc.TextOut(689, 78, state.timeBaseText);
  dc.TextOut(562, 78, state.cursorDifferenceText);
  for (const AxisLabel& label : TimeAxisLabels(state.timeAxis.value, m_layout)) dc.TextOut(label.x, label.y, label.text);
  const win::POINT unit = TimeAxisUnitPoint(m_layout);
  dc.TextOut(unit.x, unit.y, state.timeAxis.unit);
  dc.SetTextAlign(align);
  dc.SetTextColor(colour);
  dc.SelectObject(font);
  dc.SetROP2(rop);
  dc.SetBkMode(bkMode);
}

}  // namespace tessial
