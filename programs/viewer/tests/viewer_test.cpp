#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <filesystem>
#include <string>
#include <vector>

#include "common/savedata/viewer_page.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ole/control_loader.h"
#include "platform/print/tests/pdf_probe.h"
#include "platform/ui/cursor.h"
#include "platform/ui/menu.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/testing.h"
#include "platform/web/dom.h"
#include "platform/web/page_print.h"
#include "platform/web/tests/loopback_server.h"
#include "platform/web/tests/window_control.h"
#include "programs/viewer/viewer_app.h"

namespace halvor {
namespace {

namespace fs = std::filesystem;
using vetra::web::testing::WindowControl;

constexpr const char* kPagePath = "c:\\Vetra\\TempE\\ScriptTemp.html";

// The class identifiers of the five kinds' pages, and what each page sets after its delay.
const struct Kind {
  int kind;
  const char* clsid;
  std::vector<std::string> sets;
} kKinds[] = {
    {1, "{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}", {"ReloadMode=0", "DataFileName=1234Temp.Osc", "RunOcx=1"}},
    {2, "{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}", {"ReloadMode=0", "DataFileName=1234Temp.Osc", "RunOcx=1"}},
    {3, "{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}", {"ReloadMode=0", "DataFileName=1234Temp.Osc", "RunOcx=1"}},
    {4, "{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}",
     {"ReloadMode=0", "SaveDataFilePath=1234Temp.Osc", "RunScantool=1"}},
    {5, "{445A50CA-88A0-445F-BD35-9DA86AAC0075}",
     {"ReloadMode=0", "ReadFileName=1234Temp.Osc", "ExecProcedure=100"}},
};

class ViewerTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    vetra::ui::ClearMessageBoxes();
    WindowControl::Log().clear();
    for (const Kind& kind : kKinds) {
      win::ControlLoader::RegisterFactory(kind.clsid, [clsid = std::string(kind.clsid)] {
        return std::make_unique<WindowControl>(clsid);
      });
    }
    win::ControlLoader::RegisterFactory(vetra::web::testing::kWindowControlClsid,
                                        [] { return std::make_unique<WindowControl>(); });
  }
  void TearDown() override
  {
    vetra::ui::ResetForTests();
    for (const Kind& kind : kKinds) win::ControlLoader::UnregisterFactory(kind.clsid);
    win::ControlLoader::UnregisterFactory(vetra::web::testing::kWindowControlClsid);
  }

  // Starts the viewer as the program starts, on this command-line text.
  CHalvorApp& Start(const std::string& commandLine)
  {
    app = std::make_unique<CHalvorApp>();
    app->m_strCmdLine = commandLine;
    EXPECT_TRUE(app->InitInstance());
    vetra::ui::Pump();
    return *app;
  }

  void WritePage(const std::string& html, const char* relative = "Vetra/TempE/ScriptTemp.html")
  {
    drive.WriteFile(relative, html);
  }

  vetra::testing::TempDrive drive;
  std::unique_ptr<CHalvorApp> app;
};

TEST_F(ViewerTest, ViewerPageCreatesItsControlAndStartsItHalfASecondAfterLoading)
{
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.kind);
    WindowControl::Log().clear();
    WritePage(savedata::ViewerPage(kind.kind, vetra::Cp949("c:\\Vetra\\저장데이터\\Car 1.OSC"), "1234Temp.Osc"));
    CHalvorApp& viewer = Start(kPagePath);
    EXPECT_EQ(WindowControl::Log(), (std::vector<std::string>{"create 0,0,1017,708"}));

    vetra::ui::AdvanceClock(499);
    EXPECT_EQ(WindowControl::Log().size(), 1u);
    vetra::ui::AdvanceClock(1);
    std::vector<std::string> expected{"create 0,0,1017,708"};
    expected.insert(expected.end(), kind.sets.begin(), kind.sets.end());
    EXPECT_EQ(WindowControl::Log(), expected);

    EXPECT_EQ(viewer.Frame()->GetWindowText(), vetra::Cp949("Vetra 기록관리 : Car 1.OSC - Viewer"));
    viewer.Frame()->SendMessage(win::WM_CLOSE);
    vetra::ui::Pump();
    ASSERT_FALSE(WindowControl::Log().empty());
    EXPECT_EQ(WindowControl::Log().back(), "destroy");
    app.reset();
    vetra::ui::ResetForTests();  // the closed window ended the message loop
  }
}

