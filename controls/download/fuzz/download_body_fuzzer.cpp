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

// The first four bytes choose the status, the framing (and whether the answer stops short), where
// it stops and the kind of recording; the rest is the body.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  if (size < 4) return 0;
  vetra::ui::ResetForTests();
  std::error_code ec;
  std::filesystem::create_directories(drive / "Windows", ec);
  std::filesystem::create_directories(drive / "Vetra/TempE", ec);
  vetra::testing::HttpReply reply;
  reply.status = kStatuses[data[0] % 8];
  reply.framing = static_cast<vetra::testing::HttpReply::Framing>(data[1] % 3);
  if (data[1] & 0x10) reply.stopAfter = data[2];
  reply.body.assign(reinterpret_cast<const char*>(data + 4), size - 4);
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
  if (!ok && Exists(local)) std::abort();
  if (ok) {
    const std::string name = std::string("1Temp.") + kind->recording.extension;
    const auto failed = pakrel::MakeWorkingCopy(*kind, local, name);
    if (Exists(local)) std::abort();  // the temporary download goes in every case
    if (failed && Exists(savedata::DataFilePath(name))) std::abort();
    std::filesystem::remove(vetra::MapPath(savedata::DataFilePath(name)), ec);
  }
  vetra::ui::ResetForTests();
  return 0;
}
