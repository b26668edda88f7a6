// The download dialog on arbitrary answers from a loopback server: status, framing, a body cut
// short, then the working copy made of the file it got (a saved-data archive unpacked, a road-test
// recording copied). Whatever comes, a failed download leaves no file, the temporary download
// always goes, and a failed working copy leaves none behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/savedata/exchange_files.h"
#include "controls/download/core/download_names.h"
#include "controls/download/core/working_copy.h"
#include "controls/download/download_dlg.h"
#include "platform/base/drive.h"
#include "platform/net/testing/fuzzed_download.h"
#include "platform/ui/testing.h"

// The first four bytes choose the status, the framing (and whether the answer stops short), where
// it stops and the kind of recording; the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  if (size < 4) return 0;
  vetra::ui::ResetForTests();
  vetra::testing::MakeDownloadFolders(drive);
  const vetra::testing::HttpReply reply = vetra::testing::FuzzedReply(data, size, 4);
  const int dataType = 1 + data[3] % 5;
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());

  const auto kind = pakrel::DownloadKindOf(dataType);
  const std::string local = pakrel::TemporaryDownloadPath(*kind, "C:\\Windows", 1);
  pakrel::CDownloadDlg dialog;
  dialog.m_serverIP = "127.0.0.1";
  dialog.m_serverFileName = "/report/1.dat";
  dialog.m_localPath = local;
  dialog.m_fileSize = static_cast<long>(reply.body.size()) + data[2] - 128;
  dialog.SetReceiveTimeout(2000);
  const bool ok = dialog.DoModal() == win::IDOK;
  if (!ok && vetra::testing::DriveFileExists(local)) std::abort();
  if (ok) {
    std::error_code ec;
    const std::string name = std::string("1Temp.") + kind->recording.extension;
    const auto failed = pakrel::MakeWorkingCopy(*kind, local, name);
    if (vetra::testing::DriveFileExists(local)) std::abort();  // the temporary download goes in every case
    if (failed && vetra::testing::DriveFileExists(savedata::DataFilePath(name))) std::abort();
    std::filesystem::remove(vetra::MapPath(savedata::DataFilePath(name)), ec);
  }
  vetra::ui::ResetForTests();
  return 0;
}
