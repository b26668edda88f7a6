#include "controls/oscilloscope/tessial_ctrl.h"

#include "common/capture/print_capture.h"
#include "common/savedata/exchange_files.h"
#include "controls/oscilloscope/tessial_identity.h"
#include "controls/oscilloscope/windows/child_messages.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"

namespace tessial {

const std::string& CTessialCtrl::FaceName()
{
  static const std::string face = vetra::Cp949("굴림체");
  return face;
}

CTessialCtrl::CTessialCtrl(std::string enviroPath)
    : COleControl({kClsid, kProgId, kDispatchIid, kEventIid, kTypeLibrary}), m_model(enviroPath), m_unitDialog(nullptr, enviroPath)
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
  m_backBuffer.Create(dc, client.Width(), client.Height(), "tessial");
  m_font.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, win::DEFAULT_CHARSET, 0, 0, 0, win::FF_SWISS, FaceName().c_str());
  m_skin.Load();
  PlaceButtons();
  m_buttons = ButtonStates{};
  RefreshCursor();
  win::OutputDebugStringA("TESSIAL : OnCreate\r\n");
  // A page that started the control before its window existed sees its recording now.
  if (m_model.IsOpen()) {
    LayoutRects();
    CreateChannelWindows();
    CreateZoomButtons();
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
  // The companion follows the page's current name; the working copy is the one the load opened.
  savedata::DeleteWorkingCopy(m_dataFileName, m_workingCopyName, m_reloadMode);
  m_skin.Free();
  m_backBuffer.Free();
  win::OutputDebugStringA("TESSIAL : OnDestroy\r\n");
}

// ---- load ------------------------------------------------------------------------------------

void CTessialCtrl::OnRunOcxChanged()
{
  win::OutputDebugStringA("TESSIAL Run OCX Start\r\n");
  if (m_hWnd != nullptr) KillTimer(kPlaybackTimer);
  m_errorCode = 0;
  m_workingCopyName = m_dataFileName;
  const LoadResult result = m_model.Load(m_dataFileName);
  if (!result.Ok()) {
    m_errorCode = 1;
    FireError();
  }
  if (m_hWnd != nullptr) {
    LayoutRects();
    CreateChannelWindows();
    CreateZoomButtons();
  }
  PublishVoltStrings();
  if (!result.Ok()) {
    // Nothing of an earlier recording stays in the slots the defaults do not show.
    for (int slot = m_model.State().ChannelCount(); slot < kMaxSlots; ++slot) m_voltStrings[static_cast<std::size_t>(slot)].clear();
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
  ShowZoomChannel(99);
  DestroyChannelWindows();
  ScopeState& state = m_model.MutableState();
  state.zoomActive = false;
  state.overlayShown = false;
  m_zoomChIndex = 0;
  const int n = state.ChannelCount();
  for (int slot = 0; slot < n; ++slot) {
    auto graph = std::make_unique<CScopeGraphWnd>(state, slot, m_model.SlotName(slot), slot == 0);
    graph->CreateGraph(this, m_layout.graphWindows[slot], kIdFirstGraph + slot);
    m_graphs[slot] = std::move(graph);
  }
  m_panel = std::make_unique<CMeasurePanelWnd>(state);
  m_panel->CreatePanel(this, m_layout.measurePanel, kIdMeasurePanel);
  m_panel->SetZoom(false, m_zoomChIndex);
  m_panel->SetRows(n);
  m_panel->Layout();
  m_overlay = std::make_unique<CScopeAuxWnd>(state);
  m_overlay->CreateOverlay(this, m_layout.overlay, kIdOverlay);
}

void CTessialCtrl::PublishVoltStrings()
{
  // Only the slots that show a channel are written: the others keep what the page set there.
  const int shown = m_model.State().ChannelCount();
  for (int slot = 0; slot < shown && slot < kMaxSlots; ++slot) m_voltStrings[slot] = m_model.VoltString(slot);
}

void CTessialCtrl::ShowWindowRead(WindowRead read)
{
  if (read == WindowRead::seekError) {
    // The screen keeps the window it showed.
    win::AfxMessageBox(WindowReadErrorText(read), win::MB_OK);
    return;
  }
  const ScopeState& state = m_model.State();
  const bool overlay = m_overlay && state.overlayShown;
  for (int slot = 0; slot < state.ChannelCount(); ++slot) {
    if (m_graphs[slot]) m_graphs[slot]->SetSamples(state.window.envelopes[slot]);
    // The overlay's rows are refreshed only while it shows.
    if (overlay) m_overlay->SetRow(slot, state.window.envelopes[slot]);
  }
  if (overlay) m_overlay->Invalidate(win::FALSE);
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

void CTessialCtrl::OnPrintButton()
{
  vetra::capture::PrintControl(*this);
}

void CTessialCtrl::OnUnitsButton()
{
  // Whatever the dialog ended with, the settings file decides: a Cancel leaves it as it was.
  m_unitDialog.DoModal();
  const WindowRead read = m_model.ApplyUnitSettings();
  PublishVoltStrings();
  ShowWindowRead(read);
  // The time texts are the control's own.
  InvalidateControl();
}

}  // namespace tessial
