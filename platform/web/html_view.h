#pragma once
// The HTML view: a view window that shows a page through the page host. It lays the page out
// and paints it, makes each created control a child window at its OBJECT element's place,
// destroys those windows when the page is left or the view goes, runs the page's timers on the
// window timer, shows the page's alerts as message boxes, follows links that are clicked, and
// scrolls a page longer than the view (its scroll bar, the wheel anywhere over the page and its
// controls, or the arrow and page keys), and hands the keys to the page's controls with Tab.
//
// A program's view derives from it and overrides the On... notifications it cares about.

#include <memory>
#include <string>

#include "platform/ui/frame.h"
#include "platform/ui/scroll_bar.h"
#include "platform/web/page_host.h"
#include "platform/web/page_layout.h"

namespace win {

class CHtmlView : public CView {
public:
  CHtmlView();
  ~CHtmlView() override;

  // Starts loading `address` (system text): a path on the drive, a Linux path, a file: URL or an
  // http URL. Nothing happens before the window exists.
  void Navigate2(const std::string& address);
  void Stop();
  BOOL GoForward();
  BOOL GoBack();
  // Prints the page as it shows after the print dialog (printer, copies, orientation); FALSE when
  // there is no page, the dialog was cancelled or the page could not be printed.
  BOOL ExecPrint();

  // The page as the view shows it (for tests and the program's commands).
  vetra::web::PageHost* PageHost() { return m_host.get(); }
  const vetra::web::PageLayout& Layout() const { return m_layout; }
  const std::string& GetLocationURL() const;

protected:
  // The page's notifications: its title (system text), the start and end of a navigation, and
  // a page that could not be read.
  virtual void OnTitleChange(const std::string& text) { (void)text; }
  virtual void OnBeforeNavigate2(const std::string& address) { (void)address; }
  virtual void OnDocumentComplete(const std::string& address) { (void)address; }
  virtual void OnNavigateError(const std::string& address, vetra::web::FetchFailure reason);
  // The page's alert: a message box with the program's title.
  virtual void OnAlert(const std::string& text);

  int OnCreate(LPCREATESTRUCT cs) override;
  void OnDestroy() override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC* dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnTimer(UINT_PTR id) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnKeyDown(UINT vk, UINT repeat, UINT flags) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
  void MakeHost();
  void EnsureLayout();
  // Lays the page out for the view's size: a page longer than the view gets a scroll bar unless
  // its body says scroll=no.
  void LayOutForClient();
  void ScrollTo(int y);
  void PlaceControls();
  void ObjectCreated(vetra::web::HostedObject& object);
  void ScheduleTimers();

  std::unique_ptr<vetra::web::PageHost> m_host;
  vetra::web::PageLayout m_layout;
  bool m_laidOut = false;
  bool m_laidOutBlank = false;  // laid out blank while the page was on its way
  CScrollBar m_scrollBar;
  int m_scrollY = 0;  // page pixels above the view's top
  int m_wheelRest = 0;  // part turns of the wheel not yet a line
  bool m_overLink = false;  // the pointer is over a link: the hand shows
  std::string m_errorPage;  // shown in place of a page that could not be read (UTF-8)
};

}  // namespace win