TEST_F(ViewerTest, FixedFrameAtTheOriginWithMaximizeGreyed)
{
  const struct {
    std::string commandLine;
    std::string caption;
  } cases[] = {
      {"", "Untitled - Viewer"},
      {"c:\\Vetra\\TempE\\t.html", "Plain - Viewer"},
  };
  WritePage("<title>Plain</title><p>Text only</p>", "Vetra/TempE/t.html");
  for (const auto& c : cases) {
    CHalvorApp& viewer = Start(c.commandLine);
    win::CRect r;
    viewer.Frame()->GetWindowRect(&r);
    EXPECT_EQ(r, win::CRect(0, 0, kWindowWidth, kWindowHeight));
    EXPECT_EQ(viewer.Frame()->GetStyle() & (win::WS_MAXIMIZEBOX | win::WS_THICKFRAME), 0u);
    EXPECT_NE(viewer.Frame()->GetStyle() & win::WS_MINIMIZEBOX, 0u);
    EXPECT_EQ(viewer.Frame()->GetSystemMenu(win::FALSE)->GetMenuState(win::SC_MAXIMIZE, win::MF_BYCOMMAND) &
                  win::MF_GRAYED,
              win::MF_GRAYED);
    EXPECT_EQ(viewer.Frame()->GetWindowText(), c.caption);
    app.reset();
    vetra::ui::ResetForTests();
  }
}

TEST_F(ViewerTest, ControlEventReachesThePageWhichReadsAProperty)
{
  WritePage(std::string("<html><body><object id=\"C\" classid=\"clsid:") + vetra::web::testing::kWindowControlClsid +
            "\" width=200 height=100></object>"
            "<script for=\"C\" event=\"Changed(n)\">alert(\"changed \" + n + \", count \" + C.Count);"
            "setTimeout(\"alert('later')\", 50);</script></body></html>");
  CHalvorApp& viewer = Start(kPagePath);
  EXPECT_EQ(WindowControl::Log(), (std::vector<std::string>{"create 8,8,200,100"}));

  // The control changes by itself (as on a click of its own), outside any page script.
  auto& control = viewer.View()->PageHost()->Objects().at(0).control;
  ASSERT_NE(control, nullptr);
  control->Dispatch().SetProperty(*control->Dispatch().FindName("Count"), win::COleVariant(win::LONG{5}));
  vetra::ui::AdvanceClock(50);
  std::vector<std::string> alerts;
  for (const auto& box : vetra::ui::MessageBoxLog()) alerts.push_back(box.caption + ": " + box.text);
  EXPECT_EQ(alerts, (std::vector<std::string>{"Viewer: changed 5, count 5", "Viewer: later"}));
}

