#include "platform/web/fetch.h"

#include <curl/curl.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/base/regular_file.h"

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

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* user)
{
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

FetchedPage FetchHttp(const std::string& url)
{
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  FetchedPage page;
  std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  if (!curl) {
    page.error = "cannot start an HTTP transfer";
    return page;
  }
  char errorText[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_COOKIEFILE, "");
  if (CURLSH* cookies = SharedCookies()) curl_easy_setopt(curl.get(), CURLOPT_SHARE, cookies);
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 15L);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 60L);
  curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorText);
  // The machine itself is never reached through a proxy; other exceptions stay as configured.
  std::string noProxy = "localhost,127.0.0.1,::1";
  for (const char* name : {"no_proxy", "NO_PROXY"}) {
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
      noProxy += std::string(",") + value;
      break;
    }
  }
  curl_easy_setopt(curl.get(), CURLOPT_NOPROXY, noProxy.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &AppendBody);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &page.bytes);
  const CURLcode result = curl_easy_perform(curl.get());
  if (result != CURLE_OK) {
    page.error = errorText[0] != '\0' ? errorText : curl_easy_strerror(result);
    page.bytes.clear();
    return page;
  }
  long status = 0;
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
  char* contentType = nullptr;
  curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_TYPE, &contentType);
  if (contentType != nullptr) page.contentType = contentType;
  if (status < 200 || status > 299) {
    page.error = "HTTP status " + std::to_string(status);
    page.bytes.clear();
    return page;
  }
  page.ok = true;
  return page;
}

FetchedPage FetchFile(const std::filesystem::path& path)
{
  FetchedPage page;
  std::optional<std::string> bytes = vetra::ReadRegularFile(path);
  if (!bytes) {
    page.error = "cannot open " + path.string();
    return page;
  }
  page.bytes = std::move(*bytes);
  page.ok = true;
  return page;
}

}  // namespace

FetchedPage Fetch(const PageAddress& address)
{
  switch (address.kind) {
    case AddressKind::Http: return FetchHttp(address.url);
    case AddressKind::File: return FetchFile(address.localPath);
    case AddressKind::Empty: return {true, {}, {}, {}};
    case AddressKind::Unsupported: break;
  }
  return {false, {}, {}, "unsupported address " + address.url};
}

}  // namespace vetra::web
