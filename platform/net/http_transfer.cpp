#include "platform/net/http_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <string_view>

#include "platform/net/answer_headers.h"
#include "platform/net/internet_constants.h"
#include "platform/net/internet_exception.h"

namespace vetra::net {
namespace {

using Clock = std::chrono::steady_clock;

void InitialiseCurlOnce()
{
  static const bool initialised = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
  if (!initialised) throw win::CInternetException(win::ERROR_INTERNET_INTERNAL_ERROR);
}

win::DWORD ErrorFor(CURLcode code)
{
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT: return win::ERROR_INTERNET_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return win::ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return win::ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL: return win::ERROR_INTERNET_INVALID_URL;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR: return win::ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING: return win::ERROR_HTTP_INVALID_SERVER_RESPONSE;
    default: return win::ERROR_INTERNET_INTERNAL_ERROR;
  }
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

struct HttpTransfer::Impl {
  explicit Impl(TransferSettings s) : settings(std::move(s)) {}

  ~Impl()
  {
    if (attached) curl_multi_remove_handle(multi.get(), easy.get());
  }

  TransferSettings settings;
  // Declared so that the request goes first, then the header list it points to, then the multi.
  std::unique_ptr<CURLM, MultiDeleter> multi;
  std::unique_ptr<curl_slist, ListDeleter> headers;
  std::unique_ptr<CURL, EasyDeleter> easy;
  bool attached = false;

  long status = 0;
  // The answer's header lines; its Location is kept as it comes: libcurl tells the redirect
  // address only once the whole answer is in, and the answer's headers are all the caller waits for.
  AnswerHeaders answerHeaders;
  bool headersDone = false;
  bool done = false;
  CURLcode result = CURLE_OK;

  // Received body bytes; those before readOffset were handed out already.
  std::string pending;
  std::size_t readOffset = 0;
  bool paused = false;

  std::size_t Unread() const { return pending.size() - readOffset; }

  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user)
  {
    auto& self = *static_cast<Impl*>(user);
    const std::size_t bytes = size * count;
    // Hold back when the caller lags behind; the chunk is offered again after resuming.
    if (self.Unread() > 0 && self.Unread() + bytes > kMaxBuffered) {
      self.paused = true;
      return CURL_WRITEFUNC_PAUSE;
    }
    if (self.readOffset > 0) {
      self.pending.erase(0, self.readOffset);
      self.readOffset = 0;
    }
    self.pending.append(data, bytes);
    return bytes;
  }

  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user)
  {
    auto& self = *static_cast<Impl*>(user);
    const std::size_t bytes = size * count;
    const bool blankLine = (bytes == 2 && data[0] == '\r' && data[1] == '\n') || (bytes == 1 && data[0] == '\n');
    self.answerHeaders.Line(std::string_view(data, bytes));
    if (blankLine) {
      long code = 0;
      curl_easy_getinfo(self.easy.get(), CURLINFO_RESPONSE_CODE, &code);
      // An interim answer (100 Continue and the like) is followed by the real one.
      if (code >= 200) {
        self.status = code;
        self.headersDone = true;
      }
    }
    return bytes;
  }

