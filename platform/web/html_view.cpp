#include "platform/web/html_view.h"

#include <algorithm>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/ole/ole_control.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/web/address.h"

namespace win {
namespace {

constexpr UINT_PTR kPageTimer = 0x5EB;

std::string HtmlText(const std::string& utf8)
{
  std::string out;
  for (const char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c; break;
    }
  }
  return out;
}

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
  callbacks.navigateError = [this](const std::string& address, const std::string& reason) {
    OnNavigateError(address, reason);
  };
  callbacks.objectCreated = [this](vetra::web::HostedObject& object) { ObjectCreated(object); };
  callbacks.objectDestroyed = [](vetra::web::HostedObject& object) {
    if (COleControl* window = ControlWindowOf(object.control.get()); window && window->GetSafeHwnd())
      window->DestroyWindow();
  };
  callbacks.scheduleChanged = [this] { ScheduleTimers(); };
  m_host = std::make_unique<vetra::web::PageHost>(std::move(callbacks));
}

void CHtmlView::Navigate2(const std::string& address)
{
  if (!m_host) return;
  m_host->Navigate(address);
  ScheduleTimers();
}

void CHtmlView::Stop()
{
  if (m_host) m_host->Stop();
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
  // No printing on this system yet.
  return FALSE;
}

const std::string& CHtmlView::GetLocationURL() const
{
  static const std::string none;
  return m_host ? m_host->Address() : none;
}

void CHtmlView::OnNavigateError(const std::string& address, const std::string& reason)
{
  // A page that cannot be read says so in the view instead of leaving it blank.
  m_errorPage = "<html><body><h3>" + HtmlText("페이지를 표시할 수 없습니다.") + "</h3><p>" +
                HtmlText(vetra::Utf8(address)) + "</p><p>" + HtmlText(vetra::Utf8(reason)) +
                "</p></body></html>";
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
  if (m_laidOut || !m_host) return;
  CRect client;
  GetClientRect(&client);
  m_layout.SetPage(m_errorPage.empty() ? m_host->PageSource() : m_errorPage, m_host->Address());
  m_layout.Layout(client.Width(), client.Height());
  m_laidOut = true;
}

void CHtmlView::ObjectCreated(vetra::web::HostedObject& object)
{
  COleControl* window = ControlWindowOf(object.control.get());
  if (window == nullptr || !m_host) return;
  EnsureLayout();
  const std::size_t index = m_host->Objects().empty() ? 0 : m_host->Objects().size() - 1;
  const auto& places = m_layout.ObjectPlaces();
  const CRect place = index < places.size()
                          ? places[index]
                          : CRect(0, 0, std::max(object.element.width, 0), std::max(object.element.height, 0));
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
      window->MoveWindow(r.left, r.top, r.Width(), r.Height());
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
  m_layout.Paint(dc, dc.m_ps.rcPaint);
}

BOOL CHtmlView::OnEraseBkgnd(CDC*) { return TRUE; }  // the paint covers the whole view

void CHtmlView::OnSize(UINT type, int cx, int cy)
{
  CView::OnSize(type, cx, cy);
  if (!m_laidOut) return;
  m_layout.Layout(cx, cy);
  PlaceControls();
  Invalidate();
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

void CHtmlView::OnLButtonUp(UINT flags, CPoint point)
{
  CView::OnLButtonUp(flags, point);
  if (!m_host || !m_laidOut) return;
  const auto link = m_layout.LinkAt(point);
  if (!link || vetra::EqualsNoCase(link->substr(0, 11), "javascript:")) return;
  Navigate2(vetra::web::CombineAddress(m_host->Address(), vetra::Cp949(*link)));
}

}  // namespace win
