#include "platform/web/page_host.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ole/control_loader.h"
#include "platform/web/address.h"
#include "platform/web/charset.h"
#include "platform/web/fetch.h"
#include "platform/web/html_writer.h"
#include "platform/web/script_engine.h"

namespace vetra::web {
namespace {

bool IsJavaScript(const Node& script)
{
  auto names = [](const std::string* value) {
    if (value == nullptr || value->empty()) return true;
    const std::string lower = ToLowerAscii(*value);
    return lower.find("javascript") != std::string::npos || lower.find("jscript") != std::string::npos ||
           lower.find("ecmascript") != std::string::npos;
  };
  return names(script.Attribute("language")) && names(script.Attribute("type"));
}

// "NAME(a, b)" of an event attribute: the name and the parameter list.
std::pair<std::string, std::string> SplitEventAttribute(const std::string& text)
{
  const auto open = text.find('(');
  std::string name = text.substr(0, open);
  std::erase_if(name, [](char c) { return c == ' ' || c == '\t'; });
  std::string parameters;
  if (open != std::string::npos) {
    const auto close = text.find(')', open);
    parameters = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  }
  return {name, parameters};
}

// How often a window moves an arriving page on: often enough that a fast page is not kept waiting.
constexpr std::uint64_t kTransferPollMs = 10;

// How long one turn may wait for the network. On screen a moment, so the window stays quick; on
// the virtual clock as long as a turn lasts, so that virtual time does not run ahead of the
// server and give up on a page that is only a little slow.
int TransferWaitMs()
{
  return IsVirtualClock() ? static_cast<int>(kTransferPollMs) : 1;
}

void Trace(const std::string& utf8)
{
  win::OutputDebugStringA(Cp949(utf8 + "\r\n"));
}

}  // namespace

// The page's side of the script engine.
class PageHost::Bridge : public ScriptHost {
public:
  explicit Bridge(PageHost& host) : m_host(host) {}