TEST_F(ViewerTest, BrokenPagesStillShow)
{
  WritePage("<html><head><title>Broken</title></head><body><p>Still here</p>"
            "<object id=\"X\" classid=\"clsid:00000000-1111-2222-3333-444444444444\" width=50 height=50></object>"
            "<script>throw new Error(\"broken\");</script><script>X.Run = 1; nothing();</script></body></html>");
  const struct {
    const char* commandLine;
    std::string word;  // a word the view paints
    const char* caption;
  } cases[] = {
      // A script that throws and a control of an unknown class.
      {kPagePath, "Still", "Broken - Viewer"},
      // A page that cannot be read says so: missing, a folder, a pipe nobody writes.
      {"c:\\Vetra\\TempE\\none.html", vetra::Cp949("페이지를"), "Untitled - Viewer"},
      {"c:\\Vetra\\TempE", vetra::Cp949("페이지를"), "Untitled - Viewer"},
      {"c:\\Vetra\\TempE\\pipe.html", vetra::Cp949("페이지를"), "Untitled - Viewer"},
      // Pictures that are folders or pipes are no pictures.
      {"c:\\Vetra\\TempE\\pictures.html", "Pictures", "Pictures - Viewer"},
  };
  ASSERT_EQ(::mkfifo((drive / "Vetra/TempE/pipe.html").c_str(), 0644), 0);
  ASSERT_EQ(::mkfifo((drive / "Vetra/TempE/pipe.bmp").c_str(), 0644), 0);
  WritePage("<html><head><title>Pictures</title></head><body background=\".\"><img src=\".\">"
            "<img src=\"pipe.bmp\" width=20 height=20><p>Pictures</p></body></html>",
            "Vetra/TempE/pictures.html");
  for (const auto& c : cases) {
    vetra::gdi::ScopedDrawLog log;
    CHalvorApp& viewer = Start(c.commandLine);
    viewer.View()->UpdateWindow();
    bool shown = false;
    for (const auto& call : log.Find("TextOut")) shown = shown || call.text == c.word;
    EXPECT_TRUE(shown) << c.commandLine;
    EXPECT_EQ(viewer.Frame()->GetWindowText(), c.caption);
    app.reset();
    vetra::ui::ResetForTests();
  }
}

// The texts the view paints, as UTF-8.
std::vector<std::string> PaintedTexts(CHalvorApp& viewer)
{
  vetra::gdi::ScopedDrawLog log;
  viewer.View()->Invalidate();
  viewer.View()->UpdateWindow();
  std::vector<std::string> texts;
  for (const auto& call : log.Find("TextOut")) texts.push_back(vetra::Utf8(call.text));
  return texts;
}

// A BMP file of one white pixel.
std::string OnePixelBmp()
{
  std::string b(58, '\0');
  b[0] = 'B';
  b[1] = 'M';
  b[2] = 58;
  b[10] = 54;
  b[14] = 40;
  b[18] = 1;  // width
  b[22] = 1;  // height
  b[26] = 1;
  b[28] = 24;
  b[54] = b[55] = b[56] = static_cast<char>(0xFF);
  return b;
}

// Runs the viewer's messages and timers until `done` holds, for at most a few seconds of real
// time (a loopback server answers in far less).
bool RunUntil(const std::function<bool()>& done)
{
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    vetra::ui::AdvanceClock(10);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

TEST_F(ViewerTest, APageOnItsWayLeavesTheWindowAnsweringAndEscDropsIt)
{
  vetra::web::testing::LoopbackServer server;
  server.Serve("/slow.html", {.stall = true});
  server.Serve("/fast.html", {.body = "<title>Fast</title><p>arrived</p><img src=\"dot.bmp\">"});
  server.Serve("/dot.bmp", {.contentType = "image/bmp", .body = OnePixelBmp()});

  // The start page is on its way: the window is shown and paints while it waits.
  CHalvorApp& viewer = Start(server.Url("/slow.html"));
  ASSERT_TRUE(viewer.View()->PageHost()->Loading());
  EXPECT_TRUE(viewer.Frame()->IsWindowVisible());
  ASSERT_TRUE(RunUntil([&] { return !server.LastRequest("/slow.html").empty(); }));
  EXPECT_TRUE(viewer.View()->PageHost()->Loading());

  // Esc stops it: the connection goes and the view says so in the system's words.
  vetra::ui::PressKeys("esc");
  vetra::ui::Pump();
  EXPECT_FALSE(viewer.View()->PageHost()->Loading());
  EXPECT_TRUE(RunUntil([&] { return server.Dropped("/slow.html"); }));
  std::string stopped;
  for (const std::string& word : PaintedTexts(viewer)) stopped += word + " ";
  EXPECT_NE(stopped.find("페이지 열기를 중지했습니다."), std::string::npos) << stopped;

  // A page that answers arrives through the window's own timer, its picture with it.
  viewer.View()->Navigate2(server.Url("/fast.html"));
  EXPECT_TRUE(RunUntil([&] { return !viewer.View()->PageHost()->Loading(); }));
  EXPECT_EQ(viewer.Frame()->GetWindowText(), "Fast - Viewer");
  vetra::gdi::ScopedDrawLog log;
  viewer.View()->Invalidate();
  viewer.View()->UpdateWindow();
  EXPECT_FALSE(log.Find("StretchDIBits").empty());
}

TEST_F(ViewerTest, APageThatCannotBeOpenedIsSaidInKoreanOnly)
{
  vetra::web::testing::LoopbackServer server;
  const std::string addresses[] = {"c:\\Vetra\\TempE\\nothing.html", server.Url("/missing.html"),
                                   "ftp://example.invalid/x.html"};
  for (const std::string& address : addresses) {
    CHalvorApp& viewer = Start(address);
    ASSERT_TRUE(RunUntil([&] { return !viewer.View()->PageHost()->Loading(); })) << address;
    const auto texts = PaintedTexts(viewer);
    ASSERT_FALSE(texts.empty()) << address;
    for (const std::string& text : texts) {
      const bool latin = std::any_of(text.begin(), text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '/'; });
      EXPECT_FALSE(latin) << address << ": " << text;
    }
    app.reset();
    vetra::ui::ResetForTests();
  }
}

