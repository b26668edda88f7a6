#include "platform/web/page_host.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/base/clock.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/ole/control_loader.h"
#include "platform/web/tests/loopback_server.h"
#include "platform/web/tests/test_control.h"

namespace vetra::web {
namespace {

using testing::RecordingControl;

constexpr const char* kTessialClsid = "5DBCF725-08DD-4B2D-B8C4-714DF8E6956C";
constexpr const char* kSparwenClsid = "E8C23967-DC3C-4FC3-873A-AB0B0568A43B";
constexpr const char* kQuarnelClsid = "16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E";
constexpr const char* kMorvitClsid = "445A50CA-88A0-445F-BD35-9DA86AAC0075";

struct ViewerKind {
  int kind;
  const char* classLine;
  const char* fileLine;
  const char* startLine;
  const char* clsid;
  const char* fileProperty;
  const char* startSet;
};

const ViewerKind kKinds[] = {
    {1, "classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\">", "Tessial.DataFileName = \"%s\";",
     "Tessial.RunOcx = 1; }", kTessialClsid, "DataFileName", "RunOcx=1"},
    {2, "classid=\"clsid:E8C23967-DC3C-4FC3-873A-AB0B0568A43B\">", "Tessial.DataFileName = \"%s\";",
     "Tessial.RunOcx = 1; }", kSparwenClsid, "DataFileName", "RunOcx=1"},
    {3, "classid=\"clsid:E8C23967-DC3C-4FC3-873A-AB0B0568A43B\">", "Tessial.DataFileName = \"%s\";",
     "Tessial.RunOcx = 1; }", kSparwenClsid, "DataFileName", "RunOcx=1"},
    {4, "CLASSID=\"CLSID:16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E\">", "Tessial.SaveDataFilePath = \"%s\";",
     "Tessial.RunScantool = 1; }", kQuarnelClsid, "SaveDataFilePath", "RunScantool=1"},
    {5, "classid=\"CLSID:445A50CA-88A0-445F-BD35-9DA86AAC0075\">", "Tessial.ReadFileName = \"%s\";",
     "Tessial.ExecProcedure = 100; }", kMorvitClsid, "ReadFileName", "ExecProcedure=100"},
};

// The viewer page the chooser writes for a recording, line by line with CR LF, in code page 949.
std::string ViewerPage(const ViewerKind& kind, const std::string& title, const std::string& workingCopy)
{
  const std::string lines[] = {
      "<HTML>",
      "<HEAD>",
      Cp949("<TITLE>Vetra 기록관리 : ") + title + " </TITLE>",
      "</HEAD>",
      "<BODY>",
      "<body topmargin=\"0\"",
      "leftmargin=\"0\" marginwidth=\"0\" marginheight=\"0\" OnLoad=\"StartFunction();\" bgcolor=#A8A7AD scroll=no>",
      "<table border=\"0\" CELLSPACING=0 CELLPADDING=0 TOPMARGIN=\"0\" LEFTMARGIN=\"0\" MARGINWIDTH=\"0\" "
      "MARGINHEIGHT=\"0\" width=\"100%\" height=\"100%\">",
      "<tr>",
      "<OBJECT ID=\"Tessial\" WIDTH=1017 HEIGHT=708",
      kind.classLine,
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
      Format(kind.fileLine, workingCopy.c_str()),
      kind.startLine,
      "</script>\t</BODY>\t</HTML>",
  };
  std::string page;
  for (const std::string& line : lines) page += line + "\r\n";
  return page;
}

// A drive, a virtual clock, captured traces and the test control behind every class the pages
// name; each control created is remembered.
class PageHostTest : public ::testing::Test {
protected:
  PageHostTest()
  {
    UseVirtualClock(true);
    m_previousSink = SetTraceSink([this](std::string_view text) { traces += Utf8(text); });
    for (const char* clsid : {kTessialClsid, kSparwenClsid, kQuarnelClsid, kMorvitClsid}) {
      win::ControlLoader::RegisterFactory(clsid, [this, clsid] {
        auto control = std::make_unique<RecordingControl>(clsid);
        created.push_back(control.get());
        return control;
      });
    }
    callbacks.titleChange = [this](const std::string& title) { titles.push_back(title); };
    callbacks.alert = [this](const std::string& text) { alerts.push_back(text); };
    callbacks.objectCreated = [this](HostedObject& object) { objects.push_back(object.element); };
    callbacks.objectDestroyed = [this](HostedObject& object) { destroyed.push_back(object.element.id); };
  }

