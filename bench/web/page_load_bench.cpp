// How long the page host takes from reading a viewer page to running its start script: parse,
// script engine start, OBJECT creation and the half-second timer.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "platform/base/clock.h"
#include "platform/ole/control_loader.h"
#include "platform/web/page_host.h"

namespace {

constexpr const char* kClsid = "{445A50CA-88A0-445F-BD35-9DA86AAC0075}";

class StartControl : public win::COleControlObject {
public:
  StartControl() : COleControlObject({kClsid, "", "", "", ""})
  {
    Dispatch().AddNotifyProperty("ReloadMode", 1, m_reload, {});
    Dispatch().AddNotifyProperty("ReadFileName", 2, m_name, {});
    Dispatch().AddNotifyProperty("ExecProcedure", 3, m_step, {});
  }

private:
  win::SHORT m_reload = 0;
  win::SHORT m_step = 0;
  std::string m_name;
};

std::string ViewerPage()
{
  const char* lines[] = {
      "<HTML>", "<HEAD>", "<TITLE>Vetra : Road 1.res </TITLE>", "</HEAD>", "<BODY>", "<body topmargin=\"0\"",
      "leftmargin=\"0\" marginwidth=\"0\" marginheight=\"0\" OnLoad=\"StartFunction();\" bgcolor=#A8A7AD scroll=no>",
      "<table border=\"0\" CELLSPACING=0 CELLPADDING=0 width=\"100%\" height=\"100%\">", "<tr>",
      "<OBJECT ID=\"Tessial\" WIDTH=1017 HEIGHT=708", "classid=\"CLSID:445A50CA-88A0-445F-BD35-9DA86AAC0075\">",
      "<PARAM NAME=\"_Version\" VALUE=\"65536\">", "</OBJECT>     </tr>\t\t</table>",
      "<script language=\"JavaScript\">", "function StartFunction()",
      "{  Time_ID = setTimeout(\"StartFN()\", 500);  \t}", "function StartFN()", "{  \tclearTimeout(Time_ID);\t",
      "Tessial.ReloadMode = 0;", "Tessial.ReadFileName = \"1234Temp.Res\";", "Tessial.ExecProcedure = 100; }",
      "</script>\t</BODY>\t</HTML>",
  };
  std::string page;
  for (const char* line : lines) page += std::string(line) + "\r\n";
  return page;
}

void BM_ViewerPageLoadAndStart(benchmark::State& state)
{
  const std::filesystem::path page = std::filesystem::temp_directory_path() / "vetra_bench_page.html";
  std::ofstream(page, std::ios::binary) << ViewerPage();
  win::ControlLoader::RegisterFactory(kClsid, [] { return std::make_unique<StartControl>(); });
  vetra::UseVirtualClock(true);
  for (auto _ : state) {
    vetra::web::PageHost host;
    host.Navigate(page.string());
    vetra::AdvanceVirtualClock(500);
    host.Pump();
  }
  vetra::UseVirtualClock(false);
  win::ControlLoader::UnregisterFactory(kClsid);
  std::filesystem::remove(page);
}
BENCHMARK(BM_ViewerPageLoadAndStart)->Unit(benchmark::kMicrosecond);

}  // namespace
