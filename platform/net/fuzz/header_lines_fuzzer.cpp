// The header lines of an HTTP answer as a server may send them: each line read as the transfer
// reads it (a status line, Location), a redirect resolved against the address asked for, and the
// Content-Type's charset read and applied to a page. Nothing may read outside its bytes, and what
// comes back must be what the readers promise.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/base/text.h"
#include "platform/net/answer_headers.h"
#include "platform/web/charset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The answer's headers end at the first blank line; what follows is the page.
  const std::size_t headEnd = input.find("\r\n\r\n");
  const std::string_view head = input.substr(0, headEnd);
  const std::string_view body = headEnd == std::string_view::npos ? std::string_view() : input.substr(headEnd + 4);

  vetra::net::AnswerHeaders headers;
  std::string contentType;
  std::size_t start = 0;
  while (start < head.size()) {
    const std::size_t end = head.find('\n', start);
    const std::string_view line = head.substr(start, end == std::string_view::npos ? std::string_view::npos : end + 1 - start);
    headers.Line(line);
    if (vetra::EqualsNoCase(line.substr(0, 13), "content-type:")) contentType = line.substr(13);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const std::string& location = headers.Location();
  if (!location.empty()) {
    const char last = location.back();
    const char first = location.front();
    if (last == '\r' || last == '\n' || last == ' ' || first == ' ' || first == '\t') std::abort();
  }
  const std::string target = vetra::net::ResolveLocation("http://127.0.0.1:8080/report/page.html?a=1", location);
  if (!target.empty() && target.find("://") == std::string::npos) std::abort();

  const std::string charset = vetra::web::DeclaredCharset(body, contentType);
  for (const char c : charset) {
    if (c >= 'A' && c <= 'Z') std::abort();  // names are compared in lower case
  }
  (void)vetra::web::PageTextToUtf8(body, contentType);
  return 0;
}
