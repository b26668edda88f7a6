#include "platform/net/answer_headers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vetra::net {
namespace {

using namespace std::string_literals;

TEST(AnswerHeaders, TheLocationOfTheLastAnswerWithoutItsBlanks)
{
  const struct {
    const char* what;
    std::vector<std::string> lines;
    std::string location;
  } cases[] = {
      {"plain", {"HTTP/1.1 302 Found\r\n", "Location: /store/run.RES\r\n", "\r\n"}, "/store/run.RES"},
      {"any case, tabs, bare LF", {"HTTP/1.0 301 X\n", "LOCATION:\t http://h/a b \t\n"}, "http://h/a b"},
      {"a later answer forgets it", {"HTTP/1.1 302 Found\r\n", "Location: /a\r\n", "\r\n", "HTTP/1.1 200 OK\r\n"}, ""},
      {"no value", {"HTTP/1.1 302 Found\r\n", "Location:\r\n"}, ""},
      {"another header", {"HTTP/1.1 302 Found\r\n", "Locations: /x\r\n", "X-Location: /y\r\n"}, ""},
  };
  for (const auto& c : cases) {
    AnswerHeaders headers;
    for (const std::string& line : c.lines) headers.Line(line);
    EXPECT_EQ(headers.Location(), c.location) << c.what;
  }
}

TEST(AnswerHeaders, ARedirectIsReadAgainstTheAddressAskedFor)
{
  const std::string asked = "http://127.0.0.1:8080/reports/run.RES?x=1";
  const struct {
    std::string location;
    std::string target;
  } cases[] = {
      {"/store/run.RES", "http://127.0.0.1:8080/store/run.RES"},
      {"../b/c.RES", "http://127.0.0.1:8080/b/c.RES"},
      {"http://other:81/d", "http://other:81/d"},
      {"", ""},
      // A value with a NUL in it is not cut short into another address.
      {"http://other/\0evil"s, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveLocation(asked, c.location), c.target) << c.location;
}

}  // namespace
}  // namespace vetra::net
