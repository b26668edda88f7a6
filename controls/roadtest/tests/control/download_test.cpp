// Step 0: the recording fetched from the report server into the exchange folder, then loaded.
#include <fstream>
#include <iterator>

#include "controls/roadtest/tests/control/morvit_fixture.h"
#include "controls/roadtest/windows/download_dlg.h"
#include "platform/base/clock.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/text.h"
#include "platform/net/testing/loopback_http_server.h"

namespace morvit::testing {
namespace {

using vetra::testing::HttpReply;

class DownloadTest : public ControlTest {
protected:
  void Download()
  {
    vetra::PinWallClockForTests(1'700'000'000);
    Set("DownloadFile", win::COleVariant("http://127.0.0.1/reports/run.RES"));
    Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(0)));
    vetra::PinWallClockForTests(std::nullopt);
    vetra::ui::Pump();
  }
  static std::string SampleBytes()
  {
    const auto path = std::filesystem::temp_directory_path() / "morvit-download-sample.RES";
    vetra::samples::RoadTestOptions options;
    options.packed = true;
    EXPECT_TRUE(vetra::samples::WriteRoadTestSample(options, path));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }
};

TEST_F(DownloadTest, AWholeAnswerIsWrittenAndLoaded)
{
  HttpReply reply;
  reply.body = SampleBytes();
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  Download();
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_TRUE(server.Requests().front().starts_with("GET /reports/run.RES ")) << server.Requests().front();
  EXPECT_TRUE(control->Model().State().loaded);
  EXPECT_EQ(control->ReadFileName(), "1700000000run.RES");
  EXPECT_TRUE(std::filesystem::exists(Exchange("1700000000run.RES")));
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(DownloadTest, ARedirectToTheRecordingIsFollowed)
{
  HttpReply moved;
  moved.status = 302;
  moved.headers = {"Location: /store/run.RES"};
  vetra::testing::LoopbackHttpServer server({{"/reports/run.RES", moved}, {"/store/run.RES", HttpReply{.body = SampleBytes()}}});
  vetra::testing::HttpPortOverride port(server.Port());
  Download();
  EXPECT_EQ(server.Requests().size(), 2u);
  EXPECT_TRUE(control->Model().State().loaded);
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(DownloadTest, AnErrorAnswerABrokenBodyOrSilenceIsAFailureAndLeavesNoFile)
{
  const struct {
    const char* name;
    HttpReply reply;
    const char* reason;  // UTF-8: what the user is told before "실패", none for a server given up on
    bool diskFull = false;  // no file grows past 4 KB
  } cases[] = {
      {"not found", [] { HttpReply r; r.status = 404; r.body = "<html>missing</html>"; return r; }(),
       "서버에서 파일을 받을 수 없습니다. (HTTP 404)"},
      {"broken off", [] { HttpReply r; r.patternSize = 10'000; r.stopAfter = 3000; return r; }(),
       "서버와의 연결이 비정상적으로 끊어졌습니다."},
      {"stalled", [] { HttpReply r; r.patternSize = 10'000; r.stopAfter = 4096; r.cut = HttpReply::Cut::Stall; return r; }(),
       nullptr},
      {"silent", [] { HttpReply r; r.answer = false; return r; }(), nullptr},
      {"disk full", [] { HttpReply r; r.patternSize = 100'000; return r; }(), "Disk full while accessing", true},
  };
  control->SetNoAnswerTimeout(200);
  for (const auto& c : cases) {
    vetra::ui::ClearMessageBoxes();
    vetra::testing::LoopbackHttpServer server(c.reply);
    vetra::testing::HttpPortOverride port(server.Port());
    if (c.diskFull) {
      const vetra::testing::FullDisk disk(4096);
      ASSERT_TRUE(disk.Active());
      Download();
    } else {
      Download();
    }
    ASSERT_EQ(MessageTexts().size(), c.reason ? 2u : 1u) << c.name;
    if (c.reason) {
      EXPECT_TRUE(MessageTexts().front().starts_with(vetra::Cp949(c.reason))) << c.name << ": " << vetra::Utf8(MessageTexts().front());
    }
    EXPECT_EQ(MessageTexts().back(), vetra::Cp949("실패")) << c.name;
    EXPECT_EQ(vetra::ui::MessageBoxLog().back().caption, vetra::Cp949("확인")) << c.name;
    EXPECT_FALSE(std::filesystem::exists(Exchange("1700000000run.RES"))) << c.name;
    EXPECT_FALSE(control->Model().State().loaded) << c.name;
  }
}

TEST_F(DownloadTest, AnAddressWithoutAPathAsksNoServer)
{
  vetra::testing::LoopbackHttpServer server(HttpReply{.body = SampleBytes()});
  vetra::testing::HttpPortOverride port(server.Port());
  Set("DownloadFile", win::COleVariant("http://127.0.0.1"));
  Set("ExecProcedure", win::COleVariant(static_cast<win::SHORT>(0)));
  vetra::ui::Pump();
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{vetra::Cp949("실패")});
  EXPECT_FALSE(control->Model().State().loaded);
}

TEST(DownloadProgressTest, TheBarFollowsTheExpectedSizeAndStaysFull)
{
  const struct {
    std::int64_t total;
    int progress;
  } cases[] = {{0, 0}, {2048, 0}, {20'000, 1}, {1'000'000, 50}, {1'999'999, 99}, {2'000'000, 100}, {3'000'000, 100}};
  for (const auto& c : cases) EXPECT_EQ(CRecordingDownloadDlg::ProgressOf(c.total), c.progress) << c.total;
}

}  // namespace
}  // namespace morvit::testing
