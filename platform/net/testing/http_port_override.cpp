#include <cstdlib>
#include <string>

#include "platform/net/request_address.h"
#include "platform/net/testing/loopback_http_server.h"

namespace vetra::testing {

HttpPortOverride::HttpPortOverride(win::WORD port)
{
  if (const char* previous = std::getenv(net::kHttpPortOverrideVariable)) m_previous = previous;
  ::setenv(net::kHttpPortOverrideVariable, std::to_string(port).c_str(), 1);
}

HttpPortOverride::~HttpPortOverride()
{
  if (m_previous) {
    ::setenv(net::kHttpPortOverrideVariable, m_previous->c_str(), 1);
  } else {
    ::unsetenv(net::kHttpPortOverrideVariable);
  }
}

}  // namespace vetra::testing
