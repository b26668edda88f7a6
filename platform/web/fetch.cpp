#include "platform/web/fetch.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/base/regular_file.h"
#include "platform/base/unique_file.h"

namespace vetra::web {
namespace {

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

// Cookies live for the process, as a browser keeps a session's cookies across its pages: a
// report server's session survives from one page to the next.
CURLSH* SharedCookies()
{
  static CURLSH* share = [] {
    CURLSH* created = curl_share_init();
    if (created != nullptr) curl_share_setopt(created, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    return created;
  }();
  return share;
}

std::string Megabytes(std::size_t bytes)
{
  return std::to_string(bytes / (1024 * 1024)) + " MB";
}

std::string TooLargeText()
{
  return "larger than a page may be (" + Megabytes(kMaxPageBytes) + ")";
}

FetchFailure FailureOf(CURLcode result)
{
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT: return FetchFailure::timedOut;
    case CURLE_FILESIZE_EXCEEDED: return FetchFailure::tooLarge;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT: return FetchFailure::unsupported;
    default: return FetchFailure::unreachable;
  }
}

// One HTTP GET as the viewer makes it, on an easy handle that a blocking call or a multi handle
// drives. libcurl keeps the addresses of its error text and page: it stays where it was made.
struct HttpRequest {
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;

  std::unique_ptr<CURL, CurlDeleter> curl;
  std::string noProxy;
  char errorText[CURL_ERROR_SIZE] = {};
  FetchedPage page;
  std::shared_ptr<ByteAllowance> shared;  // what the body's bytes are also taken from, if set
  std::size_t takenFromShared = 0;
  std::string tooLarge;  // why the body was refused, once it was

  explicit HttpRequest(const std::string& url, std::shared_ptr<ByteAllowance> allowance = nullptr)
      : curl(curl_easy_init()), shared(std::move(allowance))
  {
    if (!curl) return;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    // A page's address is http or https, and so is every address a server sends it on to: a
    // redirect never opens a connection of another kind, nor a file.
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // An answer whose length is already past the limit is refused before its body comes.
    curl_easy_setopt(curl.get(), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxPageBytes));
    curl_easy_setopt(curl.get(), CURLOPT_COOKIEFILE, "");
    if (CURLSH* cookies = SharedCookies()) curl_easy_setopt(curl.get(), CURLOPT_SHARE, cookies);
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 15L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorText);
    // The machine itself is never reached through a proxy; other exceptions stay as configured.
    noProxy = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
      if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
        noProxy += std::string(",") + value;
        break;
      }
    }
    curl_easy_setopt(curl.get(), CURLOPT_NOPROXY, noProxy.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &HttpRequest::ReceiveBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, this);
  }

  ~HttpRequest()
  {
    if (!page.ok) DropBody();
  }

  // A piece of the body, kept while it stays within the limits. Anything short of the whole
  // piece makes libcurl end the transfer and drop its connection: an answer that never ends
  // stops at the limit.
  static std::size_t ReceiveBody(char* data, std::size_t size, std::size_t count, void* user)
  {
    auto& self = *static_cast<HttpRequest*>(user);
    const std::size_t bytes = size * count;
    if (bytes > kMaxPageBytes - self.page.bytes.size()) {
      self.tooLarge = TooLargeText();
      return 0;
    }
    if (self.shared) {
      if (!self.shared->Take(bytes)) {
        self.tooLarge = "more than the scripts and pictures of one page may hold together (" +
                        Megabytes(kMaxPageResourceBytes) + ")";
        return 0;
      }
      self.takenFromShared += bytes;
    }
    self.page.bytes.append(data, bytes);
    return bytes;
  }

  // Lets the body go, and what it took from the shared allowance with it.
  void DropBody()
  {
    page.bytes = std::string();
    if (shared) shared->GiveBack(takenFromShared);
    takenFromShared = 0;
  }

  // The page once the transfer has ended with `result`.
  void Finish(CURLcode result)
  {
    if (result != CURLE_OK) {
      page.error = !tooLarge.empty()                   ? tooLarge
                   : result == CURLE_FILESIZE_EXCEEDED ? TooLargeText()
                   : errorText[0] != '\0'              ? std::string(errorText)
                                                       : std::string(curl_easy_strerror(result));
      page.failure = !tooLarge.empty() ? FetchFailure::tooLarge : FailureOf(result);
      DropBody();
      return;
    }
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    char* contentType = nullptr;
    curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_TYPE, &contentType);
    if (contentType != nullptr) page.contentType = contentType;
    if (status < 200 || status > 299) {
      page.error = "HTTP status " + std::to_string(status);
      page.failure = FetchFailure::refused;
      DropBody();
      return;
    }
    page.ok = true;
  }
};

