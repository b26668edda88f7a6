// Recordings fetched from the report server: the working copy and DNOK, or DNFAIL and no file.
#include <filesystem>
#include <utility>

#include "controls/download/tests/control/pakrel_fixture.h"
#include "platform/base/clock.h"
#include "platform/base/testing/full_disk.h"
#include "platform/ui/message_box.h"
#include "tools/samples/savedata_sample.h"

namespace pakrel::testing {
namespace {

using vetra::testing::HttpReply;
using vetra::testing::LoopbackHttpServer;

TEST_F(ControlTest, EachKindBecomesItsWorkingCopyAndTheDownloadGoes)
{
  // 4096 bytes: a road-test recording that fills its last read ends with one empty read.
  const std::string recording = vetra::samples::SampleRecordingBytes(4096);
  const struct {
    short dataType;
    std::string body;
    const char* extension;
  } cases[] = {
      {1, vetra::samples::MakeSaveDataArchive(recording), ".Osc"},
      {2, vetra::samples::MakeSaveDataArchive(recording, vetra::samples::ZipMethod::stored), ".Ig1"},
      {3, vetra::samples::MakeSaveDataArchive(recording), ".Ig2"},
      {4, vetra::samples::MakeSaveDataArchive(recording), ".Scn"},
      {5, recording, ".Res"},
  };
  for (const auto& c : cases) {
    HttpReply reply;
    reply.body = c.body;
    LoopbackHttpServer server(reply);
    vetra::testing::HttpPortOverride port(server.Port());
    events.clear();
    Download("/reports/car" + std::to_string(c.dataType), static_cast<long>(c.body.size()), c.dataType);
    ASSERT_EQ(events, std::vector<win::DISPID>{kEventDnOk}) << c.dataType;
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_TRUE(server.Requests().front().starts_with("GET /reports/car" + std::to_string(c.dataType) + " "));
    const std::string output = Get("OutputFileName").AsString();
    EXPECT_TRUE(output.ends_with(std::string("Temp") + c.extension)) << output;
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + output), recording) << c.dataType;
    EXPECT_EQ(control->SkinDialog().Position(), 10000);
    EXPECT_TRUE(FilesIn("Windows").empty()) << c.dataType;  // the temporary download is gone
    std::filesystem::remove(drive / ("Vetra/TempE/" + output));
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ControlTest, AFailedCancelledOrUnansweredDownloadFiresDNFAILAndLeavesNoFile)
{
  using Hook = std::function<void(CDownloadDialogBase&)>;
  const struct {
    const char* name;
    HttpReply reply;
    Hook afterRead;
    const char* message;  // UTF-8; null: none
    const char* host = "127.0.0.1";
    bool refused = false;  // nothing listens on the port
  } cases[] = {
      {"not found", [] { HttpReply r; r.status = 404; r.body = "<html>missing</html>"; return r; }(), {},
       "서버에서 파일을 받을 수 없습니다. (HTTP 404)"},
      {"server error", [] { HttpReply r; r.status = 500; r.patternSize = 3000; return r; }(), {},
       "서버에서 파일을 받을 수 없습니다. (HTTP 500)"},
      {"cut body", [] { HttpReply r; r.patternSize = 10'000; r.stopAfter = 3000; return r; }(), {},
       "서버와의 연결이 비정상적으로 끊어졌습니다."},
      {"refused connection", HttpReply{}, {}, "서버에 연결할 수 없습니다.", "127.0.0.1", true},
      {"unknown host", HttpReply{}, {}, "서버 이름 또는 주소를 찾을 수 없습니다.", "no-such-host.invalid"},
      {"escape pressed", [] { HttpReply r; r.patternSize = 10'000; return r; }(),
       [](CDownloadDialogBase&) { vetra::ui::PressKeys("escape"); }, nullptr},
      {"no answer for 10 s", [] { HttpReply r; r.patternSize = 10'000; return r; }(),
       [](CDownloadDialogBase&) { vetra::AdvanceVirtualClock(CDownloadDialogBase::kNoAnswerMs); }, "서버에서 응답이 없습니다."},
      // The network layer's own wait, shortened here, ends in the same words.
      {"body stalls", [] { HttpReply r; r.patternSize = 10'000; r.stopAfter = 2048; r.cut = HttpReply::Cut::Stall; return r; }(),
       {}, "서버에서 응답이 없습니다."},
  };
  control->SkinDialog().SetReceiveTimeout(150);
  for (const auto& c : cases) {
    vetra::ui::ClearMessageBoxes();
    CDownloadDialogBase::SetAfterReadHookForTests(c.afterRead);
    LoopbackHttpServer server(c.reply);
    vetra::testing::HttpPortOverride port(c.refused ? LoopbackHttpServer::UnusedPort() : server.Port());
    events.clear();
    Download("/reports/run.OSC", 10'000, 1, c.host);
    EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail}) << c.name;
    EXPECT_TRUE(FilesIn("Windows").empty()) << c.name;
    EXPECT_TRUE(FilesIn("Vetra/TempE").empty()) << c.name;
    if (c.message == nullptr) {
      EXPECT_TRUE(Messages().empty()) << c.name << ": " << (Messages().empty() ? "" : vetra::Utf8(Messages().front()));
    } else {
      ASSERT_EQ(Messages().size(), 1u) << c.name;
      EXPECT_EQ(Messages().front(), vetra::Cp949(c.message)) << c.name << ": " << vetra::Utf8(Messages().front());
    }
  }
}

TEST_F(ControlTest, AFullDiskFiresDNFAILSaysSoAndLeavesNoFile)
{
  HttpReply reply;
  reply.patternSize = 100'000;
  LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  {
    const vetra::testing::FullDisk disk(4096);
    ASSERT_TRUE(disk.Active());
    Download("/reports/run.OSC", 100'000, 1);
  }
  EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail});
  EXPECT_TRUE(FilesIn("Windows").empty());
  EXPECT_TRUE(FilesIn("Vetra/TempE").empty());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages().front().starts_with("Disk full")) << Messages().front();
}

TEST_F(ControlTest, ARedirectToTheRecordingIsFollowed)
{
  const std::string archive = vetra::samples::MakeSaveDataArchive(vetra::samples::SampleRecordingBytes(3000));
  HttpReply moved;
  moved.status = 302;
  moved.headers = {"Location: /store/run.OSC"};
  LoopbackHttpServer server({{"/reports/run.OSC", moved}, {"/store/run.OSC", HttpReply{.body = archive}}});
  vetra::testing::HttpPortOverride port(server.Port());
  Download("/reports/run.OSC", static_cast<long>(archive.size()), 1);
  EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnOk});
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + Get("OutputFileName").AsString()), vetra::samples::SampleRecordingBytes(3000));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ControlTest, AKindOutsideOneToFiveFailsAtOnceWithoutARequest)
{
  LoopbackHttpServer server(HttpReply{});
  vetra::testing::HttpPortOverride port(server.Port());
  Set("OutputFileName", win::COleVariant("earlier.Osc"));
  for (short dataType : {0, 6, -1}) {
    events.clear();
    Download("/reports/run.OSC", 100, dataType);
    EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail}) << dataType;
  }
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(Get("OutputFileName").AsString(), "earlier.Osc");
  EXPECT_TRUE(FilesIn("Vetra/TempE").empty());
}

