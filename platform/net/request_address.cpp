#include "platform/net/request_address.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "platform/base/text.h"

namespace vetra::net {
namespace {

bool IsHostCharacter(unsigned char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
         c == '_';
}

// Bytes that may stand unencoded in a request target.
bool StaysAsIs(unsigned char c)
{
  if (c <= 0x20 || c >= 0x7F) return false;
  switch (c) {
    case '"': case '#': case '<': case '>': case '\\': case '^': case '`': case '{': case '|': case '}':
      return false;
    default:
      return true;
  }
}

}  // namespace

win::INTERNET_PORT EffectivePort(win::INTERNET_PORT requested)
{
  const char* text = std::getenv(kHttpPortOverrideVariable);
  if (text == nullptr || *text == '\0') return requested;
  std::string_view digits(text);
  unsigned value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value == 0 || value > 65535) return requested;
  return static_cast<win::INTERNET_PORT>(value);
}

bool IsValidHostName(std::string_view host)
{
  if (host.empty() || host.size() > 253) return false;
  for (unsigned char c : host) {
    if (!IsHostCharacter(c)) return false;
  }
  return true;
}

std::string RequestTarget(std::string_view object)
{
  std::string target;
  target.reserve(object.size() + 1);
  if (object.empty() || object.front() != '/') target += '/';
  for (std::size_t i = 0; i < object.size(); ++i) {
    const auto c = static_cast<unsigned char>(object[i]);
    // A '%' that starts an escape is one already; a lone '%' is a character of the name.
    const bool startsEscape = c == '%' && i + 2 < object.size() &&
                              std::isxdigit(static_cast<unsigned char>(object[i + 1])) &&
                              std::isxdigit(static_cast<unsigned char>(object[i + 2]));
    if (c == '%' && !startsEscape) {
      target += "%25";
    } else if (StaysAsIs(c)) {
      target += static_cast<char>(c);
    } else {
      target += Format("%%%02X", c);
    }
  }
  return target;
}

std::optional<std::string> RequestUrl(std::string_view host, win::INTERNET_PORT port, std::string_view object)
{
  if (!IsValidHostName(host)) return std::nullopt;
  return "http://" + std::string(host) + ":" + std::to_string(port) + RequestTarget(object);
}

}  // namespace vetra::net