  ~PageHostTest() override
  {
    for (const char* clsid : {kTessialClsid, kSparwenClsid, kQuarnelClsid, kMorvitClsid}) {
      win::ControlLoader::UnregisterFactory(clsid);
    }
    SetTraceSink(std::move(m_previousSink));
    UseVirtualClock(false);
  }

  std::string WritePage(const std::string& name, const std::string& bytes)
  {
    drive.WriteFile("Vetra/TempE/" + name, bytes);
    return "c:\\Vetra\\TempE\\" + name;
  }

  void Advance(PageHost& host, std::uint64_t ms)
  {
    AdvanceVirtualClock(ms);
    host.Pump();
  }

  vetra::testing::TempDrive drive;
  PageHostCallbacks callbacks;
  std::vector<std::string> titles, alerts, destroyed;
  std::vector<ObjectElement> objects;
  std::vector<RecordingControl*> created;
  std::string traces;

private:
  TraceSink m_previousSink;
};

TEST_F(PageHostTest, ViewerPageStartsItsControlHalfASecondAfterLoading)
{
  for (const ViewerKind& kind : kKinds) {
    SCOPED_TRACE(kind.kind);
    created.clear();
    objects.clear();
    titles.clear();
    destroyed.clear();
    {
      PageHost host(callbacks);
      ASSERT_TRUE(host.Navigate(WritePage("ScriptTemp.html", ViewerPage(kind, "Car 1.osc", "1234Temp.Osc"))));
      EXPECT_EQ(titles, std::vector<std::string>{Cp949("Vetra 기록관리 : Car 1.osc")});
      ASSERT_EQ(created.size(), 1u);
      EXPECT_EQ(created[0]->Identity().clsid, kind.clsid);
      ASSERT_EQ(objects.size(), 1u);
      EXPECT_EQ(objects[0].id, "Tessial");
      EXPECT_EQ(objects[0].width, 1017);
      EXPECT_EQ(objects[0].height, 708);

      EXPECT_EQ(host.NextDueMs(), MonotonicMs() + 500);
      Advance(host, 499);
      EXPECT_TRUE(created[0]->sets.empty());
      Advance(host, 1);
      EXPECT_EQ(created[0]->sets, (std::vector<std::string>{
                                      "ReloadMode=0", std::string(kind.fileProperty) + "=1234Temp.Osc",
                                      kind.startSet}));
      EXPECT_FALSE(host.NextDueMs());
      Advance(host, 5000);
      EXPECT_EQ(created[0]->sets.size(), 3u);
      EXPECT_TRUE(destroyed.empty());
    }
    EXPECT_EQ(destroyed, std::vector<std::string>{"Tessial"});
  }
  EXPECT_EQ(traces, "");
}

TEST_F(PageHostTest, ControlEventsReachScriptForBlocksAndNamedHandlers)
{
  PageHost host(callbacks);
  ASSERT_TRUE(host.Navigate(WritePage("events.html", Cp949(R"PAGE(<html><head><title>Events</title></head><body>
<object id="Ctl" classid="clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C" width=10 height=20></object>
<script language="JavaScript" for="Ctl" event="Ready()">
  alert("ready " + Ctl.count + " " + Ctl.DataFileName);
</script>
<script for="Ctl" event="Progress(step)">alert("progress " + step);</script>
<script>
function Ctl::Progress(step) {
  if (step == 9) throw new Error("handler broke");
  document.title = "step " + step;
}
Ctl.Count = 41;
Ctl.DataFileName = "기록.osc";
var answer = Ctl.Fire(3);
alert("answer " + answer + " " + typeof Ctl.Missing);
try { Ctl.Count = "many"; } catch (e) { alert("caught " + e.message); }
Ctl.Fire(9);
alert("still running");
</script></body></html>)PAGE"))));
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(alerts, (std::vector<std::string>{"progress 3", "answer 7 undefined", "caught Type mismatch: Count",
                                              "progress 9", "still running"}));
  EXPECT_EQ(titles.back(), "step 3");
  EXPECT_EQ(created[0]->sets[1], Cp949("DataFileName=기록.osc"));

  created[0]->FireEvent(RecordingControl::kReadyEvent);
  EXPECT_EQ(alerts.back(), Cp949("ready 41 기록.osc"));
  created[0]->FireError();  // no handler: nothing happens
  EXPECT_NE(traces.find("handler broke"), std::string::npos);
}

TEST_F(PageHostTest, OneControlsEventHandsItsResultToAnother)
{
  PageHost host(callbacks);
  ASSERT_TRUE(host.Navigate(WritePage("download.html", R"PAGE(<html><body>
<object id="Pakrel" classid="clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C"></object>
<object id="Morvit" classid="CLSID:445A50CA-88A0-445F-BD35-9DA86AAC0075" width="1017" height="708"></object>
<script>
function Pakrel::Progress(step) {
  Morvit.ReadFileName = Pakrel.OutputFileName;
  document.all.Morvit.ExecProcedure = 100;
  document.getElementById("Morvit").ReloadMode = 1;
}
Pakrel.OutputFileName = "77Temp.Res";
Pakrel.Fire(1);
</script></body></html>)PAGE")));
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0]->sets, std::vector<std::string>{"OutputFileName=77Temp.Res"});
  EXPECT_EQ(created[1]->sets,
            (std::vector<std::string>{"ReadFileName=77Temp.Res", "ExecProcedure=100", "ReloadMode=1"}));
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[1].id, "Morvit");
  EXPECT_EQ(objects[1].width, 1017);
  EXPECT_EQ(traces, "");
}

TEST_F(PageHostTest, BrokenScriptsAndUnknownControlsLeaveThePageRunning)
{
  struct Case { const char* name; const char* badPart; const char* traced; };
  const Case cases[] = {
      {"throws", "<script>throw new Error('broken page');</script>", "broken page"},
      {"syntax", "<script>function ( {</script>", "SyntaxError"},
      {"unknown function", "<script>NoSuchFunction();</script>", "NoSuchFunction"},
      {"unknown class",
       "<object id=\"Gone\" classid=\"clsid:00000000-1111-2222-3333-444444444444\"></object>"
       "<script>Gone.RunOcx = 1;</script>",
       "class not registered"},
      {"bad class text", "<object id=\"Odd\" classid=\"clsid:nonsense\"></object>", "not a class identifier"},
      {"type mismatch",
       "<object id=\"T\" classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"></object>"
       "<script>T.RunOcx = 'many';</script>",
       "Type mismatch"},
      {"overflow",
       "<object id=\"T\" classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"></object>"
       "<script>T.RunOcx = 70000;</script>",
       "Overflow"},
      {"unknown property",
       "<object id=\"T\" classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"></object>"
       "<script>T.NoSuchProperty = 1;</script>",
       "doesn't support"},
      {"control handler throws",
       "<object id=\"T\" classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"></object>"
       "<script>T.Unpack = 1;</script>",
       "c:\\Vetra\\TempE\\기록.zip was not found."},
      {"throwing timer", "<script>setTimeout(function () { null.x; }, 0);</script>", "TypeError"},
      {"globals closed to new names",
       "<script>Object.preventExtensions(this);</script>"
       "<object id=\"T\" classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"></object>",
       "element T"},
      {"handlers that fire their own event",
       "<object id=\"T\" classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"></object>"
       "<script for=\"T\" event=\"Progress(n)\">T.Fire(n); T.Fire(n);</script>"
       "<script>T.Fire(1);</script>",
       "nested too deeply"},
      {"endless loop", "<script>while (true) { try { for (;;) {} } catch (e) {} }</script>", "execution timeout"},
      {"not javascript", "<script language=\"VBScript\">MsgBox 1</script>", "not JavaScript"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    traces.clear();
    alerts.clear();
    PageHost host(callbacks);
    host.SetScriptTimeLimit(std::chrono::milliseconds(100));
    const std::string page = std::string("<html><body onload=\"alert('loaded')\">") + c.badPart +
                             "<script>alert('after');</script></body></html>";
    ASSERT_TRUE(host.Navigate(WritePage("broken.html", page)));
    Advance(host, 1);
    EXPECT_EQ(alerts, (std::vector<std::string>{"after", "loaded"}));
    EXPECT_NE(traces.find(c.traced), std::string::npos) << traces;
  }
}

TEST_F(PageHostTest, APageScriptTakesNoMoreMemoryThanItsHeapAndTimersAllow)
{
  // Each of the first three blocks would go on taking memory; each is stopped by its limit as a
  // script error, and the page goes on.
  const std::string page = R"PAGE(<html><body>
<script>(function () { var kept = []; for (var i = 0; i < 96; ++i) kept.push('x'.repeat(1 << 20) + i); alert('kept ' + kept.length); })();</script>
<script>var text = 'x'.repeat(400 * 1024); for (var i = 0; i < 10; ++i) setTimeout(text + i, 1e9); alert('texts');</script>
<script>for (var i = 0; i < 100000; ++i) setTimeout(function () {}, 1e9); alert('timers');</script>
<script>alert('after');</script>
</body></html>)PAGE";
  PageHost host(callbacks);
  host.SetScriptTimeLimit(std::chrono::seconds(2));
  ASSERT_TRUE(host.Navigate(WritePage("greedy.html", page)));
  EXPECT_EQ(alerts, std::vector<std::string>{"after"});
  EXPECT_NE(traces.find("Script error (script 1, line 1): Error: alloc failed"), std::string::npos) << traces;
  EXPECT_NE(traces.find("Error: the timers given as text may hold at most 1 MB"), std::string::npos) << traces;
  EXPECT_NE(traces.find("Error: a page may have at most 1000 timers waiting"), std::string::npos) << traces;
  EXPECT_EQ(traces.find("execution timeout"), std::string::npos) << traces;
}

TEST_F(PageHostTest, TheScriptsOfOneTurnTogetherRunAtMostTwiceTheTimeLimitAndTheWindowGetsItsTurn)
{
  // Five blocks that never end: the first two are stopped at the limit, the others do not start.
  std::string page = "<html><body onload=\"alert('loaded')\">";
  for (int i = 0; i < 5; ++i) page += "<script>for (;;) {}</script>";
  page += "<script>alert('after');</script></body></html>";
  PageHost host(callbacks);
  host.SetScriptTimeLimit(std::chrono::milliseconds(50));
  ASSERT_TRUE(host.Navigate(WritePage("endless.html", page)));
  EXPECT_TRUE(alerts.empty());
  std::size_t stopped = 0;
  for (auto at = traces.find("execution timeout"); at != std::string::npos; at = traces.find("execution timeout", at + 1))
    ++stopped;
  EXPECT_EQ(stopped, 2u) << traces;
  EXPECT_NE(traces.find("Script error (script 6): the page's scripts have run too long"), std::string::npos) << traces;
  EXPECT_NE(traces.find("Script error (body onload): the page's scripts have run too long"), std::string::npos)
      << traces;

  // An interval whose script never ends, fallen behind by five turns: one round of timers runs it
  // twice and leaves the rest for the next round, after the window's own messages.
  ASSERT_TRUE(host.Navigate(WritePage("interval.html", "<script>var runs = 0; setInterval(function () {"
                                                       " document.title = String(++runs); for (;;) {} }, 1);</script>")));
  titles.clear();
  Advance(host, 6);
  EXPECT_EQ(titles, (std::vector<std::string>{"1", "2"}));
  host.Pump();
  EXPECT_EQ(titles, (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST_F(PageHostTest, TimersNavigationAndHistory)
{
  WritePage("second.html", "<html><head><title>Second</title></head><body onload=\"alert(location.href)\"></body></html>");
  const std::string first = WritePage("first.html", R"PAGE(<html><head><title>First</title></head><body>
<div id="box" class="a"></div>
<script>
var ticks = 0;
var every = setInterval(function (step) { ticks += step; if (ticks == 3) { clearInterval(every); } }, 100, 1);
window.setTimeout("alert('ticks ' + ticks + ' ' + box.getAttribute('class') + ' ' + document.all.box.id + ' ' + (document.getElementById('box') === box))", 1000);
setTimeout(function () { window.location.href = "second.html"; }, 2000);
</script></body></html>)PAGE");
  PageHost host(callbacks);
  ASSERT_TRUE(host.Navigate(first));
  Advance(host, 999);
  EXPECT_TRUE(alerts.empty());
  Advance(host, 1);
  EXPECT_EQ(alerts, std::vector<std::string>{"ticks 3 a box true"});
  Advance(host, 1000);
  EXPECT_EQ(host.Address(), "c:\\Vetra\\TempE\\second.html");
  EXPECT_EQ(alerts.back(), "c:\\Vetra\\TempE\\second.html");
  EXPECT_EQ(titles, (std::vector<std::string>{"First", "Second"}));

  EXPECT_FALSE(host.GoForward());
  EXPECT_TRUE(host.GoBack());
  EXPECT_EQ(host.Title(), "First");
  EXPECT_TRUE(host.GoForward());
  EXPECT_EQ(host.Title(), "Second");
  EXPECT_FALSE(host.GoForward());
}

// Navigates to an http page and moves its transfer on, as the window's timer does, until it has
// arrived or failed (a loopback server answers at once).
bool LoadOverHttp(PageHost& host, const std::string& url)
{
  if (!host.Navigate(url)) return false;
  for (int turn = 0; turn < 5000 && host.Loading(); ++turn) host.Pump();
  return !host.Loading();
}

TEST_F(PageHostTest, LoadsPagesOverHttp)
{
  testing::LoopbackServer server;
  server.Serve("/report/view.html", {200, "text/html",
                                     Cp949("<html><head><title>원격 보고서</title></head><body>"
                                           "<script src=\"lib.js\"></script><script>alert(libraryValue);</script>"
                                           "</body></html>"),
                                     {}});
  server.Serve("/report/lib.js", {200, "application/javascript", "var libraryValue = 'from server';", {}});
  server.Serve("/utf8.html", {200, "text/html; charset=utf-8", "<title>원격</title>",
                              "Set-Cookie: SESSION=42; Path=/\r\n"});
  server.Serve("/next.html", {200, "text/html", "<title>next</title>", {}});
  std::vector<FetchFailure> errors;
  callbacks.navigateError = [&](const std::string&, FetchFailure reason) { errors.push_back(reason); };
  PageHost host(callbacks);

  ASSERT_TRUE(LoadOverHttp(host, server.Url("/report/view.html")));
  EXPECT_EQ(host.Title(), Cp949("원격 보고서"));
  EXPECT_EQ(alerts, std::vector<std::string>{"from server"});
  ASSERT_TRUE(LoadOverHttp(host, server.Url("/utf8.html")));
  EXPECT_EQ(host.Title(), Cp949("원격"));
  ASSERT_TRUE(LoadOverHttp(host, server.Url("/next.html")));  // the session's cookie goes along
  EXPECT_NE(server.LastRequest("/next.html").find("SESSION=42"), std::string::npos);
  EXPECT_TRUE(errors.empty());

  ASSERT_TRUE(LoadOverHttp(host, server.Url("/missing.html")));
  EXPECT_EQ(errors, std::vector<FetchFailure>{FetchFailure::refused});
  EXPECT_FALSE(host.Navigate("c:\\Vetra\\TempE\\nothing.html"));
  EXPECT_EQ(errors.back(), FetchFailure::notFound);

  titles.clear();
  EXPECT_TRUE(host.Navigate(""));  // an empty address shows an empty page
  EXPECT_TRUE(titles.empty());
  EXPECT_EQ(errors.size(), 2u);
}

TEST_F(PageHostTest, APageRunsOnceItsScriptsHaveArrivedAndStopRunsItWithout)
{
  testing::LoopbackServer server;
  server.Serve("/page.html", {.body = "<title>Page</title><img src=\"pic.bmp\"><script src=\"slow.js\"></script>"
                                      "<script>alert(typeof slowValue);</script>"});
  server.Serve("/slow.js", {.stall = true});
  server.Serve("/pic.bmp", {.contentType = "image/bmp", .body = "BM"});
  std::vector<std::string> completed;
  callbacks.documentComplete = [&](const std::string& address) { completed.push_back(address); };
  PageHost host(callbacks);
  ASSERT_TRUE(host.Navigate(server.Url("/page.html")));
  for (int turn = 0; turn < 5000 && server.LastRequest("/slow.js").empty(); ++turn) host.Pump();
  for (int turn = 0; turn < 5000 && !host.Resource(server.Url("/pic.bmp")).ok; ++turn) host.Pump();
  // The page is in and its picture too, but its script is not: nothing has run yet.
  EXPECT_EQ(host.Title(), "Page");
  EXPECT_TRUE(host.Loading());
  EXPECT_TRUE(alerts.empty());
  EXPECT_TRUE(completed.empty());
  EXPECT_EQ(host.Resource(server.Url("/pic.bmp")).bytes, "BM");
  EXPECT_FALSE(host.Resource(server.Url("/elsewhere.bmp")).ok);  // never fetched on the spot

  host.Stop();
  EXPECT_FALSE(host.Loading());
  EXPECT_EQ(alerts, std::vector<std::string>{"undefined"});
  EXPECT_EQ(completed, std::vector<std::string>{server.Url("/page.html")});
  for (int turn = 0; turn < 5000 && !server.Dropped("/slow.js"); ++turn)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_TRUE(server.Dropped("/slow.js"));
}

TEST_F(PageHostTest, StoppingAPageOnItsWayDropsItsConnection)
{
  testing::LoopbackServer server;
  server.Serve("/slow.html", {.stall = true});
  std::vector<FetchFailure> errors;
  callbacks.navigateError = [&](const std::string&, FetchFailure reason) { errors.push_back(reason); };
  PageHost host(callbacks);
  ASSERT_TRUE(host.Navigate(server.Url("/slow.html")));
  for (int turn = 0; turn < 5000 && server.LastRequest("/slow.html").empty(); ++turn) host.Pump();
  ASSERT_TRUE(host.Loading());
  ASSERT_TRUE(host.NextDueMs().has_value());  // the window's timer keeps moving it on
  host.Stop();
  EXPECT_FALSE(host.Loading());
  EXPECT_EQ(errors, std::vector<FetchFailure>{FetchFailure::stopped});
  for (int turn = 0; turn < 5000 && !server.Dropped("/slow.html"); ++turn)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_TRUE(server.Dropped("/slow.html"));
  host.Stop();  // nothing on its way: nothing more is said
  EXPECT_EQ(errors.size(), 1u);
}

// Moves an http page, or the scripts and pictures of one, on until nothing is on its way, or
// until the server has sent `path` far more than any answer may hold (then the page is still
// loading and the test fails, with the memory it took bounded).
void LoadUnlessFlooded(PageHost& host, testing::LoopbackServer& server, const std::vector<std::string>& paths)
{
  const auto flooded = [&] {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::string& path) { return server.BodyBytesSent(path) > 3 * kMaxPageBytes; });
  };
  for (int turn = 0; turn < 20000 && host.Loading() && !flooded(); ++turn) host.Pump();
}

TEST_F(PageHostTest, AnAnswerPastTheSizeLimitIsCutOffAndSaidToBeTooLarge)
{
  testing::LoopbackServer server;
  server.Serve("/endless.html", {.body = "<p>endless</p>", .endless = true});
  server.Serve("/claims.html", {.body = "<p>claimed</p>", .extraHeaders = "Content-Length: 100000000\r\n", .endless = true});
  drive.WriteFile("Vetra/TempE/huge.html", std::string(kMaxPageBytes + 1, ' '));
  const struct {
    std::string address;
    std::string path;       // on the server; empty for a local file
    std::size_t mostSent;   // body bytes the server may have pushed before the connection went
  } cases[] = {
      // Cut off at the limit; what the connection's buffers held on the way adds to it.
      {server.Url("/endless.html"), "/endless.html", 2 * kMaxPageBytes},
      // A length past the limit is refused before the body is read.
      {server.Url("/claims.html"), "/claims.html", kMaxPageBytes},
      {"c:\\Vetra\\TempE\\huge.html", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    std::vector<FetchFailure> errors;
    callbacks.navigateError = [&](const std::string&, FetchFailure reason) { errors.push_back(reason); };
    PageHost host(callbacks);
    host.Navigate(c.address);
    LoadUnlessFlooded(host, server, {c.path});
    ASSERT_FALSE(host.Loading());
    EXPECT_EQ(errors, std::vector<FetchFailure>{FetchFailure::tooLarge});
    EXPECT_TRUE(host.LayoutSource().empty());
    if (c.path.empty()) continue;
    for (int turn = 0; turn < 5000 && !server.Dropped(c.path); ++turn)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(server.Dropped(c.path));
    EXPECT_LT(server.BodyBytesSent(c.path), c.mostSent);
  }
}

TEST_F(PageHostTest, APageTooBigToLayOutIsRefusedAndRunsNothing)
{
  std::string nested;
  for (int i = 0; i < 600; ++i) nested += "<div>";
  testing::LoopbackServer server;
  server.Serve("/nested.html", {.body = "<title>Nested</title><script>alert('ran');</script>" + nested});
  const std::string addresses[] = {
      WritePage("nested.html", "<title>Nested</title><script>alert('ran');</script>" + nested),
      server.Url("/nested.html"),
  };
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    std::vector<FetchFailure> errors;
    callbacks.navigateError = [&](const std::string&, FetchFailure reason) { errors.push_back(reason); };
    titles.clear();
    traces.clear();
    PageHost host(callbacks);
    host.Navigate(address);
    for (int turn = 0; turn < 5000 && host.Loading(); ++turn) host.Pump();
    EXPECT_EQ(errors, std::vector<FetchFailure>{FetchFailure::tooLarge});
    EXPECT_TRUE(alerts.empty());
    EXPECT_TRUE(titles.empty());
    EXPECT_TRUE(host.LayoutSource().empty());
    EXPECT_NE(traces.find("nested more than 512 deep"), std::string::npos) << traces;
  }
}

TEST_F(PageHostTest, ScriptsAndPicturesPastTheirLimitsStayOutAndThePageRunsWithoutThem)
{
  testing::LoopbackServer server;
  server.Serve("/page.html", {.body = "<title>Page</title><img src=\"endless.bmp\"><script src=\"endless.js\"></script>"
                                      "<script>alert('ran');</script>"});
  server.Serve("/endless.bmp", {.contentType = "image/bmp", .body = "BM", .endless = true});
  server.Serve("/endless.js", {.contentType = "application/javascript", .body = "var x = 1;\n", .endless = true});
  PageHost host(callbacks);
  ASSERT_TRUE(host.Navigate(server.Url("/page.html")));
  LoadUnlessFlooded(host, server, {"/endless.bmp", "/endless.js"});
  ASSERT_FALSE(host.Loading());
  EXPECT_EQ(alerts, std::vector<std::string>{"ran"});
  for (const char* path : {"/endless.bmp", "/endless.js"}) {
    EXPECT_EQ(host.Resource(server.Url(path)).failure, FetchFailure::tooLarge) << path;
    EXPECT_NE(traces.find(server.Url(path)), std::string::npos) << traces;
  }

  // Each of these is within the limit, but together they are not: the last to come stays out.
  std::string page = "<title>Pictures</title>";
  const std::string picture(kMaxPageResourceBytes / 4 - 1024 * 1024, 'p');
  for (int i = 0; i < 5; ++i) {
    const std::string path = "/big" + std::to_string(i) + ".bmp";
    server.Serve(path, {.contentType = "image/bmp", .body = picture});
    page += "<img src=\"" + path + "\">";
  }
  server.Serve("/pictures.html", {.body = page});
  ASSERT_TRUE(host.Navigate(server.Url("/pictures.html")));
  for (int turn = 0; turn < 20000 && host.Loading(); ++turn) host.Pump();
  ASSERT_FALSE(host.Loading());
  std::vector<FetchFailure> outcomes;
  for (int i = 0; i < 5; ++i) outcomes.push_back(host.Resource(server.Url("/big" + std::to_string(i) + ".bmp")).failure);
  EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), FetchFailure::none), 4);
  EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), FetchFailure::tooLarge), 1);

  // A new page has the whole allowance again.
  ASSERT_TRUE(host.Navigate(server.Url("/pictures.html")));
  for (int turn = 0; turn < 20000 && host.Loading(); ++turn) host.Pump();
  EXPECT_TRUE(host.Resource(server.Url("/big0.bmp")).ok);
}

