#include "platform/net/answer_headers.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace vetra::net {
namespace {

struct UrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

void AnswerHeaders::Line(std::string_view line)
{
  if (line.starts_with("HTTP/")) m_location.clear();  // a new answer's headers begin
  constexpr std::string_view kLocation = "location:";
  if (line.size() <= kLocation.size() || !StartsWithNoCase(line, kLocation)) return;
  std::string_view value = line.substr(kLocation.size());
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' ' || value.back() == '\t'))
    value.remove_suffix(1);
  m_location = value;
}

std::string ResolveLocation(const std::string& requested, const std::string& location)
{
  if (location.empty()) return {};
  // A header value holds no NUL; one that does would be cut short by libcurl's C strings.
  if (location.find('\0') != std::string::npos || requested.find('\0') != std::string::npos) return {};
  std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
  char* target = nullptr;
  if (!url || curl_url_set(url.get(), CURLUPART_URL, requested.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_URL, location.c_str(), 0) != CURLUE_OK ||
      curl_url_get(url.get(), CURLUPART_URL, &target, 0) != CURLUE_OK || target == nullptr) {
    return {};
  }
  std::string resolved = target;
  curl_free(target);
  return resolved;
}

}  // namespace vetra::net
