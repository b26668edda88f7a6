#pragma once
// What the download fuzzers share: a drive with the folders a download writes to, and a loopback
// answer chosen by the fuzzer's first bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/base/drive.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/net/testing/loopback_http_server.h"

namespace vetra::testing {

// The Windows and exchange folders of `drive`, made when missing.
inline void MakeDownloadFolders(const TempDrive& drive)
{
  std::error_code ec;
  std::filesystem::create_directories(drive / "Windows", ec);
  std::filesystem::create_directories(drive / "Vetra/TempE", ec);
}

// data[0] chooses the status, data[1] the framing (and with 0x10 an answer that stops short at
// data[2]); the body is everything from `bodyStart` on. `size` must exceed `bodyStart` - 1.
inline HttpReply FuzzedReply(const std::uint8_t* data, std::size_t size, std::size_t bodyStart)
{
  constexpr int kStatuses[] = {200, 200, 204, 206, 299, 301, 404, 500};
  HttpReply reply;
  reply.status = kStatuses[data[0] % 8];
  reply.framing = static_cast<HttpReply::Framing>(data[1] % 3);
  if (data[1] & 0x10) reply.stopAfter = data[2];
  reply.body.assign(reinterpret_cast<const char*>(data + bodyStart), size - bodyStart);
  return reply;
}

// Whether the drive holds the file a Windows path names.
inline bool DriveFileExists(const std::string& windowsPath)
{
  std::error_code ec;
  return std::filesystem::exists(vetra::MapPath(windowsPath), ec);
}

}  // namespace vetra::testing
