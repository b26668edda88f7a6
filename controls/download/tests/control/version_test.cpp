// Version checks, installers, programs and pages started from the control.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include "controls/download/tests/control/pakrel_fixture.h"
#include "platform/base/process.h"
#include "platform/ole/testing/control_checks.h"
#include "platform/ui/message_box.h"
#include "platform/ui/paint.h"
#include "platform/ui/system_metrics.h"
#include "tools/samples/version_sample.h"

namespace pakrel::testing {
namespace {

using vetra::testing::HttpReply;
using vetra::testing::LoopbackHttpServer;

class TitledWindow : public win::CWnd {
public:
  win::BOOL Make(const char* title) { return CreateEx(0, "Other", title, win::WS_POPUP, win::CRect(0, 0, 10, 10), nullptr, 0); }
};

class VersionTest : public ControlTest {
protected:
  // Offers a version through `property` with the installer named `installer` on the server.
  void Offer(const char* property, double offered, const std::string& installer = "VetraFenmark.exe")
  {
    Set("ServerIP", win::COleVariant("127.0.0.1"));
    Set("ServerFileName", win::COleVariant(installer));
    Set("FileSize", win::COleVariant(static_cast<win::LONG>(kInstaller.size())));
    if (std::string(property) == "NewVersion") {
      Set(property, win::COleVariant(offered));
    } else {
      Set(property, win::COleVariant(static_cast<float>(offered)));
    }
  }
  size_t Questions() const
  {
    size_t n = 0;
    for (const auto& box : vetra::ui::MessageBoxLog()) n += box.caption == vetra::Cp949("확인") ? 1 : 0;
    return n;
  }
  inline static const std::string kInstaller = std::string("MZ") + std::string(3000, 'i');
};

TEST_F(VersionTest, EachCheckAsksInstallsAndChainsAsItsPropertyDoes)
{
  const struct {
    const char* name;
    const char* property;
    double offered;
    int answer;                 // IDYES / IDNO for the question, 0 when none is expected
    int status;                 // the server's answer to the installer request
    const char* blockingTitle;  // an open window with this title, or null
    bool started;
    int eventsAtOnce;
    int eventsAfter4s;
  } cases[] = {
      {"report same", "NewVersion", 1.30, 0, 200, nullptr, false, 1, 0},
      {"report declined", "NewVersion", 2.0, win::IDNO, 200, nullptr, false, 1, 0},
      {"report installed", "NewVersion", 2.0, win::IDYES, 200, nullptr, true, 0, 1},
      {"report already running", "NewVersion", 2.0, win::IDYES, 200, "VetraFenmark.exe", false, 0, 1},
      {"report download failed", "NewVersion", 2.0, win::IDYES, 404, nullptr, false, 1, 0},
      {"editor same", "NewVersion2", 1.20, 0, 200, nullptr, false, 0, 0},
      {"editor installed", "NewVersion2", 1.21, win::IDYES, 200, nullptr, true, 0, 0},
      {"editor declined", "NewVersion2", 1.21, win::IDNO, 200, nullptr, false, 0, 0},
      {"viewer same", "ViewerVersion", 1.05, 0, 200, nullptr, false, 0, 0},
      {"viewer installed", "ViewerVersion", 1.06, win::IDYES, 200, nullptr, true, 0, 1},
      {"viewer already running", "ViewerVersion", 1.06, win::IDYES, 200, "Lumbrel.exe", false, 0, 1},
      {"viewer download failed", "ViewerVersion", 1.06, win::IDYES, 404, nullptr, false, 0, 0},
  };
  ASSERT_TRUE(vetra::samples::WriteVersionSample({}, drive / "Vetra/Fenmark"));  // 1.30, 1.20, 1.05
  for (const auto& c : cases) {
    HttpReply reply;
    reply.status = c.status;
    reply.body = kInstaller;
    LoopbackHttpServer server(reply);
    vetra::testing::HttpPortOverride port(server.Port());
    TitledWindow other;
    if (c.blockingTitle != nullptr) { ASSERT_TRUE(other.Make(c.blockingTitle)); }
    vetra::ui::ClearMessageBoxes();
    if (c.answer != 0) vetra::ui::QueueMessageBoxAnswer(c.answer);
    events.clear();
    started.clear();
    Offer(c.property, c.offered);
    EXPECT_EQ(Questions(), c.answer != 0 ? 1u : 0u) << c.name;
    EXPECT_EQ(std::count(events.begin(), events.end(), kEventNextVersionCheck), c.eventsAtOnce) << c.name;
    vetra::ui::AdvanceClock(CPakrelCtrl::kNextCheckDelayMs);
    EXPECT_EQ(std::count(events.begin(), events.end(), kEventNextVersionCheck), c.eventsAtOnce + c.eventsAfter4s) << c.name;
    EXPECT_EQ(started, c.started ? std::vector<std::string>{"c:\\VetraFenmark.exe"} : std::vector<std::string>{}) << c.name;
    EXPECT_EQ(server.Requests().size(), c.answer == win::IDYES ? 1u : 0u) << c.name;
    const bool installerKept = c.answer == win::IDYES && c.status == 200;
    EXPECT_EQ(std::filesystem::exists(drive / "VetraFenmark.exe"), installerKept) << c.name;
    std::filesystem::remove(drive / "VetraFenmark.exe");
  }
}

// The plain download dialog (an installer's) gives no place of its own: it opens centred over
// the page it is asked from, and whole on the screen where the page stands at its edge.
TEST_F(VersionTest, ThePlainDownloadDialogOpensCentredOverThePageAndOnTheScreen)
{
  ASSERT_TRUE(vetra::samples::WriteVersionSample({}, drive / "Vetra/Fenmark"));
  const struct {
    const char* name;
    win::CRect page;
  } cases[] = {
      {"page in the middle", win::CRect(200, 150, 824, 618)},
      {"page at the top-left corner", win::CRect(0, 0, 200, 40)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HttpReply reply;
    reply.body = kInstaller;
    LoopbackHttpServer server(reply);
    vetra::testing::HttpPortOverride port(server.Port());
    page->SetWindowPos(nullptr, c.page.left, c.page.top, c.page.Width(), c.page.Height(), win::SWP_NOZORDER);
    std::optional<win::CRect> shown;
    CDownloadDialogBase::SetAfterReadHookForTests([&](CDownloadDialogBase& dialog) {
      win::CRect r;
      dialog.GetWindowRect(&r);
      shown = r;
    });
    vetra::ui::QueueMessageBoxAnswer(win::IDYES);
    Offer("NewVersion", 2.0);
    CDownloadDialogBase::SetAfterReadHookForTests({});
    ASSERT_TRUE(shown);
    const int width = win::GetSystemMetrics(win::SM_CXSCREEN), height = win::GetSystemMetrics(win::SM_CYSCREEN);
    const win::CPoint centre(std::clamp(c.page.CenterPoint().x, shown->Width() / 2, width - shown->Width() / 2),
                             std::clamp(c.page.CenterPoint().y, shown->Height() / 2, height - shown->Height() / 2));
    EXPECT_LE(std::abs(shown->CenterPoint().x - centre.x), 1) << shown->left << "," << shown->top;
    EXPECT_LE(std::abs(shown->CenterPoint().y - centre.y), 1) << shown->left << "," << shown->top;
    std::filesystem::remove(drive / "VetraFenmark.exe");
  }
}

TEST_F(VersionTest, AnInstallerOrProgramNameThatIsNotPlainIsRefused)
{
  LoopbackHttpServer server(HttpReply{.body = kInstaller});
  vetra::testing::HttpPortOverride port(server.Port());
  for (const char* name : {"..\\Windows\\evil.exe", "Vetra/Fenmark/Viewer.exe", "d:evil.exe", "", "..", "a\"b.exe"}) {
    vetra::ui::QueueMessageBoxAnswer(win::IDYES);
    events.clear();
    Offer("NewVersion", 9.0, name);
    EXPECT_EQ(events, std::vector<win::DISPID>{kEventNextVersionCheck}) << name;
    Set("RunPgm", win::COleVariant(static_cast<win::SHORT>(1)));
  }
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_TRUE(started.empty());
}

TEST_F(VersionTest, RunPgmFetchesAndStartsAProgramUnlessTheMarkerProgramIsInstalled)
{
  LoopbackHttpServer server(HttpReply{.body = kInstaller});
  vetra::testing::HttpPortOverride port(server.Port());
  Set("ServerIP", win::COleVariant("127.0.0.1"));
  Set("ServerFileName", win::COleVariant("Client Setup.exe"));
  Set("FileSize", win::COleVariant(static_cast<win::LONG>(kInstaller.size())));
  Set("RunPgm", win::COleVariant(static_cast<win::SHORT>(0)));
  EXPECT_EQ(started, std::vector<std::string>{"\"c:\\Client Setup.exe\""});
  EXPECT_EQ(drive.ReadFile("Client Setup.exe"), kInstaller);
  EXPECT_EQ(control->ProgramPath(), "c:\\Client Setup.exe");

  drive.WriteFile("Vetra/Fenmark/FenmarkClient.exe", "");
  control->SetModifiedFlag(win::FALSE);
  Set("RunPgm", win::COleVariant(static_cast<win::SHORT>(1)));
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(started.size(), 1u);
  EXPECT_FALSE(control->IsModified());

  // The fetched program goes with the control's window; a report installer from an earlier
  // check goes when the next control is made.
  drive.WriteFile("VetraFenmark.exe", "old");
  control->DestroyWindow();
  EXPECT_FALSE(std::filesystem::exists(drive / "Client Setup.exe"));
  EXPECT_TRUE(std::filesystem::exists(drive / "VetraFenmark.exe"));
  CPakrelCtrl next;
  ASSERT_TRUE(next.CreateControlWindow(page.get(), win::CRect(0, 0, 20, 20)));
  EXPECT_FALSE(std::filesystem::exists(drive / "VetraFenmark.exe"));
}

// Fetched programs really run: a small script that leaves a marker beside itself.
TEST_F(VersionTest, FetchedInstallersAndProgramsAreMadeRunnableAndStartOrSaySoWhenTheyCannot)
{
  const std::string script = "#!/bin/sh\necho started > \"$0.started\"\n";
  const struct {
    const char* name;
    const char* property;  // "RunPgm" or a version property
    std::string body;
    bool runs;
    int eventsAtOnce;
    int eventsAfter4s;
  } cases[] = {
      {"report installer", "NewVersion", script, true, 0, 1},
      {"editor installer", "NewVersion2", script, true, 0, 0},
      {"viewer installer", "ViewerVersion", script, true, 0, 1},
      {"program", "RunPgm", script, true, 0, 0},
      // Not a program this system can run: the user is told and the page's chain goes on as
      // after a start.
      {"report installer that cannot run", "NewVersion", "MZ not for this system", false, 0, 1},
      {"editor installer that cannot run", "NewVersion2", "MZ not for this system", false, 0, 0},
      {"viewer installer that cannot run", "ViewerVersion", "MZ not for this system", false, 0, 1},
      {"program that cannot run", "RunPgm", "MZ not for this system", false, 0, 0},
  };
  // What the user was told, the questions and the skin reports left out.
  auto failures = [] {
    std::vector<std::string> texts;
    for (const auto& box : vetra::ui::MessageBoxLog()) {
      if (box.caption != vetra::Cp949("확인") && !box.text.ends_with("Load Error")) texts.push_back(box.text);
    }
    return texts;
  };
  ASSERT_TRUE(vetra::samples::WriteVersionSample({}, drive / "Vetra/Fenmark"));
  const vetra::ProcessStarter recording = vetra::SetProcessStarterForTests({});
  for (const auto& c : cases) {
    LoopbackHttpServer server(HttpReply{.body = c.body});
    vetra::testing::HttpPortOverride port(server.Port());
    const std::string file = std::string(c.name).find("program") == 0 ? "Client.exe" : "Setup.exe";
    vetra::ui::ClearMessageBoxes();
    events.clear();
    if (std::string(c.property) == "RunPgm") {
      Set("ServerIP", win::COleVariant("127.0.0.1"));
      Set("ServerFileName", win::COleVariant(file));
      Set("FileSize", win::COleVariant(static_cast<win::LONG>(c.body.size())));
      Set("RunPgm", win::COleVariant(static_cast<win::SHORT>(1)));
    } else {
      vetra::ui::QueueMessageBoxAnswer(win::IDYES);
      Offer(c.property, 9.0, file);
    }
    const std::filesystem::path program = drive / file;
    EXPECT_EQ(std::count(events.begin(), events.end(), kEventNextVersionCheck), c.eventsAtOnce) << c.name;
    vetra::ui::AdvanceClock(CPakrelCtrl::kNextCheckDelayMs);
    EXPECT_EQ(std::count(events.begin(), events.end(), kEventNextVersionCheck), c.eventsAtOnce + c.eventsAfter4s) << c.name;
    ASSERT_TRUE(std::filesystem::exists(program)) << c.name;
    EXPECT_NE(std::filesystem::status(program).permissions() & std::filesystem::perms::owner_exec, std::filesystem::perms::none) << c.name;
    const std::filesystem::path marker = program.string() + ".started";
    if (c.runs) {
      // The program runs on its own; give it time on a loaded machine.
      for (int i = 0; i < 200 && !std::filesystem::exists(marker); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
      EXPECT_TRUE(std::filesystem::exists(marker)) << c.name;
      EXPECT_TRUE(failures().empty()) << c.name;
    } else {
      ASSERT_EQ(failures().size(), 1u) << c.name;
      EXPECT_EQ(failures().front(), "c:\\" + file + vetra::Cp949("\n프로그램을 실행할 수 없습니다.")) << c.name;
    }
    std::filesystem::remove(marker);
    std::filesystem::remove(program);
  }
  vetra::SetProcessStarterForTests(recording);
}

TEST_F(ControlTest, OpenURLStartsThePageViewerOnTheAddress)
{
  Set("OpenURL", win::COleVariant("http://127.0.0.1/report/page 1.htm"));
  EXPECT_EQ(started, std::vector<std::string>{"C:\\Vetra\\Fenmark\\Viewer.exe http://127.0.0.1/report/page 1.htm"});
}

TEST_F(ControlTest, PropertiesAndEventsStandInDispatchOrderAndTheFaceIsFilled)
{
  const vetra::testing::PropertyShape expected[] = {
      {"RunOcx", win::VT_I2},         {"ServerFileName", win::VT_BSTR}, {"ServerIP", win::VT_BSTR}, {"FileSize", win::VT_I4},
      {"OutputFileName", win::VT_BSTR}, {"DataType", win::VT_I2},     {"IsFenmarkMode", win::VT_I2}, {"NewVersion", win::VT_R8},
      {"RunPgm", win::VT_I2},         {"OpenURL", win::VT_BSTR},      {"NewVersion2", win::VT_R4},  {"ViewerVersion", win::VT_R4}};
  ASSERT_NO_FATAL_FAILURE(vetra::testing::ExpectPropertiesInDispatchOrder(control->Dispatch(), expected));
  ASSERT_EQ(control->Events().size(), 3u);
  EXPECT_EQ(control->Events()[0].name, "DNOK");
  EXPECT_EQ(control->Events()[1].name, "DNFAIL");
  EXPECT_EQ(control->Events()[2].name, "NextVersionCheck");
  vetra::testing::ExpectSafeForScripting(*control);

  control->SetModifiedFlag(win::FALSE);
  Set("IsFenmarkMode", win::COleVariant(static_cast<win::SHORT>(1)));
  EXPECT_TRUE(control->IsModified());
  EXPECT_TRUE(events.empty());
  vetra::ui::Pump();
  win::CClientDC dc(control.get());
  EXPECT_EQ(dc.GetPixel(100, 20), CPakrelCtrl::kFaceColor);
}

}  // namespace
}  // namespace pakrel::testing
