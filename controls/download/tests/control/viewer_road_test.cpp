// The download control as a server page uses it inside the page viewer: the Viewer program loads
// the control module, the page starts a download from the loopback server, and on DNOK hands the
// working copy's name on by opening a page, which starts a stand-in page viewer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "controls/download/pakrel_identity.h"
#include "platform/net/testing/loopback_http_server.h"
#include "platform/ole/testing/viewer_run.h"
#include "tools/samples/savedata_sample.h"

namespace pakrel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ViewerRoad, APageDownloadsARecordingThroughTheModuleAndOpensTheNextPage)
{
  vetra::testing::TempDrive drive;
  ASSERT_TRUE(vetra::testing::PrepareViewerDrive(drive, {kClsid, kProgId, PAKREL_MODULE}));
  const std::string recording = vetra::samples::SampleRecordingBytes(3000);
  vetra::testing::HttpReply reply;
  reply.body = vetra::samples::MakeSaveDataArchive(recording);
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());  // the Viewer inherits it

  // The page viewer the control starts: it notes the address it was given.
  const fs::path opened = drive / "opened.txt";
  drive.WriteFile("Vetra/Fenmark/Viewer.exe", "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened.string() + "'\n");
  ::chmod((drive / "Vetra/Fenmark/Viewer.exe").c_str(), 0755);

  drive.WriteFile("Vetra/page.html", std::string(R"PAGE(<html><head><title>Download</title></head><body>
<object id="Pakrel" classid="clsid:2BF4F112-70B3-468E-B322-63C099C00D11" width=10 height=10></object>
<script for="Pakrel" event="DNOK()">Pakrel.OpenURL = "c:\\Vetra\\TempE\\" + Pakrel.OutputFileName;</script>
<script for="Pakrel" event="DNFAIL()">Pakrel.OpenURL = "failed";</script>
<script>
Pakrel.ServerIP = "127.0.0.1";
Pakrel.ServerFileName = "/data/engine.OSC";
Pakrel.FileSize = )PAGE") + std::to_string(reply.body.size()) + R"PAGE(;
Pakrel.DataType = 1;
Pakrel.RunOcx = 1;
</script></body></html>)PAGE");
  const auto run = vetra::testing::RunViewer(drive, VIEWER_PROGRAM, "c:\\Vetra\\page.html", "wait 1500\nquit\n");
  const std::string& errors = run.errors;
  ASSERT_TRUE(run.Exited()) << errors;
  EXPECT_EQ(run.ExitCode(), 0) << errors;
  ASSERT_EQ(server.Requests().size(), 1u) << errors << vetra::testing::ReadWholeFile(opened);
  EXPECT_TRUE(server.Requests().front().starts_with("GET /data/engine.OSC ")) << server.Requests().front();
  // The stand-in is not waited for: give it a moment to write.
  for (int i = 0; i < 100 && !fs::exists(opened); ++i) ::usleep(10'000);
  const std::string address = vetra::testing::ReadWholeFile(opened);
  ASSERT_TRUE(address.starts_with("c:\\Vetra\\TempE\\") && address.ends_with("Temp.Osc")) << address << errors;
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + address.substr(std::string("c:\\Vetra\\TempE\\").size())), recording);
}

}  // namespace
}  // namespace pakrel::testing