TEST_F(ViewerTest, AnEndlessPageIsCutOffAndTheViewSaysItIsTooLarge)
{
  vetra::web::testing::LoopbackServer server;
  server.Serve("/endless.html", {.body = "<p>endless</p>", .endless = true});
  CHalvorApp& viewer = Start(server.Url("/endless.html"));
  // Waits until the page has failed, or until the server has sent far more than a page may
  // hold (then the page is still loading and the test fails, with the memory it took bounded).
  ASSERT_TRUE(RunUntil([&] {
    return !viewer.View()->PageHost()->Loading() ||
           server.BodyBytesSent("/endless.html") > 3 * vetra::web::kMaxPageBytes;
  }));
  EXPECT_FALSE(viewer.View()->PageHost()->Loading());
  EXPECT_TRUE(RunUntil([&] { return server.Dropped("/endless.html"); }));
  std::string said;
  for (const std::string& word : PaintedTexts(viewer)) said += word + " ";
  EXPECT_NE(said.find("페이지가 너무 큽니다."), std::string::npos) << said;
  EXPECT_EQ(viewer.Frame()->GetWindowText(), "Untitled - Viewer");
}

TEST_F(ViewerTest, APageNestedTooDeepIsSaidToBeTooLargeAndTheDeepestAllowedShows)
{
  const struct {
    int depth;
    std::string said;
    const char* caption;
  } cases[] = {
      {600, "페이지가 너무 큽니다.", "Untitled - Viewer"},
      // HTML and BODY hold the rest: as deep as a page may be.
      {static_cast<int>(vetra::web::kPageLimits.depth) - 2, "deep", "Deep - Viewer"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    std::string page = "<title>Deep</title>";
    for (int i = 0; i < c.depth; ++i) page += "<div style=\"margin-left: 1px\">";
    WritePage(page + "deep");
    CHalvorApp& viewer = Start(kPagePath);
    std::string said;
    for (const std::string& word : PaintedTexts(viewer)) said += word + " ";
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    EXPECT_EQ(viewer.Frame()->GetWindowText(), c.caption);
    app.reset();
    vetra::ui::ResetForTests();
  }
}

// Matching a descendant combinator tries every ancestor, and the part left of it again at each:
// six compounds over a hundred nested DIVs are over a billion tests for 600 bytes.
TEST_F(ViewerTest, APageWhoseStyleWouldTakeLongToMatchIsSaidToBeTooLarge)
{
  std::string page = "<title>Styled</title><style>q div div div div div p{}</style>";
  for (int i = 0; i < 100; ++i) page += "<div>";
  WritePage(page + "<p>styled");
  CHalvorApp& viewer = Start(kPagePath);
  std::string said;
  for (const std::string& word : PaintedTexts(viewer)) said += word + " ";
  EXPECT_NE(said.find("페이지가 너무 큽니다."), std::string::npos) << said;
  EXPECT_EQ(viewer.Frame()->GetWindowText(), "Untitled - Viewer");
}

// The PDF files the default printer ("PDF file" in a headless run) has written.
std::vector<fs::path> PrintedFiles(const vetra::testing::TempDrive& drive)
{
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(drive / "Vetra/Prints", ec)) files.push_back(entry.path());
  return files;
}