  void Alert(const std::string& text) override
  {
    const std::string cp949 = Cp949(text);
    if (m_host.m_callbacks.alert) m_host.m_callbacks.alert(cp949);
    else win::OutputDebugStringA("alert: " + cp949 + "\r\n");
  }
  std::string Title() const override { return Utf8(m_host.m_title); }
  void SetTitle(const std::string& title) override { m_host.SetTitle(Cp949(title)); }
  std::string Location() const override { return Utf8(m_host.m_address); }
  void NavigateLater(const std::string& address) override
  {
    std::string target = CombineAddress(m_host.m_address, Cp949(address));
    if (m_host.PageMayGoTo(target)) m_host.m_pendingNavigation = std::move(target);
  }
  void HistoryLater(int delta) override { m_host.m_pendingHistoryMove = delta; }
  win::COleControlObject* ControlAt(std::size_t index) override
  {
    return index < m_host.m_objects.size() ? m_host.m_objects[index].control.get() : nullptr;
  }

private:
  PageHost& m_host;
};

PageHost::PageHost(PageHostCallbacks callbacks)
    : m_callbacks(std::move(callbacks)), m_bridge(std::make_unique<Bridge>(*this))
{
}

PageHost::~PageHost()
{
  m_transfer.reset();
  LeavePage();
}

bool PageHost::Navigate(const std::string& address)
{
  if (m_engine && m_engine->Running()) {
    m_pendingNavigation = address;
    return true;
  }
  if (!m_history.empty()) m_history.resize(m_historyIndex + 1);
  m_history.push_back(address);
  m_historyIndex = m_history.size() - 1;
  m_pendingNavigation.reset();
  const std::string target = address;  // `address` may refer to the pending navigation
  return Load(target);
}

void PageHost::Stop()
{
  m_pendingNavigation.reset();
  m_pendingHistoryMove = 0;
  if (!m_pendingResources.empty()) {
    // The page is in: it shows, and runs, without what had not arrived.
    Trace("Stopped loading the scripts and pictures of " + Utf8(m_address));
    m_pendingResources.clear();
    CompletePage();
    return;
  }
  if (!m_transfer) return;
  m_transfer.reset();
  Trace("Stopped loading " + Utf8(m_address));
  if (m_callbacks.navigateError) m_callbacks.navigateError(m_address, FetchFailure::stopped);
}

bool PageHost::FollowLink(const std::string& link)
{
  const std::string target = CombineAddress(m_address, link);
  return PageMayGoTo(target) && Navigate(target);
}

bool PageHost::PageMayGoTo(const std::string& address) const
{
  if (!m_pageFromServer || ClassifyAddress(address).kind != AddressKind::File) return true;
  Trace("The page " + Utf8(m_address) + " came from a server and may not open the local file " + Utf8(address));
  return false;
}

bool PageHost::GoForward()
{
  if (m_historyIndex + 1 >= m_history.size()) return false;
  if (m_engine && m_engine->Running()) {
    m_pendingHistoryMove = 1;
    return true;
  }
  ++m_historyIndex;
  Load(m_history[m_historyIndex]);
  return true;
}

bool PageHost::GoBack()
{
  if (m_historyIndex == 0 || m_history.empty()) return false;
  if (m_engine && m_engine->Running()) {
    m_pendingHistoryMove = -1;
    return true;
  }
  --m_historyIndex;
  Load(m_history[m_historyIndex]);
  return true;
}

void PageHost::Pump()
{
  // A message box of the page's own script pumps messages; its timers wait until it returns.
  if (m_engine && m_engine->Running()) return;
  if (m_transfer && m_transfer->Poll(TransferWaitMs())) FinishTransfer();
  else if (!m_pendingResources.empty()) PollResources(TransferWaitMs());
  if (m_engine) m_engine->RunDueTimers(MonotonicMs());
  RunDeferred();
}

std::optional<std::uint64_t> PageHost::NextDueMs() const
{
  if (m_pendingNavigation || m_pendingHistoryMove != 0) return MonotonicMs();
  if (Loading()) return MonotonicMs() + kTransferPollMs;
  return m_engine ? m_engine->NextTimerDue() : std::nullopt;
}

void PageHost::RunDeferred()
{
  if (m_pendingNavigation) {
    const std::string address = *m_pendingNavigation;
    m_pendingNavigation.reset();
    m_pendingHistoryMove = 0;
    Navigate(address);
    return;
  }
  const int move = m_pendingHistoryMove;
  m_pendingHistoryMove = 0;
  if (move > 0) GoForward();
  else if (move < 0) GoBack();
}

void PageHost::LeavePage()
{
  // The engine goes first, so no script can reach a control while the controls are released.
  m_engine.reset();
  for (HostedObject& object : m_objects) {
    if (object.control) object.control->ConnectEvents({});
    if (m_callbacks.objectDestroyed) m_callbacks.objectDestroyed(object);
  }
  m_objects.clear();
  m_document = Document();
  m_layoutSource.clear();
  m_pendingResources.clear();
  m_resources.clear();
  m_resourceAllowance = std::make_shared<ByteAllowance>(kMaxPageResourceBytes);
}

bool PageHost::Load(const std::string& address)
{
  m_transfer.reset();  // a page still on its way is given up for this one
  if (m_callbacks.beforeNavigate) m_callbacks.beforeNavigate(address);
  LeavePage();
  m_address = address;
  const PageAddress where = ClassifyAddress(address);
  m_pageFromServer = where.kind == AddressKind::Http;
  if (where.kind == AddressKind::Http) {
    m_transfer = std::make_unique<PageTransfer>(where.url);
    if (m_transfer->Poll()) {
      const FetchedPage page = m_transfer->Result();
      m_transfer.reset();
      return Show(address, where.kind, page);
    }
    return true;
  }
  return Show(address, where.kind, Fetch(where));
}

void PageHost::FinishTransfer()
{
  const FetchedPage page = m_transfer->Result();
  m_transfer.reset();
  Show(m_address, AddressKind::Http, page);
}

bool PageHost::Show(const std::string& address, AddressKind kind, const FetchedPage& page)
{
  if (!page.ok) {
    Trace("Cannot open the page " + Utf8(address) + ": " + page.error);
    if (m_callbacks.navigateError) m_callbacks.navigateError(address, page.failure);
    return false;
  }
  if (kind == AddressKind::Empty) return true;  // an empty page: nothing to show or run
  std::string why;
  std::optional<Document> document = ParseHtml(PageTextToUtf8(page.bytes, page.contentType), &why);
  if (!document) {
    Trace("Cannot lay out the page " + Utf8(address) + ": " + why);
    if (m_callbacks.navigateError) m_callbacks.navigateError(address, FetchFailure::tooLarge);
    return false;
  }
  m_document = std::move(*document);
  m_layoutSource = WriteHtml(m_document);
  const bool hasTitle = m_document.FindFirst("title") != nullptr;
  SetTitle(hasTitle ? Cp949(m_document.Title()) : address);
  StartResources();
  if (m_pendingResources.empty()) CompletePage();
  return true;
}

void PageHost::StartResources()
{
  std::vector<std::string> addresses;
  m_document.ForEachElement([&](const Node& element) {
    const std::string* named = nullptr;
    if (element.IsElement("script") && IsJavaScript(element)) named = element.Attribute("src");
    else if (element.IsElement("img")) named = element.Attribute("src");
    if (named != nullptr && !named->empty()) addresses.push_back(CombineAddress(m_address, Cp949(*named)));
    if (const std::string* background = element.Attribute("background"); background && !background->empty())
      addresses.push_back(CombineAddress(m_address, Cp949(*background)));
  });
  for (const std::string& address : addresses) {
    const PageAddress where = ClassifyAddress(address);
    if (where.kind != AddressKind::Http || m_resources.contains(address)) continue;
    if (std::any_of(m_pendingResources.begin(), m_pendingResources.end(),
                    [&](const PendingResource& pending) { return pending.address == address; }))
      continue;
    m_pendingResources.push_back({address, std::make_unique<PageTransfer>(where.url, m_resourceAllowance)});
  }
  PollResources(0);
}

void PageHost::PollResources(int waitMs)
{
  for (auto it = m_pendingResources.begin(); it != m_pendingResources.end();) {
    // One wait for the network per turn is enough: the others are looked at as they stand.
    const bool arrived = it->transfer->Poll(waitMs);
    waitMs = 0;
    if (!arrived) {
      ++it;
      continue;
    }
    const FetchedPage& result = it->transfer->Result();
    if (!result.ok) Trace("Cannot load " + Utf8(it->address) + ": " + result.error);
    m_resources[it->address] = result;
    it = m_pendingResources.erase(it);
  }
  if (m_pendingResources.empty() && m_engine == nullptr && !m_layoutSource.empty()) CompletePage();
}

void PageHost::CompletePage()
{
  if (m_engine) return;  // it ran already
  RunPage();
  if (m_callbacks.documentComplete) m_callbacks.documentComplete(m_address);
}

FetchedPage PageHost::Resource(const std::string& address) const
{
  if (const auto found = m_resources.find(address); found != m_resources.end()) return found->second;
  const PageAddress where = ClassifyAddress(address);
  if (where.kind == AddressKind::Http) return {false, {}, {}, "not fetched with the page", FetchFailure::unreachable};
  if (m_pageFromServer) {
    Trace("The page " + Utf8(m_address) + " came from a server and may not read " + Utf8(address));
    return {false, {}, {}, "a page from a server reads over http only", FetchFailure::unsupported};
  }
  return Fetch(where);
}

void PageHost::RunPage()
{
  m_engine = std::make_unique<ScriptEngine>(*m_bridge, m_scriptTimeLimit);
  const ScriptEngine::Turn loading(*m_engine);  // the page's scripts share one turn's time
  m_document.ForEachElement([&](const Node& element) {
    if (!element.IsElement("object")) m_engine->BindElement(element);
    if (element.IsElement("script") && element.Attribute("for") && element.Attribute("event") &&
        IsJavaScript(element)) {
      const auto [name, parameters] = SplitEventAttribute(*element.Attribute("event"));
      m_engine->AddEventHandler(*element.Attribute("for"), name, parameters, element.TextContent());
    }
  });

  // OBJECT elements and script blocks in document order, as the page is read.
  std::size_t scriptNumber = 0;
  m_document.ForEachElement([&](const Node& element) {
    if (element.IsElement("object")) {
      CreateObject(element);
      return;
    }
    if (!element.IsElement("script") || element.Attribute("for")) return;
    ++scriptNumber;
    if (!IsJavaScript(element)) {
      Trace("Script block " + std::to_string(scriptNumber) + " is not JavaScript and is skipped");
      return;
    }
    const std::string origin = "script " + std::to_string(scriptNumber);
    if (const std::string* source = element.Attribute("src"); source && !source->empty()) {
      const std::string address = CombineAddress(m_address, Cp949(*source));
      const FetchedPage script = Resource(address);
      if (!script.ok) {
        Trace("Cannot read the script " + Utf8(address) + ": " + script.error);
        return;
      }
      m_engine->Run(PageTextToUtf8(script.bytes, script.contentType), Utf8(address));
      return;
    }
    m_engine->Run(element.TextContent(), origin);
  });

  const Node* body = m_document.FindFirst("body");
  const std::string onload = body != nullptr ? body->AttributeOr("onload") : std::string();
  m_engine->RunInlineHandler(onload, "onload", "body onload");
}

void PageHost::CreateObject(const Node& element)
{
  HostedObject object;
  object.element.id = Cp949(element.AttributeOr("id"));
  object.element.classId = Cp949(element.AttributeOr("classid"));
  object.element.width = std::atoi(element.AttributeOr("width").c_str());
  object.element.height = std::atoi(element.AttributeOr("height").c_str());
  object.element.node = &element;
  std::string error;
  try {
    object.control = m_callbacks.createControl
                         ? m_callbacks.createControl(object.element)
                         : win::ControlLoader::Create(object.element.classId, &error);
  } catch (const std::exception& e) {
    error = e.what();
    object.control.reset();
  }
  if (!object.control) {
    Trace("Cannot create the control " + Utf8(object.element.classId) +
          (error.empty() ? std::string() : ": " + error));
  }

  // As a browser does, a control is scripted only when it declares itself safe for it.
  if (object.control && win::FAILED(object.control->ObjectSafety().SetInterfaceSafetyOptions(
                            win::IID_IDispatch, win::INTERFACESAFE_FOR_UNTRUSTED_CALLER,
                            win::INTERFACESAFE_FOR_UNTRUSTED_CALLER))) {
    Trace("The control " + Utf8(object.element.classId) + " is not safe for scripting");
    object.control.reset();
  }

  const std::size_t index = m_objects.size();
  m_objects.push_back(std::move(object));
  HostedObject& hosted = m_objects.back();
  if (hosted.control) {
    const std::string id = element.AttributeOr("id");
    hosted.control->ConnectEvents(
        [this, id](win::DISPID, std::string_view name, std::span<const win::COleVariant> args) {
          if (!m_engine) return;
          m_engine->DispatchEvent(id, name, args);
          if (m_callbacks.scheduleChanged) m_callbacks.scheduleChanged();
        });
    if (m_callbacks.objectCreated) m_callbacks.objectCreated(hosted);
    m_engine->BindControl(element, index);
  } else {
    m_engine->BindElement(element);
  }
}

void PageHost::SetTitle(const std::string& titleCp949)
{
  m_title = titleCp949;
  if (m_callbacks.titleChange) m_callbacks.titleChange(m_title);
}

}  // namespace vetra::web