  void Configure()
  {
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, settings.url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // The object path is sent exactly as given; the server decides what "/../" means.
    curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);
    // Redirects are followed by HttpTransfer::Start, one request per address, so that each
    // answer's status and headers are seen whole.
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connectTimeout.count()));
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Impl::OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Impl::OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
    // The preconfigured access follows the environment's proxy settings, but a server on this
    // machine is always reached directly.
    std::string noProxy = "localhost,127.0.0.0/8,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
      if (const char* listed = std::getenv(name); listed != nullptr && *listed != '\0') {
        noProxy = noProxy + "," + listed;
        break;
      }
    }
    curl_easy_setopt(e, CURLOPT_NOPROXY, noProxy.c_str());
    if (!settings.userAgent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, settings.userAgent.c_str());
    if (!settings.referer.empty()) curl_easy_setopt(e, CURLOPT_REFERER, settings.referer.c_str());
    if (!settings.accept.empty()) AddHeader("Accept: " + settings.accept);
    if (settings.noCache) {
      AddHeader("Cache-Control: no-cache");
      AddHeader("Pragma: no-cache");
    }
    if (headers) curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
  }

  void AddHeader(const std::string& line)
  {
    curl_slist* list = curl_slist_append(headers.get(), line.c_str());
    if (list == nullptr) throw win::CInternetException(win::ERROR_INTERNET_INTERNAL_ERROR);
    headers.release();
    headers.reset(list);
  }

  // Lets libcurl move the transfer on without waiting, and notes its end.
  void Perform()
  {
    int running = 0;
    curl_multi_perform(multi.get(), &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
      if (message->msg == CURLMSG_DONE) {
        done = true;
        result = message->data.result;
      }
    }
  }

  // Waits for network activity, at most until the deadline.
  void WaitUntil(Clock::time_point deadline)
  {
    auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    int timeoutMs = static_cast<int>(std::clamp<decltype(remaining)>(remaining, 1, INT_MAX));
    curl_multi_poll(multi.get(), nullptr, 0, timeoutMs, nullptr);
  }

  bool Connected() const
  {
    curl_off_t connectTime = 0;
    return curl_easy_getinfo(easy.get(), CURLINFO_CONNECT_TIME_T, &connectTime) == CURLE_OK && connectTime > 0;
  }

  // The address a redirecting answer sends the request on to; empty for any other answer.
  std::string RedirectTarget() const
  {
    switch (status) {
      case 301: case 302: case 303: case 307: case 308: break;
      default: return {};
    }
    // Resolved against the address asked for, as a relative Location is meant.
    return ResolveLocation(settings.url, answerHeaders.Location());
  }

  // Sends the request and waits for the answer's status line and headers.
  void Begin()
  {
    InitialiseCurlOnce();
    multi.reset(curl_multi_init());
    easy.reset(curl_easy_init());
    if (!multi || !easy) throw win::CInternetException(win::ERROR_INTERNET_INTERNAL_ERROR);
    Configure();
    if (curl_multi_add_handle(multi.get(), easy.get()) != CURLM_OK) {
      throw win::CInternetException(win::ERROR_INTERNET_INTERNAL_ERROR);
    }
    attached = true;

    // The connect timeout covers reaching the server; from then on the answer has the receive
    // timeout to come.
    auto deadline = Clock::now() + settings.connectTimeout + settings.receiveTimeout;
    bool connected = false;
    for (;;) {
      Perform();
      if (headersDone) return;
      if (!connected && Connected()) {
        connected = true;
        deadline = std::min(deadline, Clock::now() + settings.receiveTimeout);
      }
      if (done) {
        throw win::CInternetException(result == CURLE_OK ? win::ERROR_HTTP_INVALID_SERVER_RESPONSE : ErrorFor(result));
      }
      if (Clock::now() >= deadline) throw win::CInternetException(win::ERROR_INTERNET_TIMEOUT);
      WaitUntil(deadline);
    }
  }

  std::size_t TakeBuffered(char* out, std::size_t size)
  {
    std::size_t count = std::min(size, Unread());
    if (count > 0) std::memcpy(out, pending.data() + readOffset, count);
    readOffset += count;
    if (readOffset == pending.size()) {
      pending.clear();
      readOffset = 0;
    }
    return count;
  }
};

HttpTransfer::HttpTransfer(TransferSettings settings) : m_impl(std::make_unique<Impl>(std::move(settings))) {}

HttpTransfer::~HttpTransfer() = default;

void HttpTransfer::Start()
{
  if (m_impl->attached) throw win::CInternetException(win::ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  // Like the platform's own request, an answer that sends the request elsewhere is followed,
  // a bounded number of times, and the caller sees the final answer only.
  for (int redirects = 0;; ++redirects) {
    m_impl->Begin();
    std::string target = m_impl->RedirectTarget();
    if (target.empty()) return;
    if (redirects == kMaxRedirects) throw win::CInternetException(win::ERROR_HTTP_REDIRECT_FAILED);
    TransferSettings next = m_impl->settings;
    next.url = std::move(target);
    m_impl = std::make_unique<Impl>(std::move(next));
  }
}

long HttpTransfer::Status() const
{
  return m_impl->status;
}

std::size_t HttpTransfer::Buffered() const
{
  return m_impl->Unread();
}

std::size_t HttpTransfer::Read(void* buffer, std::size_t size)
{
  Impl& s = *m_impl;
  if (!s.headersDone) throw win::CInternetException(win::ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  if (size == 0) return 0;

  char* out = static_cast<char*>(buffer);
  std::size_t filled = 0;
  const auto deadline = Clock::now() + s.settings.receiveTimeout;
  for (;;) {
    filled += s.TakeBuffered(out + filled, size - filled);
    if (filled == size) return size;
    if (s.done) {
      // What is still missing will not come; only a clean end makes this a short read.
      if (s.result != CURLE_OK) throw win::CInternetException(ErrorFor(s.result));
      return filled;
    }
    // The whole piece must come within the receive timeout, however the bytes trickle in.
    if (Clock::now() >= deadline) throw win::CInternetException(win::ERROR_INTERNET_TIMEOUT);
    if (s.paused) {
      // Everything held was handed out: let the transfer deliver its next chunk.
      s.paused = false;
      curl_easy_pause(s.easy.get(), CURLPAUSE_CONT);
      continue;
    }
    s.Perform();
    if (s.Unread() > 0 || s.done) continue;
    s.WaitUntil(deadline);
  }
}

}  // namespace vetra::net
