#include "platform/web/html_view.h"

#include <algorithm>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/list_rows.h"
#include "platform/ui/message_box.h"
#include "platform/base/trace.h"
#include "platform/ui/paint.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/system_metrics.h"
#include "platform/web/address.h"
#include "platform/web/error_page.h"
#include "platform/web/page_print.h"

namespace win {
namespace {

constexpr UINT_PTR kPageTimer = 0x5EB;
// Pixels a line of the scroll bar moves the page; the wheel moves three lines a notch.
constexpr int kScrollLine = 20;

}  // namespace

CHtmlView::CHtmlView() = default;

CHtmlView::~CHtmlView()
{
  // The page's controls go while this object is still whole.
  m_host.reset();
}

void CHtmlView::MakeHost()
{
  vetra::web::PageHostCallbacks callbacks;
  callbacks.titleChange = [this](const std::string& title) { OnTitleChange(title); };
  callbacks.alert = [this](const std::string& text) { OnAlert(text); };
  callbacks.beforeNavigate = [this](const std::string& address) {
    m_laidOut = false;
    m_errorPage.clear();
    OnBeforeNavigate2(address);
  };
  callbacks.documentComplete = [this](const std::string& address) {
    EnsureLayout();
    Invalidate();
    OnDocumentComplete(address);
  };
  callbacks.navigateError = [this](const std::string& address, vetra::web::FetchFailure reason) {
    OnNavigateError(address, reason);
  };
  callbacks.objectCreated = [this](vetra::web::HostedObject& object) { ObjectCreated(object); };
  callbacks.objectDestroyed = [](vetra::web::HostedObject& object) {
    if (COleControl* window = ControlWindowOf(object.control.get()); window && window->GetSafeHwnd())
      window->DestroyWindow();
  };
  callbacks.scheduleChanged = [this] { ScheduleTimers(); };
  m_host = std::make_unique<vetra::web::PageHost>(std::move(callbacks));
  // The page's pictures come with the page: an http picture is never fetched while painting.
  m_layout.SetResourceReader([this](const std::string& address) {
    return m_host ? m_host->Resource(address) : vetra::web::FetchedPage{};
  });
}

void CHtmlView::Navigate2(const std::string& address)
{
  if (!m_host) return;
  m_host->Navigate(address);
  ScheduleTimers();
}

void CHtmlView::Stop()
{
  if (!m_host) return;
  m_host->Stop();
  ScheduleTimers();
}

BOOL CHtmlView::GoForward()
{
  if (!m_host) return FALSE;
  const bool moved = m_host->GoForward();
  ScheduleTimers();
  return moved ? TRUE : FALSE;
}

BOOL CHtmlView::GoBack()
{
  if (!m_host) return FALSE;
  const bool moved = m_host->GoBack();
  ScheduleTimers();
  return moved ? TRUE : FALSE;
}

BOOL CHtmlView::ExecPrint()
{
  if (!m_host || GetSafeHwnd() == nullptr || m_host->Address().empty()) return FALSE;  // no document
  // The page as it shows, its controls' pictures included, without the scroll bar.
  CWnd* top = GetTopLevelParent();
  detail::PaintAll();
  const auto surface = top != nullptr ? detail::TopLevelSurface(top->GetSafeHwnd()) : nullptr;
  if (!surface) return FALSE;
  CRect area;
  GetClientRect(&area);
  if (m_scrollBar.GetSafeHwnd() != nullptr && m_scrollBar.IsWindowVisible())
    area.right -= GetSystemMetrics(SM_CXVSCROLL);
  ClientToScreen(&area);
  CRect frame;
  top->GetWindowRect(&frame);
  area.OffsetRect(-frame.left, -frame.top);
  vetra::gdi::Bitmap32 picture(area.Width(), area.Height());
  for (int y = 0; y < area.Height(); ++y)
    for (int x = 0; x < area.Width(); ++x) picture.At(x, y) = surface->Get(area.left + x, area.top + y);

  // The browser's own print dialog comes first: the printer, the copies, the orientation.
  PRINTDLG choice;
  choice.hwndOwner = top->GetSafeHwnd();
  choice.Flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION;
  if (!PrintDlg(&choice) || !choice.hDevMode) return FALSE;  // cancelled: nothing is printed
  std::string error;
  if (!vetra::web::PrintPicture(picture, m_host->Title(), *choice.hDevMode, &error)) {
    OutputDebugStringA("The page could not be printed: " + error + "\r\n");
    // A full disk or a queue that refuses the job: the user hears that nothing was printed.
    top->MessageBox(vetra::web::PrintFailedText().c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  return TRUE;
}

const std::string& CHtmlView::GetLocationURL() const
{
  static const std::string none;
  return m_host ? m_host->Address() : none;
}

void CHtmlView::OnNavigateError(const std::string&, vetra::web::FetchFailure reason)
{
  // A page that cannot be read says so in the view instead of leaving it blank.
  m_errorPage = vetra::web::ErrorPageHtml(reason);
  m_laidOut = false;
  EnsureLayout();
  Invalidate();
}

void CHtmlView::OnAlert(const std::string& text)
{
  MessageBox(text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

int CHtmlView::OnCreate(LPCREATESTRUCT cs)
{
  if (CView::OnCreate(cs) == -1) return -1;
  MakeHost();
  return 0;
}

void CHtmlView::OnDestroy()
{
  KillTimer(kPageTimer);
  m_host.reset();  // leaves the page: its controls' windows go now (OnDestroy of each)
  CView::OnDestroy();
}

void CHtmlView::EnsureLayout()
{
  if (!m_host) return;
  // A page whose scripts and pictures are still on their way shows blank until they are in.
  const bool waiting = m_errorPage.empty() && m_host->Loading();
  if (m_laidOut && (waiting || !m_laidOutBlank)) return;
  m_layout.SetPage(m_errorPage.empty() ? (waiting ? std::string() : m_host->LayoutSource()) : m_errorPage, m_host->Address());
  m_laidOut = true;
  m_laidOutBlank = waiting;
  m_scrollY = 0;
  LayOutForClient();
}

void CHtmlView::LayOutForClient()
{
  CRect client;
  GetClientRect(&client);
  m_layout.Layout(client.Width(), client.Height());
  const vetra::web::Node* body = m_errorPage.empty() && m_host ? m_host->Page().FindFirst("body") : nullptr;
  const bool scrolls = body == nullptr || !vetra::EqualsNoCase(body->AttributeOr("scroll"), "no");
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const bool needsBar = scrolls && m_layout.Height() > client.Height() && client.Width() > bar;
  if (needsBar) {
    m_layout.Layout(client.Width() - bar, client.Height());
    const CRect place(client.right - bar, 0, client.right, client.bottom);
    if (m_scrollBar.GetSafeHwnd() == nullptr) m_scrollBar.Create(WS_CHILD | SBS_VERT, place, this, 1);
    m_scrollBar.MoveWindow(place);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = m_layout.Height() - 1;
    info.nPage = static_cast<UINT>(client.Height());
    m_scrollBar.SetScrollInfo(&info);
    m_scrollBar.ShowWindow(SW_SHOW);
  } else if (m_scrollBar.GetSafeHwnd() != nullptr) {
    m_scrollBar.ShowWindow(SW_HIDE);
  }
  ScrollTo(needsBar ? m_scrollY : 0);
}

void CHtmlView::ScrollTo(int y)
{
  CRect client;
  GetClientRect(&client);
  m_scrollY = std::clamp(y, 0, std::max(0, m_layout.Height() - client.Height()));
  if (m_scrollBar.GetSafeHwnd() != nullptr) m_scrollBar.SetScrollPos(m_scrollY);
  PlaceControls();
  Invalidate();
}

void CHtmlView::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
  if (bar != &m_scrollBar) {
    CView::OnVScroll(code, pos, bar);
    return;
  }
  CRect client;
  GetClientRect(&client);
  switch (code) {
    case SB_LINEUP: ScrollTo(m_scrollY - kScrollLine); break;
    case SB_LINEDOWN: ScrollTo(m_scrollY + kScrollLine); break;
    case SB_PAGEUP: ScrollTo(m_scrollY - client.Height()); break;
    case SB_PAGEDOWN: ScrollTo(m_scrollY + client.Height()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The track position from the bar itself: the message's word is too short for long pages.
      SCROLLINFO info;
      ScrollTo(m_scrollBar.GetScrollInfo(&info, SIF_TRACKPOS) ? info.nTrackPos : static_cast<int>(pos));
      break;
    }
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(m_layout.Height()); break;
    default: break;
  }
}

void CHtmlView::ObjectCreated(vetra::web::HostedObject& object)
{
  COleControl* window = ControlWindowOf(object.control.get());
  if (window == nullptr || !m_host) return;
  EnsureLayout();
  const std::size_t index = m_host->Objects().empty() ? 0 : m_host->Objects().size() - 1;
  const auto& places = m_layout.ObjectPlaces();
  CRect place = index < places.size()
                    ? places[index]
                    : CRect(0, 0, std::max(object.element.width, 0), std::max(object.element.height, 0));
  place.OffsetRect(0, -m_scrollY);
  window->CreateControlWindow(this, place);
}

void CHtmlView::PlaceControls()
{
  if (!m_host) return;
  const auto& places = m_layout.ObjectPlaces();
  std::size_t index = 0;
  for (vetra::web::HostedObject& object : m_host->Objects()) {
    COleControl* window = ControlWindowOf(object.control.get());
    if (window != nullptr && window->GetSafeHwnd() != nullptr && index < places.size()) {
      const CRect& r = places[index];
      window->MoveWindow(r.left, r.top - m_scrollY, r.Width(), r.Height());
    }
    ++index;
  }
}

void CHtmlView::OnPaint()
{
  CPaintDC dc(this);
  EnsureLayout();
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, RGB(255, 255, 255));
  CRect area(dc.m_ps.rcPaint);
  area.OffsetRect(0, m_scrollY);
  dc.SetViewportOrg(0, -m_scrollY);
  m_layout.Paint(dc, area);
}

BOOL CHtmlView::OnEraseBkgnd(CDC*) { return TRUE; }  // the paint covers the whole view

void CHtmlView::OnSize(UINT type, int cx, int cy)
{
  CView::OnSize(type, cx, cy);
  if (m_laidOut) LayOutForClient();
}

void CHtmlView::ScheduleTimers()
{
  if (!m_host || GetSafeHwnd() == nullptr) return;
  const auto due = m_host->NextDueMs();
  if (!due) {
    KillTimer(kPageTimer);
    return;
  }
  const std::uint64_t now = vetra::MonotonicMs();
  const UINT delay = *due > now ? static_cast<UINT>(std::min<std::uint64_t>(*due - now, 0x7FFFFFFF)) : 1;
  SetTimer(kPageTimer, delay);
}

void CHtmlView::OnTimer(UINT_PTR id)
{
  if (id != kPageTimer) {
    CView::OnTimer(id);
    return;
  }
  KillTimer(kPageTimer);
  if (m_host) m_host->Pump();
  ScheduleTimers();
}

void CHtmlView::OnMouseMove(UINT flags, CPoint point)
{
  CView::OnMouseMove(flags, point);
  m_overLink = m_laidOut && m_layout.LinkAt({point.x, point.y + m_scrollY}).has_value();
  if (m_overLink) SetCursor(LoadCursor(nullptr, IDC_HAND));
}

BOOL CHtmlView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
  if (wnd == this && hitTest == HTCLIENT && m_overLink) {
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return TRUE;
  }
  return CView::OnSetCursor(wnd, hitTest, message);
}

void CHtmlView::OnLButtonDown(UINT flags, CPoint point)
{
  CView::OnLButtonDown(flags, point);
  SetFocus();  // a click on the page gives it the keys back
}

void CHtmlView::OnKeyDown(UINT vk, UINT repeat, UINT flags)
{
  // Tab hands the keys to the page's first control, Shift+Tab to its last one.
  if (vk == VK_TAB && m_host) {
    std::vector<COleControl*> controls;
    for (vetra::web::HostedObject& object : m_host->Objects()) {
      COleControl* window = ControlWindowOf(object.control.get());
      if (window != nullptr && window->GetSafeHwnd() != nullptr && window->IsWindowVisible()) controls.push_back(window);
    }
    if (!controls.empty()) {
      (GetKeyState(VK_SHIFT) < 0 ? controls.back() : controls.front())->SetFocus();
      return;
    }
  }
  const bool scrolls = m_scrollBar.GetSafeHwnd() != nullptr && m_scrollBar.IsWindowVisible();
  UINT code = 0xFFFF;
  switch (vk) {
    case VK_UP: code = SB_LINEUP; break;
    case VK_DOWN: code = SB_LINEDOWN; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: break;
  }
  if (!scrolls || code == 0xFFFF) {
    CView::OnKeyDown(vk, repeat, flags);
    return;
  }
  OnVScroll(code, 0, &m_scrollBar);
}

BOOL CHtmlView::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
  if (m_scrollBar.GetSafeHwnd() == nullptr || !m_scrollBar.IsWindowVisible()) return CView::OnMouseWheel(flags, delta, screenPoint);
  ScrollTo(m_scrollY + detail::WheelRows(delta, m_wheelRest) * kScrollLine);
  return TRUE;
}

void CHtmlView::OnLButtonUp(UINT flags, CPoint point)
{
  CView::OnLButtonUp(flags, point);
  if (!m_host || !m_laidOut) return;
  const auto link = m_layout.LinkAt({point.x, point.y + m_scrollY});
  if (!link || vetra::EqualsNoCase(link->substr(0, 11), "javascript:")) return;
  m_host->FollowLink(vetra::Cp949(*link));
  ScheduleTimers();
}

}  // namespace win