TEST_F(PageHostTest, APageFromAServerReadsNoLocalFilesAndCannotGoToOne)
{
  testing::LoopbackServer server;
  drive.WriteFile("Vetra/TempE/local.js", "document.title = 'local ran';");
  drive.WriteFile("Vetra/TempE/local.bmp", "BM");
  WritePage("local.html", "<title>Local</title>");
  const std::string fileUrl = "file://" + (drive / "Vetra/TempE").string() + "/";
  const std::string driveFolder = "c:\\Vetra\\TempE\\";
  server.Serve("/lib.js", {.contentType = "application/javascript", .body = "var fromServer = 'yes';"});
  server.Serve("/remote.html", {.body = "<title>Remote</title>"
                                        "<img src=\"" + fileUrl + "local.bmp\"><img src=\"" + driveFolder + "local.bmp\">"
                                        "<script src=\"" + fileUrl + "local.js\"></script>"
                                        "<script src=\"" + driveFolder + "local.js\"></script>"
                                        "<script src=\"file:///etc/passwd\"></script>"
                                        "<script src=\"lib.js\"></script>"
                                        "<script>alert(document.title + ' ' + fromServer);</script>"});
  server.Serve("/next.html", {.body = "<title>Next</title>"});
  std::vector<FetchFailure> errors;
  callbacks.navigateError = [&](const std::string&, FetchFailure reason) { errors.push_back(reason); };
  PageHost host(callbacks);

  ASSERT_TRUE(LoadOverHttp(host, server.Url("/remote.html")));
  EXPECT_EQ(alerts, std::vector<std::string>{"Remote yes"});
  for (const std::string& picture : {fileUrl + "local.bmp", driveFolder + "local.bmp"}) {
    EXPECT_FALSE(host.Resource(picture).ok) << picture;
    EXPECT_NE(traces.find(picture), std::string::npos) << traces;
  }
  EXPECT_EQ(traces.find("SyntaxError"), std::string::npos) << traces;

  // Neither its links nor its script take the window to a local file; an http link still goes.
  for (const std::string& link : {fileUrl + "local.html", driveFolder + "local.html"}) {
    EXPECT_FALSE(host.FollowLink(link)) << link;
    EXPECT_EQ(host.Title(), "Remote");
  }
  alerts.clear();
  server.Serve("/leaves.html", {.body = "<title>Leaves</title><script>setTimeout(function () { location.href = '" +
                                        fileUrl + "local.html'; }, 10);</script>"});
  ASSERT_TRUE(LoadOverHttp(host, server.Url("/leaves.html")));
  Advance(host, 10);
  Advance(host, 10);
  EXPECT_EQ(host.Title(), "Leaves");
  EXPECT_NE(traces.find(fileUrl + "local.html"), std::string::npos) << traces;
  EXPECT_TRUE(errors.empty());  // refused loads go to the trace only
  EXPECT_TRUE(host.FollowLink("next.html"));
  for (int turn = 0; turn < 5000 && host.Loading(); ++turn) host.Pump();
  EXPECT_EQ(host.Title(), "Next");

  // A local page keeps reading local and http scripts and going to local pages.
  WritePage("mixed.html", "<title>Mixed</title><script src=\"local.js\"></script><script src=\"" +
                              server.Url("/lib.js") + "\"></script><script>alert(document.title + ' ' + fromServer);</script>");
  ASSERT_TRUE(host.Navigate(driveFolder + "mixed.html"));
  for (int turn = 0; turn < 5000 && host.Loading(); ++turn) host.Pump();
  EXPECT_EQ(alerts, std::vector<std::string>{"local ran yes"});
  EXPECT_TRUE(host.Resource(fileUrl + "local.bmp").ok);
  EXPECT_TRUE(host.FollowLink("local.html"));
  EXPECT_EQ(host.Title(), "Local");
}

