// The oscilloscope control's own surface: painting through its back buffer, the drawn buttons
// with their hover and press rules, the zoom buttons and the commands.
#include "controls/oscilloscope/tessial_ctrl.h"

#include "controls/oscilloscope/tessial_identity.h"
#include "platform/ui/cursor.h"
#include "platform/ui/paint.h"

namespace tessial {
namespace {

constexpr win::UINT kCommandOverlay = 1483;
constexpr win::UINT kCommandFirstZoom = 1484;
constexpr win::UINT kCommandExitZoom = 1490;
constexpr int kHandCursor = 133;
constexpr int kUnzoom = 99;

constexpr int kAllButtons[] = {kPrintButton,   kCompressButton,    kExpandButton,      kUnitsButton, kForwardButton,
                               kReverseButton, kFastForwardButton, kFastReverseButton, kStartButton, kEndButton};

void DrawAt(vetra::CDib& picture, const win::RECT& rect, win::CDC& dc)
{
  if (!picture.m_loaded) return;
  picture.DrawUnscaled(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, &dc);
}

}  // namespace

CZoomButton* CTessialCtrl::ZoomButton(int slot) const
{
  return slot >= 0 && slot < kMaxSlots ? m_zoomButtons[slot].get() : nullptr;
}

// ---- painting --------------------------------------------------------------------------------

void CTessialCtrl::OnPaint()
{
  win::CPaintDC paint(this);
  win::CRect client;
  GetClientRect(&client);
  m_backBuffer.Present(paint, client.Width(), client.Height(), [&](win::CDC& dc) { DrawFrame(dc, client); });
  RedrawGraphs();
  if (m_panel) m_panel->Invalidate(win::FALSE);
}

void CTessialCtrl::DrawFrame(win::CDC& dc, const win::CRect& client)
{
  const int bkMode = dc.SetBkMode(win::TRANSPARENT);
  const int rop = dc.SetROP2(win::R2_COPYPEN);
  dc.FillSolidRect(&client, kBackground);
  const win::CRect strip(754, 110, 788, m_layout.graphHeight + 110);
  dc.FillSolidRect(&strip, kPanelStrip);
  DrawButtons(dc);

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

void CTessialCtrl::DrawButtons(win::CDC& dc)
{
  DrawAt(m_skin.top, win::RECT{0, 0, m_skin.top.m_width, m_skin.top.m_height}, dc);
  for (const int button : kAllButtons) DrawAt(m_skin.FacesOf(button)->normal, m_places.Rect(button), dc);
  // The arrows have no hover picture of their own on the screen.
  const int hover = m_buttons.hover;
  if (m_buttons.pressed == kNoButton && m_buttons.hoverActive && hover != kNoButton && hover != kCompressButton &&
      hover != kExpandButton) {
    DrawAt(m_skin.FacesOf(hover)->over, m_places.Rect(hover), dc);
  }
  if (m_buttons.hoverActive && m_buttons.pressed != kNoButton) {
    DrawAt(m_skin.FacesOf(m_buttons.pressed)->down, m_places.Rect(m_buttons.pressed), dc);
  }
}

// ---- drawn buttons ---------------------------------------------------------------------------

void CTessialCtrl::PlaceButtons()
{
  for (const int button : kAllButtons) {
    const win::POINT origin = ButtonOrigin(button);
    const vetra::CDib* picture = SizingPicture(m_skin, button);
    const bool loaded = picture != nullptr && picture->m_loaded;
    m_places.Place(button, origin.x, origin.y, loaded ? picture->m_width : 0, loaded ? picture->m_height : 0);
  }
}

void CTessialCtrl::RefreshCursor()
{
  SendMessage(win::WM_SETCURSOR, reinterpret_cast<win::WPARAM>(m_hWnd), win::MAKELPARAM(win::HTCLIENT, win::WM_MOUSEMOVE));
}

win::BOOL CTessialCtrl::OnSetCursor(win::CWnd*, win::UINT, win::UINT)
{
  win::SetCursor(m_buttons.hoverActive ? win::LoadCursor(win::AfxGetResourceHandle(), win::MAKEINTRESOURCE(kHandCursor))
                                       : win::LoadCursor(nullptr, win::IDC_ARROW));
  return win::TRUE;
}

void CTessialCtrl::OnLButtonDown(win::UINT flags, win::CPoint point)
{
  m_buttons.Press(m_places.HitTest(point));
  InvalidateControl();
  COleControl::OnLButtonDown(flags, point);
}

void CTessialCtrl::OnMouseMove(win::UINT flags, win::CPoint point)
{
  const ButtonStates before = m_buttons;
  m_buttons.Move(m_places.HitTest(point), (flags & win::MK_LBUTTON) != 0);
  RefreshCursor();
  // Only a change of the buttons' faces needs a new picture (and with it new graph pictures).
  if (before.hover != m_buttons.hover || before.hoverActive != m_buttons.hoverActive) InvalidateControl();
  COleControl::OnMouseMove(flags, point);
}

void CTessialCtrl::OnLButtonUp(win::UINT flags, win::CPoint point)
{
  const int action = m_buttons.Release(m_places.HitTest(point));
  if (action != kNoButton) RunButton(action);
  RefreshCursor();
  InvalidateControl();
  COleControl::OnLButtonUp(flags, point);
}

void CTessialCtrl::OnChildHover(bool dropPress)
{
  const ButtonStates before = m_buttons;
  m_buttons.LeaveForChild(dropPress);
  RefreshCursor();
  if (before.hover != m_buttons.hover || before.hoverActive != m_buttons.hoverActive || before.pressed != m_buttons.pressed) {
    InvalidateControl();
  }
}

void CTessialCtrl::RunButton(int button)
{
  switch (button) {
    case kPrintButton: OnPrintButton(); break;
    case kCompressButton: OnCompressButton(); break;
    case kExpandButton: OnExpandButton(); break;
    case kUnitsButton: OnUnitsButton(); break;
    case kForwardButton: OnPlayForwardButton(); break;
    case kReverseButton: OnPlayReverseButton(); break;
    case kFastForwardButton: OnFastForwardButton(); break;
    case kFastReverseButton: OnFastReverseButton(); break;
    case kStartButton: OnStartPositionButton(); break;
    case kEndButton: OnEndPositionButton(); break;
    default: break;
  }
}

// ---- zoom and overlay ------------------------------------------------------------------------

void CTessialCtrl::CreateZoomButtons()
{
  for (auto& button : m_zoomButtons) button.reset();
  m_exitButton.reset();
  const win::CRect parked(550, 0, 571, 21);
  for (int slot = 0; slot < m_model.State().ChannelCount(); ++slot) {
    auto button = std::make_unique<CZoomButton>();
    button->CreateButton("Zoom", parked, this, kCommandFirstZoom + slot, kZoomBitmap);
    m_zoomButtons[slot] = std::move(button);
  }
  m_exitButton = std::make_unique<CZoomButton>();
  m_exitButton->CreateButton("Exit", parked, this, kCommandExitZoom, kZoomOutBitmap);
  PlaceZoomButtons();
}

void CTessialCtrl::PlaceZoomButtons()
{
  for (int slot = 0; slot < kMaxSlots; ++slot) {
    if (!m_zoomButtons[slot]) continue;
    m_zoomButtons[slot]->MoveWindow(m_layout.zoomButtons[slot]);
    m_zoomButtons[slot]->ShowWindow(win::SW_SHOW);
  }
  if (m_exitButton) m_exitButton->MoveWindow(m_layout.exitButton);
}

void CTessialCtrl::ShowZoomButtons(bool show)
{
  for (auto& button : m_zoomButtons) {
    if (button) button->ShowWindow(show ? win::SW_SHOW : win::SW_HIDE);
  }
}

void CTessialCtrl::ShowZoomChannel(int slot)
{
  ScopeState& state = m_model.MutableState();
  if (slot == kUnzoom) {
    if (!state.zoomActive) return;
    state.zoomActive = false;
    if (CScopeGraphWnd* graph = m_graphs[m_zoomedSlot].get()) {
      graph->ShowWindow(win::SW_HIDE);
      graph->ResizeBuffer(false);
      graph->MoveWindow(m_zoomedRect);
    }
    if (m_panel) {
      m_panel->SetZoom(false, m_zoomedSlot);
      m_panel->Invalidate(win::FALSE);
    }
    if (m_exitButton) m_exitButton->ShowWindow(win::SW_HIDE);
    for (auto& graph : m_graphs) {
      if (graph) graph->ShowWindow(win::SW_SHOW);
    }
    ShowZoomButtons(true);
    RedrawGraphs();
    m_zoomChIndex = kUnzoom;
    return;
  }
  if (state.zoomActive || slot < 0 || slot >= kMaxSlots || !m_graphs[slot]) return;
  state.zoomActive = true;
  CScopeGraphWnd& graph = *m_graphs[slot];
  graph.GetWindowRect(&m_zoomedRect);
  ScreenToClient(&m_zoomedRect);
  if (m_panel) {
    m_panel->SetZoom(true, slot);
    m_panel->Invalidate(win::FALSE);
  }
  for (auto& other : m_graphs) {
    if (other) other->ShowWindow(win::SW_HIDE);
  }
  ShowZoomButtons(false);
  if (m_exitButton) m_exitButton->ShowWindow(win::SW_SHOW);
  graph.ResizeBuffer(true);
  graph.MoveWindow(0, 109, m_layout.graphWidth, m_layout.graphHeight);
  graph.ShowWindow(win::SW_SHOW);
  graph.MarkForRedraw();
  graph.Invalidate(win::FALSE);
  m_zoomedSlot = slot;
  m_zoomChIndex = static_cast<win::SHORT>(slot);
}

void CTessialCtrl::ToggleOverlay()
{
  ScopeState& state = m_model.MutableState();
  state.overlayShown = !state.overlayShown;
  ShowZoomChannel(kUnzoom);
  if (state.overlayShown) {
    ShowZoomButtons(false);
    if (m_overlay) {
      m_overlay->ShowWindow(win::SW_SHOW);
      m_overlay->Invalidate(win::FALSE);
    }
  } else {
    RedrawGraphs();
    ShowZoomButtons(true);
    if (m_overlay) m_overlay->ShowWindow(win::SW_HIDE);
  }
  if (m_panel) m_panel->Invalidate(win::FALSE);
  ShowWindowRead(m_model.ReadWindow());
}

win::BOOL CTessialCtrl::OnCommand(win::WPARAM wParam, win::LPARAM lParam)
{
  const win::UINT id = win::LOWORD(wParam);
  if (RunPlaybackCommand(id)) return win::TRUE;
  if (id == kCommandOverlay) {
    ToggleOverlay();
    return win::TRUE;
  }
  if (id >= kCommandFirstZoom && id < kCommandFirstZoom + kMaxSlots) {
    ShowZoomChannel(static_cast<int>(id - kCommandFirstZoom));
    return win::TRUE;
  }
  if (id == kCommandExitZoom) {
    ShowZoomChannel(kUnzoom);
    return win::TRUE;
  }
  return COleControl::OnCommand(wParam, lParam);
}

}  // namespace tessial
