#include "platform/base/plain_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/base/text.h"

namespace vetra {
namespace {

TEST(PlainFileName, AcceptsOnlyNamesThatStayInTheFolder)
{
  struct Case { std::string name; bool plain; };
  const Case cases[] = {
      {"1234Temp.Osc", true},
      {Cp949("녹화 1.Osc"), true},
      {".hidden", true},
      {std::string(kMaxPlainFileNameBytes, 'a'), true},
      {std::string(kMaxPlainFileNameBytes + 1, 'a'), false},
      {"", false},
      {".", false},
      {"..", false},
      {"..\\keep.Osc", false},
      {"a..b", false},
      {"a/b", false},
      {"a\\b", false},
      {"c:x", false},
      {"a\x01", false},
      {"a\x7F", false},
      {std::string("a\0b", 3), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
}

}  // namespace
}  // namespace vetra
