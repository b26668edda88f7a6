#include "controls/ignition/sparwen_ctrl.h"

#include "controls/ignition/sparwen_identity.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"

namespace sparwen {
namespace {

constexpr int kVerticalRangeMax = 10;
constexpr int kSpareRangeMax = 625;

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
  m_backBuffer.Create(dc, client.right - client.left, client.bottom - client.top, "sparwen");
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
  m_backBuffer.Free();
  m_model.Destroy(m_dataFileName, m_reloadMode);
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

}  // namespace sparwen