TEST_F(ControlTest, AStartFromThePageDuringADownloadFailsAndLeavesTheRunningOneAlone)
{
  const std::string recording = vetra::samples::SampleRecordingBytes(3000);
  HttpReply reply;
  reply.body = recording;
  LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  bool again = true;
  CDownloadDialogBase::SetAfterReadHookForTests([this, &again](CDownloadDialogBase&) {
    if (std::exchange(again, false)) Set("RunOcx", win::COleVariant(static_cast<win::SHORT>(1)));
  });
  Download("/reports/run.RES", static_cast<long>(recording.size()), 5);
  EXPECT_EQ(events, (std::vector<win::DISPID>{kEventDnFail, kEventDnOk}));
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + Get("OutputFileName").AsString()), recording);
}

TEST_F(ControlTest, ADamagedArchiveIsReportedAndFiresDNFAILInsteadOfEscaping)
{
  HttpReply reply;
  reply.body = "PK this is no archive";
  LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  Download("/reports/run.SCN", static_cast<long>(reply.body.size()), 4);
  EXPECT_EQ(events, std::vector<win::DISPID>{kEventDnFail});
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(FilesIn("Windows").empty());
  EXPECT_TRUE(FilesIn("Vetra/TempE").empty());
}

}  // namespace
}  // namespace pakrel::testing
