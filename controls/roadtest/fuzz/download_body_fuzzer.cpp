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
#include "platform/net/testing/fuzzed_download.h"
#include "platform/ui/testing.h"

// The first three bytes choose the status, the framing (and whether the answer stops short) and
// where it stops; the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  if (size < 3) return 0;
  vetra::ui::ResetForTests();
  vetra::testing::MakeDownloadFolders(drive);
  const vetra::testing::HttpReply reply = vetra::testing::FuzzedReply(data, size, 3);
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());

  const std::string local = "C:\\Vetra\\TempE\\1Temp.Res";
  morvit::CRecordingDownloadDlg dialog(nullptr);
  dialog.m_serverHost = "127.0.0.1";
  dialog.m_serverPath = "/record/1.Res";
  dialog.m_localPath = local;
  dialog.m_noAnswerMs = 2000;
  const bool ok = dialog.DoModal() == win::IDOK;
  if (!ok && vetra::testing::DriveFileExists(local)) std::abort();
  if (ok) {
    std::error_code ec;
    const morvit::LoadedFile loaded = morvit::LoadRecordingFile(local, {});
    if (!loaded.unpackedPath.empty()) std::filesystem::remove(vetra::MapPath(loaded.unpackedPath), ec);
    std::filesystem::remove(vetra::MapPath(local), ec);
  }
  vetra::ui::ResetForTests();
  return 0;
}