TEST_F(ViewerTest, KeysPrintStopAndGoForwardOnly)
{
  WritePage("<title>A</title><a href=\"b.html\">to b</a>", "Vetra/TempE/a.html");
  WritePage("<title>B</title>b", "Vetra/TempE/b.html");
  CHalvorApp& viewer = Start("c:\\Vetra\\TempE\\a.html");
  viewer.View()->Navigate2("c:\\Vetra\\TempE\\b.html");
  viewer.View()->GoBack();
  vetra::ui::Pump();
  EXPECT_EQ(viewer.Frame()->GetWindowText(), "A - Viewer");

  const struct {
    const char* keys;
    const char* caption;
    std::size_t printed;
  } steps[] = {
      {"alt+left", "A - Viewer", 0}, {"f5", "A - Viewer", 0},        {"ctrl+o", "A - Viewer", 0},
      {"ctrl+p", "A - Viewer", 1},   {"alt+right", "B - Viewer", 1}, {"esc", "B - Viewer", 1},
  };
  for (const auto& step : steps) {
    if (std::string(step.keys) == "ctrl+p") vetra::ui::QueuePrintDialogAnswer({});
    vetra::ui::PressKeys(step.keys);
    vetra::ui::Pump();
    EXPECT_EQ(viewer.Frame()->GetWindowText(), step.caption) << step.keys;
    EXPECT_EQ(PrintedFiles(drive).size(), step.printed) << step.keys;
  }
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
  const auto printed = PrintedFiles(drive);
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(vetra::testing::ReadWholeFile(printed[0]).substr(0, 5), "%PDF-");

  // Without a page there is nothing to print.
  app.reset();
  vetra::ui::ResetForTests();
  Start("");
  vetra::ui::PressKeys("ctrl+p");
  vetra::ui::Pump();
  EXPECT_EQ(PrintedFiles(drive).size(), 1u);
}

TEST_F(ViewerTest, CtrlPAsksForThePrinterCopiesAndOrientationFirst)
{
  WritePage("<title>A</title><p>report</p>", "Vetra/TempE/a.html");
  Start("c:\\Vetra\\TempE\\a.html");
  // Cancel prints nothing.
  vetra::ui::QueuePrintDialogAnswer({.ok = false});
  vetra::ui::PressKeys("ctrl+p");
  vetra::ui::Pump();
  EXPECT_TRUE(PrintedFiles(drive).empty());
  // OK prints as chosen: two copies, landscape.
  vetra::ui::QueuePrintDialogAnswer({.ok = true, .printer = "PDF file", .copies = 2, .orientation = win::DMORIENT_LANDSCAPE});
  vetra::ui::PressKeys("ctrl+p");
  vetra::ui::Pump();
  const auto& shown = vetra::ui::PrintDialogLog();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_FALSE(shown[0].setup);
  EXPECT_FALSE(shown[0].ok);
  EXPECT_TRUE(shown[1].ok);
  const auto printed = PrintedFiles(drive);
  ASSERT_EQ(printed.size(), 1u);
  // Each copy is a page of the file; a landscape sheet is wider than it is high.
  const auto pages = vetra::print::testing::PdfPageSizes(printed[0]);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_GT(pages[0].width, pages[0].height);
}

