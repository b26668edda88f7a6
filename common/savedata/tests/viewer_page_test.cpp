#include "common/savedata/viewer_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/text.h"

namespace savedata {
namespace {

std::vector<std::string> Lines(const std::string& page)
{
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < page.size()) {
    const std::size_t end = page.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(page.substr(at) + "<no CR LF>");
      break;
    }
    lines.push_back(page.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST(ViewerPage, OscilloscopePageByteForByte)
{
  const std::string expected = vetra::Cp949(
      "<HTML>\r\n"
      "<HEAD>\r\n"
      "<TITLE>Vetra 기록관리 : Car 1.osc </TITLE>\r\n"
      "</HEAD>\r\n"
      "<BODY>\r\n"
      "<body topmargin=\"0\"\r\n"
      "leftmargin=\"0\" marginwidth=\"0\" marginheight=\"0\" OnLoad=\"StartFunction();\" bgcolor=#A8A7AD scroll=no>\r\n"
      "<table border=\"0\" CELLSPACING=0 CELLPADDING=0 TOPMARGIN=\"0\" LEFTMARGIN=\"0\" MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" width=\"100%\" height=\"100%\">\r\n"
      "<tr>\r\n"
      "<OBJECT ID=\"Tessial\" WIDTH=1017 HEIGHT=708\r\n"
      "classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\">\r\n"
      "<PARAM NAME=\"_Version\" VALUE=\"65536\">\r\n"
      "<PARAM NAME=\"_ExtentX\" VALUE=\"2646\">\r\n"
      "<PARAM NAME=\"_ExtentY\" VALUE=\"1323\">\r\n"
      "<PARAM NAME=\"_StockProps\" VALUE=\"0\">\r\n"
      "</OBJECT>     </tr>\t\t</table>\r\n"
      "<script language=\"JavaScript\">\r\n"
      "function StartFunction()\r\n"
      "{  Time_ID = setTimeout(\"StartFN()\", 500);  \t}\r\n"
      "function StartFN()\r\n"
      "{  \tclearTimeout(Time_ID);\t\r\n"
      "Tessial.ReloadMode = 0;\r\n"
      "Tessial.DataFileName = \"12345Temp.Osc\";\r\n"
      "Tessial.RunOcx = 1; }\r\n"
      "</script>\t</BODY>\t</HTML>\r\n");
  EXPECT_EQ(ViewerPage(1, "D:\\Data\\Car 1.osc", "12345Temp.Osc"), expected);
}

TEST(ViewerPage, EachKindHostsItsControl)
{
  struct Case {
    int kind;
    const char* name;
    const char* classLine;
    const char* fileLine;
    const char* startLine;
  };
  const std::vector<Case> cases{
      {1, "1Temp.Osc", "classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\">",
       "Tessial.DataFileName = \"1Temp.Osc\";", "Tessial.RunOcx = 1; }"},
      {2, "2Temp.Ig1", "classid=\"clsid:E8C23967-DC3C-4FC3-873A-AB0B0568A43B\">",
       "Tessial.DataFileName = \"2Temp.Ig1\";", "Tessial.RunOcx = 1; }"},
      {3, "3Temp.Ig2", "classid=\"clsid:E8C23967-DC3C-4FC3-873A-AB0B0568A43B\">",
       "Tessial.DataFileName = \"3Temp.Ig2\";", "Tessial.RunOcx = 1; }"},
      {4, "4Temp.Hsn", "CLASSID=\"CLSID:16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E\">",
       "Tessial.SaveDataFilePath = \"4Temp.Hsn\";", "Tessial.RunScantool = 1; }"},
      {5, "5Temp.Res", "classid=\"CLSID:445A50CA-88A0-445F-BD35-9DA86AAC0075\">",
       "Tessial.ReadFileName = \"5Temp.Res\";", "Tessial.ExecProcedure = 100; }"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::vector<std::string> lines = Lines(ViewerPage(c.kind, "c:\\rec.x", c.name));
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[10], c.classLine);
    EXPECT_EQ(lines[22], c.fileLine);
    EXPECT_EQ(lines[23], c.startLine);
  }
}

TEST(ViewerPage, TitleIsTheEscapedFileName)
{
  const std::vector<std::pair<std::string, std::string>> cases{
      {"D:\\Data\\Car 1.osc", "Car 1.osc"},
      {"/home/shop/saves/REC.SCN", "REC.SCN"},
      {"c:\\mixed/dir\\last.ig1", "last.ig1"},
      {"plain.res", "plain.res"},
      {"c:\\a\\<b>&\"'.osc", "&lt;b&gt;&amp;&quot;&#39;.osc"},
      {vetra::Cp949("c:\\저장\\소나타.osc"), vetra::Cp949("소나타.osc")},
      {"c:\\a\\\xb0<b>.osc", "\xb0&lt;b&gt;.osc"},  // a lead byte does not carry '<' past the escape
  };
  for (const auto& [path, title] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(Lines(ViewerPage(1, path, "1Temp.Osc"))[2], vetra::Cp949("<TITLE>Vetra 기록관리 : ") + title + " </TITLE>");
  }
}

TEST(ViewerPage, NamesAreEscapedForTheScript)
{
  const std::vector<std::pair<std::string, std::string>> cases{
      {"12345Temp.Osc", "12345Temp.Osc"},
      {"a\"b", "a\\\"b"},
      {"a\\b'c", "a\\\\b\\'c"},
      {"</script>", "<\\/script>"},
      {"a\nb", "a\\x0Ab"},
      {vetra::Cp949("기록"), vetra::Cp949("기록")},
      // A lead byte before a quote or backslash is no character: the quote is escaped all the
      // same, so a file name cannot end the script's string.
      {"\xb0\"; x(); \"", "\xb0\\\"; x(); \\\""},
      {"\xc5\\", "\xc5\\\\"},
  };
  for (const auto& [raw, escaped] : cases) {
    SCOPED_TRACE(raw);
    EXPECT_EQ(JavaScriptEscape(raw), escaped);
  }
}

}  // namespace
}  // namespace savedata
