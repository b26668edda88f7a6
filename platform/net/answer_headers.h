#pragma once
// The header lines of an HTTP answer as they arrive, one at a time (libcurl hands each line over
// with its line end): where a redirecting answer sends the request, and where a redirect leads
// from the address that was asked for.

#include <string>
#include <string_view>

namespace vetra::net {

class AnswerHeaders {
public:
  // One header line, its CR LF or LF included. A status line ("HTTP/...") begins a new answer
  // and forgets what an earlier one said.
  void Line(std::string_view line);

  // The Location header's value without the blanks around it; empty when there is none.
  const std::string& Location() const { return m_location; }

private:
  std::string m_location;
};

// The absolute address that `location` names, read relative to `requested`; empty when either
// is no usable address.
std::string ResolveLocation(const std::string& requested, const std::string& location);

}  // namespace vetra::net