TEST_F(ViewerTest, APrintThatCannotBeWrittenIsSaid)
{
  WritePage("<title>A</title><p>report</p>", "Vetra/TempE/a.html");
  Start("c:\\Vetra\\TempE\\a.html");
  vetra::ui::QueuePrintDialogAnswer({});
  {
    const vetra::testing::FullDisk disk(16);
    ASSERT_TRUE(disk.Active());
    vetra::ui::PressKeys("ctrl+p");
    vetra::ui::Pump();
  }
  EXPECT_TRUE(PrintedFiles(drive).empty());
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, vetra::web::PrintFailedText());
}

TEST_F(ViewerTest, FollowingALinkLeavesThePageAndItsControl)
{
  WritePage(std::string("<body leftmargin=0 topmargin=0><object classid=\"clsid:") +
                vetra::web::testing::kWindowControlClsid +
                "\" width=50 height=20></object><br><a href=\"b.html\">next</a></body>",
            "Vetra/TempE/a.html");
  WritePage("<title>B</title>b", "Vetra/TempE/b.html");
  CHalvorApp& viewer = Start("c:\\Vetra\\TempE\\a.html");
  EXPECT_EQ(WindowControl::Log(), (std::vector<std::string>{"create 0,0,50,20"}));
  const win::HCURSOR hand = win::LoadCursor(nullptr, win::IDC_HAND);
  vetra::ui::MoveMouse(*viewer.View(), {300, 300});
  EXPECT_NE(win::GetCursor(), hand);
  for (int y = 20; y < 60 && viewer.Frame()->GetWindowText() != "B - Viewer"; y += 4) {
    vetra::ui::MoveMouse(*viewer.View(), {8, y});
    const bool overLink = win::GetCursor() == hand;
    vetra::ui::Click(*viewer.View(), {8, y});
    vetra::ui::Pump();
    EXPECT_EQ(overLink, viewer.Frame()->GetWindowText() == "B - Viewer") << y;
  }
  EXPECT_EQ(viewer.Frame()->GetWindowText(), "B - Viewer");
  EXPECT_EQ(WindowControl::Log(), (std::vector<std::string>{"create 0,0,50,20", "destroy"}));
}

TEST(ViewerProgram, RunsHeadlessWithASessionScriptAndWritesAScreenshot)
{
  vetra::testing::TempDrive drive;
  ASSERT_TRUE(win::ControlLoader::RegisterModule(VIEWER_TEST_MODULE));
  drive.WriteFile("Vetra/TempE/ScriptTemp.html",
                  savedata::ViewerPage(1, vetra::Cp949("c:\\Vetra\\저장데이터\\Car 1.OSC"), "1234Temp.Osc"));
  const fs::path shot = drive / "viewer.png";
  drive.WriteFile("viewer.script", "wait 600\ncaption\nscreenshot " + shot.string() + "\nquit\n");
  const fs::path out = drive / "out.txt";
  const std::string command = "VETRA_HEADLESS=1 VETRA_SCRIPT='" + (drive / "viewer.script").string() + "' '" +
                              VIEWER_PROGRAM + "' 'c:\\Vetra\\TempE\\ScriptTemp.html' >'" + out.string() +
                              "' 2>'" + (drive / "err.txt").string() + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << vetra::testing::ReadWholeFile(drive / "err.txt");
  EXPECT_EQ(WEXITSTATUS(status), 0) << vetra::testing::ReadWholeFile(drive / "err.txt");
  EXPECT_EQ(vetra::testing::ReadWholeFile(out), "Vetra 기록관리 : Car 1.OSC - Viewer\n");
  ASSERT_TRUE(fs::exists(shot));
  EXPECT_GT(fs::file_size(shot), 1000u);
  if (const char* keep = std::getenv("VIEWER_KEEP_SCREENSHOT")) fs::copy_file(shot, keep, fs::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace halvor
