#include "platform/net/request_address.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/base/text.h"

namespace vetra::net {
namespace {

TEST(RequestAddress, ObjectPathsBecomeRequestTargets)
{
  const struct {
    std::string object;
    std::string target;
  } cases[] = {
      {"Data/a.res", "/Data/a.res"},
      {"/Data/a.res", "/Data/a.res"},
      {"", "/"},
      {"a b#c\\d", "/a%20b%23c%5Cd"},
      {"already%20encoded?x=1&y=2", "/already%20encoded?x=1&y=2"},
      {"100%.zip", "/100%25.zip"},
      {"a%4", "/a%254"},
      {"a%4g", "/a%254g"},
      {Cp949("자료/한글.zip"), "/%C0%DA%B7%E1/%C7%D1%B1%DB.zip"},
      {std::string("a\r\nb\x7F", 5), "/a%0D%0Ab%7F"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RequestTarget(c.object), c.target) << c.object;
  }
}

TEST(RequestAddress, OnlyPlainHostNamesMakeAnAddress)
{
  const struct {
    std::string host;
    bool valid;
  } cases[] = {
      {"127.0.0.1", true},   {"report.example-server.co.kr", true}, {"my_host", true},
      {"", false},           {"host:8080", false},                  {"host/path", false},
      {"user@host", false},  {" host", false},                      {std::string(254, 'a'), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidHostName(c.host), c.valid) << c.host;
    EXPECT_EQ(RequestUrl(c.host, 80, "x").has_value(), c.valid) << c.host;
  }
  EXPECT_EQ(RequestUrl("10.1.2.3", 80, "Data/a.res"), "http://10.1.2.3:80/Data/a.res");
}

TEST(RequestAddress, PortOverrideOnlyTakesAValidPort)
{
  const struct {
    const char* value;
    win::INTERNET_PORT port;
  } cases[] = {
      {nullptr, 80}, {"", 80}, {"8080", 8080}, {"65535", 65535}, {"0", 80}, {"65536", 80}, {"80x", 80}, {"-1", 80},
  };
  for (const auto& c : cases) {
    if (c.value) {
      ::setenv(kHttpPortOverrideVariable, c.value, 1);
    } else {
      ::unsetenv(kHttpPortOverrideVariable);
    }
    EXPECT_EQ(EffectivePort(80), c.port) << (c.value ? c.value : "(unset)");
  }
  ::unsetenv(kHttpPortOverrideVariable);
}

}  // namespace
}  // namespace vetra::net