// A listening socket of the test's own, to see whether anything tried to reach it.
class Listener {
public:
  Listener()
  {
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_socket, 4) != 0 || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      throw std::runtime_error("cannot listen on the loopback");
    m_port = ntohs(address.sin_port);
  }
  ~Listener() { ::close(m_socket); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  int Port() const { return m_port; }
  // Someone connected (the connection waits to be accepted).
  bool Reached() const
  {
    pollfd waiting{m_socket, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0;
  }

private:
  int m_socket = -1;
  int m_port = 0;
};

TEST_F(PageHostTest, ARedirectToAnotherSchemeIsNotFollowed)
{
  testing::LoopbackServer server;
  Listener ftp;
  server.Serve("/moved.html", {.status = 302, .body = "moved",
                               .extraHeaders = "Location: ftp://127.0.0.1:" + std::to_string(ftp.Port()) + "/page.html\r\n"});
  server.Serve("/moved.js", {.status = 302, .body = "moved",
                             .extraHeaders = "Location: ftp://127.0.0.1:" + std::to_string(ftp.Port()) + "/lib.js\r\n"});
  server.Serve("/page.html", {.body = "<title>Page</title><script src=\"moved.js\"></script>"});
  std::vector<FetchFailure> errors;
  callbacks.navigateError = [&](const std::string&, FetchFailure reason) { errors.push_back(reason); };
  PageHost host(callbacks);
  for (const char* path : {"/moved.html", "/page.html"}) {
    ASSERT_TRUE(host.Navigate(server.Url(path)));
    for (int turn = 0; turn < 5000 && host.Loading() && !ftp.Reached(); ++turn) host.Pump();
    EXPECT_FALSE(ftp.Reached()) << path;
    EXPECT_FALSE(host.Loading()) << path;
  }
  EXPECT_EQ(errors, std::vector<FetchFailure>{FetchFailure::unsupported});
  EXPECT_FALSE(host.Resource(server.Url("/moved.js")).ok);
}

}  // namespace
}  // namespace vetra::web
