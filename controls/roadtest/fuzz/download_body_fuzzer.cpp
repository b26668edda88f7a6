// The road-test download dialog on arbitrary answers from a loopback server: status, framing, a
// body cut short, then the recording it got unpacked and read. Whatever comes, a failed download
// leaves no file and a finished one never crashes its reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "controls/roadtest/core/recording_file.h"
#include "controls/roadtest/windows/download_dlg.h"
#include "platform/base/drive.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/net/testing/loopback_http_server.h"
#include "platform/ui/testing.h"

namespace {

constexpr int kStatuses[] = {200, 200, 204, 206, 299, 301, 404, 500};

bool Exists(const std::string& windowsPath)
{
  std::error_code ec;
  return std::filesystem::exists(vetra::MapPath(windowsPath), ec);
}

}  // namespace

// The first three bytes choose the status, the framing (and whether the answer stops short) and
// where it stops; the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  if (size < 3) return 0;
  vetra::ui::ResetForTests();
  std::error_code ec;
  std::filesystem::create_directories(drive / "Windows", ec);
  std::filesystem::create_directories(drive / "Vetra/TempE", ec);
  vetra::testing::HttpReply reply;
  reply.status = kStatuses[data[0] % 8];
  reply.framing = static_cast<vetra::testing::HttpReply::Framing>(data[1] % 3);
  if (data[1] & 0x10) reply.stopAfter = data[2];
  reply.body.assign(reinterpret_cast<const char*>(data + 3), size - 3);
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());

  const std::string local = "C:\\Vetra\\TempE\\1Temp.Res";
  morvit::CRecordingDownloadDlg dialog(nullptr);
  dialog.m_serverHost = "127.0.0.1";
  dialog.m_serverPath = "/record/1.Res";
  dialog.m_localPath = local;
  dialog.m_noAnswerMs = 2000;
  const bool ok = dialog.DoModal() == win::IDOK;
  if (!ok && Exists(local)) std::abort();
  if (ok) {
    const morvit::LoadedFile loaded = morvit::LoadRecordingFile(local, {});
    if (!loaded.unpackedPath.empty()) std::filesystem::remove(vetra::MapPath(loaded.unpackedPath), ec);
    std::filesystem::remove(vetra::MapPath(local), ec);
  }
  vetra::ui::ResetForTests();
  return 0;
}