void InitialiseCurl()
{
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

FetchedPage FetchHttp(const std::string& url)
{
  InitialiseCurl();
  HttpRequest request(url);
  if (!request.curl) return {false, {}, {}, "cannot start an HTTP transfer", FetchFailure::unreachable};
  request.Finish(curl_easy_perform(request.curl.get()));
  return std::move(request.page);
}

// A local file, read only as far as a page may hold.
FetchedPage FetchFile(const std::filesystem::path& path)
{
  FetchedPage page;
  const vetra::UniqueFile file(vetra::FopenRegularFile(path, "rb"));
  char block[65536];
  while (file) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    if (got > kMaxPageBytes - page.bytes.size()) {
      return {false, {}, {}, path.string() + " is " + TooLargeText(), FetchFailure::tooLarge};
    }
    page.bytes.append(block, got);
    if (got < sizeof block) break;
  }
  if (!file || std::ferror(file.get())) {
    return {false, {}, {}, "cannot open " + path.string(), FetchFailure::notFound};
  }
  page.ok = true;
  return page;
}

}  // namespace

bool ByteAllowance::Take(std::size_t bytes)
{
  if (bytes > m_left) return false;
  m_left -= bytes;
  return true;
}

FetchedPage Fetch(const PageAddress& address)
{
  switch (address.kind) {
    case AddressKind::Http: return FetchHttp(address.url);
    case AddressKind::File: return FetchFile(address.localPath);
    case AddressKind::Empty: return {true, {}, {}, {}};
    case AddressKind::Unsupported: break;
  }
  return {false, {}, {}, "unsupported address " + address.url, FetchFailure::unsupported};
}

struct PageTransfer::Curl {
  CURLM* multi = nullptr;
  HttpRequest request;
  bool done = false;

  Curl(const std::string& url, std::shared_ptr<ByteAllowance> shared) : request(url, std::move(shared))
  {
    multi = curl_multi_init();
    if (multi == nullptr || !request.curl || curl_multi_add_handle(multi, request.curl.get()) != CURLM_OK) {
      request.page = {false, {}, {}, "cannot start an HTTP transfer", FetchFailure::unreachable};
      done = true;
    }
  }
  ~Curl()
  {
    if (multi == nullptr) return;
    // Removing an unfinished transfer and cleaning its handle up closes its connection.
    if (request.curl) curl_multi_remove_handle(multi, request.curl.get());
    request.curl.reset();
    curl_multi_cleanup(multi);
  }
};

PageTransfer::PageTransfer(const std::string& url, std::shared_ptr<ByteAllowance> shared)
{
  InitialiseCurl();
  m_curl = std::make_unique<Curl>(url, std::move(shared));
}

PageTransfer::~PageTransfer() = default;

bool PageTransfer::Poll(int waitMs)
{
  Curl& c = *m_curl;
  if (c.done) return true;
  if (waitMs > 0) curl_multi_wait(c.multi, nullptr, 0, waitMs, nullptr);
  int running = 0;
  curl_multi_perform(c.multi, &running);
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(c.multi, &left)) {
    if (message->msg != CURLMSG_DONE) continue;
    c.request.Finish(message->data.result);
    c.done = true;
  }
  return c.done;
}

const FetchedPage& PageTransfer::Result() const
{
  return m_curl->request.page;
}

}  // namespace vetra::web
