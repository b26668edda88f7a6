#pragma once
// The page host: stands in for the browser control inside the page viewer. It loads a page
// (a local file or an http URL), parses it, runs its scripts, creates the controls its OBJECT
// elements name, delivers their events to the page's handlers, runs the page's timers, and keeps
// the history. It owns no window: the window that shows the page drives it through Navigate,
// Pump and the history commands, and learns of titles, alerts and controls through callbacks.
//
// Driving it from a window:
// - Navigate(address) for the start address and the window's own commands (Stop, GoForward).
// - After each handled message, and when its timer fires, the window calls Pump() and sets its
//   timer again for NextDueMs(), so the page's timers and deferred navigations run on time, and
//   an http page with its http scripts and pictures arrives without the window waiting for it
//   (Loading tells; Stop gives up on what has not come).
// - objectCreated gives a control that the window makes a child window of its own size
//   (ObjectElement WIDTH by HEIGHT) and moves to its laid-out place; objectDestroyed comes
//   before the control is released, when the page is left or the host is destroyed.
// - LayoutSource() and Page() are what the layout reads; Objects() lists the OBJECT elements in
//   document order, each with its element.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ole/ole_control_object.h"
#include "platform/web/dom.h"
#include "platform/web/fetch.h"
#include "platform/web/script_host.h"

namespace vetra::web {

class ScriptEngine;

// An OBJECT element as the page gives it. Texts are system text (code page 949).
struct ObjectElement {
  std::string id;
  std::string classId;  // the CLASSID attribute as written ("clsid:...")
  int width = 0;        // WIDTH and HEIGHT attributes in pixels, 0 when absent
  int height = 0;
  const Node* node = nullptr;  // the element, for the layout
};

struct HostedObject {
  ObjectElement element;
  std::unique_ptr<win::COleControlObject> control;  // nullptr when it could not be created
};

struct PageHostCallbacks {
  // Texts are system text (code page 949).
  std::function<void(const std::string& title)> titleChange;
  std::function<void(const std::string& text)> alert;  // modal: returns when answered
  std::function<void(const std::string& address)> beforeNavigate;
  std::function<void(const std::string& address)> documentComplete;
  // What kind of failure it was; the details went to the trace.
  std::function<void(const std::string& address, FetchFailure reason)> navigateError;
  // Creates the control of an OBJECT element; when empty the control loader is asked.
  std::function<std::unique_ptr<win::COleControlObject>(const ObjectElement&)> createControl;
  // A control was created (its window can be made) / is about to be released (its window goes).
  std::function<void(HostedObject&)> objectCreated;
  std::function<void(HostedObject&)> objectDestroyed;
  // A control's event ran page script outside Navigate and Pump, which may have set timers or
  // asked for a navigation: the window sets its timer again for NextDueMs.
  std::function<void()> scheduleChanged;
};

class PageHost {
public:
  explicit PageHost(PageHostCallbacks callbacks = {});
  ~PageHost();
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  // Leaves the current page and loads `address` (system text): a Windows path on the drive, a
  // Linux path, a file: URL or an http URL. This is the window's own command; what the page
  // itself asks for (its links and its script) is kept from local files when the page came from
  // a server. A file is read at once; an http page arrives while
  // the window goes on (Pump moves its transfer on, Loading tells). False when the page could
  // not be read, or is past what the viewer lays out (kPageLimits: tooLarge), and so is neither
  // shown nor run (navigateError has said why). During page script the navigation waits for
  // the next Pump.
  bool Navigate(const std::string& address);
  // Cancels a navigation that has not started, and stops a page that is arriving: its
  // connection is dropped and navigateError reports the stop.
  void Stop();
  // True while the page or the scripts and pictures it names are on their way: its script runs
  // once they are in.
  bool Loading() const { return m_transfer != nullptr || !m_pendingResources.empty(); }
  // The bytes of a script or picture of the page (system text address): an http one as it
  // arrived with the page (never fetched here, so a window never waits), a file read at once.
  // A page that came from a server reads over http(s) only, as a browser keeps a server's page
  // away from the machine's files: anything else fails, and the trace says so. Each holds at most
  // kMaxPageBytes, and those of one page at most kMaxPageResourceBytes together.
  FetchedPage Resource(const std::string& address) const;
  // Follows a link of the page (system text, as the page writes it). False, with a line in the
  // trace, when a page from a server links to a local file.
  bool FollowLink(const std::string& link);
  bool GoForward();
  bool GoBack();

  // Runs what is due: the page's timers by the system clock, then a navigation the page's
  // script asked for. The window calls it from its timer and after input.
  void Pump();
  // When the next timer falls due (monotonic milliseconds), for the window's timer.
  std::optional<std::uint64_t> NextDueMs() const;

  const std::string& Address() const { return m_address; }
  const std::string& Title() const { return m_title; }  // system text
  const Document& Page() const { return m_document; }
  // The page as the parser read it, written out again (UTF-8): what the layout reads, with
  // none of the page's broken markup left for the layout's own reader to repair.
  const std::string& LayoutSource() const { return m_layoutSource; }
  std::vector<HostedObject>& Objects() { return m_objects; }

  // How long a page's script may run without handing control back (from the next page on); the
  // scripts of one turn (the page's load, one round of timers, one control event) together may
  // run twice that.
  void SetScriptTimeLimit(std::chrono::milliseconds limit) { m_scriptTimeLimit = limit; }

private:
  class Bridge;
  bool Load(const std::string& address);
  // False, with a line in the trace, when the page may not send its window to `address`.
  bool PageMayGoTo(const std::string& address) const;
  bool Show(const std::string& address, AddressKind kind, const FetchedPage& page);
  void FinishTransfer();
  void StartResources();
  void PollResources(int waitMs);
  void CompletePage();
  void LeavePage();
  void RunPage();
  void CreateObject(const Node& element);
  void SetTitle(const std::string& titleCp949);
  void RunDeferred();

  PageHostCallbacks m_callbacks;
  std::unique_ptr<Bridge> m_bridge;
  std::unique_ptr<ScriptEngine> m_engine;
  std::unique_ptr<PageTransfer> m_transfer;  // the http page on its way
  struct PendingResource {
    std::string address;
    std::unique_ptr<PageTransfer> transfer;
  };
  std::vector<PendingResource> m_pendingResources;  // its http scripts and pictures on their way
  std::map<std::string, FetchedPage> m_resources;    // those that arrived (or failed)
  // What the page's http scripts and pictures may still hold together.
  std::shared_ptr<ByteAllowance> m_resourceAllowance = std::make_shared<ByteAllowance>(kMaxPageResourceBytes);
  Document m_document;
  std::string m_layoutSource;
  std::string m_address;
  bool m_pageFromServer = false;  // the page's address is http(s)
  std::string m_title;
  std::vector<HostedObject> m_objects;
  std::vector<std::string> m_history;
  std::size_t m_historyIndex = 0;
  std::optional<std::string> m_pendingNavigation;
  int m_pendingHistoryMove = 0;
  std::chrono::milliseconds m_scriptTimeLimit = kScriptTimeLimit;
};

}  // namespace vetra::web
