#include "platform/web/charset.h"

#include <gtest/gtest.h>

#include "platform/base/text.h"

namespace vetra::web {
namespace {

TEST(PageCharset, PagesWithoutADeclarationAreCodePage949)
{
  const std::string korean = "기록관리";
  struct Case { std::string bytes; std::string contentType; std::string charset; };
  const Case cases[] = {
      {"<html><title>" + Cp949(korean) + "</title>", "", ""},
      {"<meta charset=\"EUC-KR\"><title>" + Cp949(korean), "", "euc-kr"},
      {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ks_c_5601-1987\">" + Cp949(korean), "",
       "ks_c_5601-1987"},
      {"<meta charset='utf-8'><title>" + korean, "", "utf-8"},
      {"\xEF\xBB\xBF" + korean, "", "utf-8"},
      {"<meta charset=\"euc-kr\">" + korean, "text/html; charset=UTF-8", "utf-8"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DeclaredCharset(c.bytes, c.contentType), c.charset) << c.bytes;
    EXPECT_NE(PageTextToUtf8(c.bytes, c.contentType).find(korean), std::string::npos) << c.bytes;
  }
  EXPECT_EQ(PageTextToUtf8("caf\xE9", "text/html; charset=iso-8859-1"), "caf\xC3\xA9");
}

}  // namespace
}  // namespace vetra::web
