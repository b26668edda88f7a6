#include "common/savedata/viewer_page.h"

#include <array>

#include "platform/base/text.h"

namespace savedata {
namespace {

// How each kind's control is created, given its file and started.
struct ControlLines {
  const char* classLine;
  const char* fileProperty;  // the part before and after the working copy's name
  const char* fileSuffix;
  const char* startLine;
};

const ControlLines& LinesOfKind(int kind)
{
  static const ControlLines tessial{"classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\">",
                                    "Tessial.DataFileName = \"", "\";", "Tessial.RunOcx = 1; }"};
  static const ControlLines sparwen{"classid=\"clsid:E8C23967-DC3C-4FC3-873A-AB0B0568A43B\">",
                                    "Tessial.DataFileName = \"", "\";", "Tessial.RunOcx = 1; }"};
  static const ControlLines quarnel{"CLASSID=\"CLSID:16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E\">",
                                    "Tessial.SaveDataFilePath = \"", "\";", "Tessial.RunScantool = 1; }"};
  static const ControlLines morvit{"classid=\"CLSID:445A50CA-88A0-445F-BD35-9DA86AAC0075\">",
                                   "Tessial.ReadFileName = \"", "\";", "Tessial.ExecProcedure = 100; }"};
  switch (kind) {
    case 1: return tessial;
    case 2:
    case 3: return sparwen;
    case 4: return quarnel;
    default: return morvit;
  }
}

}  // namespace

std::string PageTitle(std::string_view savedDataPath)
{
  const std::size_t cut = savedDataPath.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? savedDataPath : savedDataPath.substr(cut + 1));
}

std::string HtmlEscape(std::string_view cp949)
{
  std::string out;
  for (std::size_t i = 0; i < cp949.size(); ++i) {
    const char c = cp949[i];
    if (vetra::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < cp949.size() &&
        vetra::IsTrailByte(static_cast<unsigned char>(cp949[i + 1]))) {
      out += cp949.substr(i++, 2);  // a Korean character passes whole; a quote after a lead byte does not
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string JavaScriptEscape(std::string_view cp949)
{
  std::string out;
  for (std::size_t i = 0; i < cp949.size(); ++i) {
    const char c = cp949[i];
    if (vetra::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < cp949.size() &&
        vetra::IsTrailByte(static_cast<unsigned char>(cp949[i + 1]))) {
      out += cp949.substr(i++, 2);
      continue;
    }
    if (c == '\\' || c == '"' || c == '\'') {
      out += '\\';
      out += c;
    } else if (c == '/' && i > 0 && cp949[i - 1] == '<') {
      out += "\\/";  // "</script>" inside the string would end the script element
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      out += vetra::Format("\\x%02X", static_cast<unsigned char>(c));
    } else {
      out += c;
    }
  }
  return out;
}

std::string ViewerPage(int kind, std::string_view savedDataPath, std::string_view workingCopyName)
{
  const ControlLines& control = LinesOfKind(kind);
  const std::string title = HtmlEscape(PageTitle(savedDataPath));
  const std::string name = JavaScriptEscape(workingCopyName);
  const std::array<std::string, 25> lines{
      "<HTML>",
      "<HEAD>",
      vetra::Cp949("<TITLE>Vetra 기록관리 : ") + title + " </TITLE>",
      "</HEAD>",
      "<BODY>",
      "<body topmargin=\"0\"",
      "leftmargin=\"0\" marginwidth=\"0\" marginheight=\"0\" OnLoad=\"StartFunction();\" "
      "bgcolor=#A8A7AD scroll=no>",
      "<table border=\"0\" CELLSPACING=0 CELLPADDING=0 TOPMARGIN=\"0\" LEFTMARGIN=\"0\" "
      "MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" width=\"100%\" height=\"100%\">",
      "<tr>",
      "<OBJECT ID=\"Tessial\" WIDTH=1017 HEIGHT=708",
      control.classLine,
      "<PARAM NAME=\"_Version\" VALUE=\"65536\">",
      "<PARAM NAME=\"_ExtentX\" VALUE=\"2646\">",
      "<PARAM NAME=\"_ExtentY\" VALUE=\"1323\">",
      "<PARAM NAME=\"_StockProps\" VALUE=\"0\">",
      "</OBJECT>     </tr>\t\t</table>",
      "<script language=\"JavaScript\">",
      "function StartFunction()",
      "{  Time_ID = setTimeout(\"StartFN()\", 500);  \t}",
      "function StartFN()",
      "{  \tclearTimeout(Time_ID);\t",
      "Tessial.ReloadMode = 0;",
      control.fileProperty + name + control.fileSuffix,
      control.startLine,
      "</script>\t</BODY>\t</HTML>",
  };
  std::string page;
  for (const std::string& line : lines) {
    page += line;
    page += "\r\n";
  }
  return page;
}

}  // namespace savedata
