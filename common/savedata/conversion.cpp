#include "common/savedata/conversion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <vector>

#include "common/savedata/viewer_page.h"
#include "common/unzip/unzip_file.h"
#include "platform/base/cfile.h"
#include "platform/base/drive.h"
#include "platform/base/file_api.h"
#include "platform/base/handed_lock.h"
#include "platform/base/process.h"
#include "platform/base/random.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace savedata {
namespace {

namespace fs = std::filesystem;

constexpr win::UINT kExtractBlock = 16384;
// Draws before giving up on a free name: the numbers run from 0 to 32767, and a folder holding
// that many working copies needs clearing, not more tries.
constexpr int kNameDraws = 1000;
// The lock of the viewer page, and how long a chooser waits for a viewer that does not read it.
constexpr const char* kViewerPageLock = "Vetra viewer page";
constexpr std::chrono::seconds kViewerPageWait{30};

std::string Message(const char* utf8Format, std::string_view argument)
{
  return vetra::Format(vetra::Cp949(utf8Format).c_str(), std::string(argument).c_str());
}

bool IsDataEntryName(const std::string& name)
{
  const std::string upper = vetra::ToUpperAscii(name);
  return upper == "SAVEDATA.DAT" || upper == "C:\\VETRA\\TEMP\\SAVEDATA.DAT";
}

// Whether the entry the reader stands on is a data entry. Entry names are only compared, never
// used as paths.
bool OnDataEntry(unzip::CUnzipFile& zip, unzip::ZipEntryInfo& info)
{
  zip.GetEntryInfo(info);
  std::string name(info.fileNameLength + 1, '\0');
  zip.GetEntryInfo(info, name.data(), static_cast<win::DWORD>(name.size()));
  name.resize(info.fileNameLength);
  return IsDataEntryName(name);
}

// Writes the entry the reader stands on to the target, replacing what it held.
void ExtractEntry(unzip::CUnzipFile& zip, const unzip::ZipEntryInfo& info, const std::string& target)
{
  win::CFile out(target, win::CFile::modeCreate | win::CFile::modeWrite);
  zip.OpenEntry();
  std::vector<char> block(kExtractBlock);
  win::UINT n = 0;
  do {
    n = zip.ReadEntry(block.data(), kExtractBlock);
    if (n > 0) out.Write(block.data(), n);
  } while (n == kExtractBlock);
  unzip::CUnzipFile::SetExtractedFileStatus(out, info);
  out.Close();  // a write the disk refuses at the end is a failure too
}

void Remove(const std::string& windowsPath)
{
  win::DeleteFileA(windowsPath.c_str());
}

}  // namespace

std::optional<std::string> ReserveWorkingCopy(const RecordingKind& kind, Failure& failure)
{
  for (int draw = 0; draw < kNameDraws; ++draw) {
    const std::string name = WorkingCopyName(kind, win::rand());
    const std::string path = DataFilePath(name);
    const int fd = ::open(vetra::MapPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return name;
    }
    if (errno != EEXIST) {
      failure = {kExitCannotWrite, win::CFileException(win::CFileException::CauseFromErrno(errno), errno, path)
                                       .GetErrorMessage()};
      return std::nullopt;
    }
  }
  failure = {kExitCannotWrite, Message("%s 폴더에 작업 파일을 만들 자리가 없습니다.", kExchangeFolder)};
  return std::nullopt;
}

std::optional<Failure> Extract(std::string_view savedDataPath, const std::string& workingCopyName)
{
  win::OutputDebugStringA(
      vetra::Format("CLumbrelDlg::Extract Filename : %s\r\n", std::string(savedDataPath).c_str()));
  const std::string target = DataFilePath(workingCopyName);
  try {
    unzip::CUnzipFile zip(savedDataPath);
    // Every data entry is written in archive order, so the last one is the working copy.
    bool found = false;
    do {
      unzip::ZipEntryInfo info;
      if (!OnDataEntry(zip, info)) continue;
      ExtractEntry(zip, info, target);
      found = true;
    } while (zip.GoToNextEntry());
    if (!found) {
      return Failure{kExitBadSavedData, Message("%s 파일에 저장 데이터(SAVEDATA.DAT)가 없습니다.", savedDataPath)};
    }
    zip.Close();
  } catch (const unzip::CZipException& error) {
    return Failure{kExitBadSavedData, error.GetErrorMessage()};
  } catch (const win::CFileException& error) {
    const bool writing = error.m_strFileName == target;
    return Failure{writing ? kExitCannotWrite : kExitBadSavedData, error.GetErrorMessage()};
  }
  return std::nullopt;
}

std::optional<Failure> CopyRecording(std::string_view savedDataPath, const std::string& workingCopyName)
{
  const std::string source(savedDataPath);
  std::error_code ec;
  if (!fs::is_regular_file(vetra::MapPath(source), ec)) {
    return Failure{kExitBadSavedData, Message("%s 파일을 읽을 수 없습니다.", savedDataPath)};
  }
  if (!win::CopyFileA(source.c_str(), DataFilePath(workingCopyName).c_str(), win::FALSE)) {
    return Failure{kExitCannotWrite, Message("%s 파일을 작업 폴더로 복사할 수 없습니다.", savedDataPath)};
  }
  return std::nullopt;
}

bool RunViewer(std::string_view pagePath)
{
  const std::string commandLine = std::string(kViewerProgram) + " " + std::string(pagePath);
  return win::CreateProcessA(commandLine) != win::FALSE;
}

std::optional<Failure> CreateScriptHtml(int kind, std::string_view savedDataPath,
                                        const std::string& workingCopyName)
{
  // The page has one name for every run: from writing it until the viewer started on it has read
  // it, no other chooser may write it. The viewer inherits the lock and lets it go.
  vetra::HandedLock pageLock(kViewerPageLock, kViewerPageWait);
  // Written beside its place (a name of this process alone) and renamed over it, so a failed
  // write never leaves a cut page.
  const std::string page = ViewerPage(kind, savedDataPath, workingCopyName);
  const std::string partial = std::string(kViewerPagePath) + "." + std::to_string(::getpid()) + ".writing";
  try {
    win::CFile out(partial, win::CFile::modeCreate | win::CFile::modeWrite);
    out.Write(page.data(), static_cast<win::UINT>(page.size()));
    out.Close();
  } catch (const win::CFileException& error) {
    Remove(partial);
    return Failure{kExitCannotWrite, error.GetErrorMessage()};
  }
  std::error_code ec;
  fs::rename(vetra::MapPath(partial), vetra::MapPath(kViewerPagePath), ec);
  if (ec) {
    Remove(partial);
    return Failure{kExitCannotWrite, Message("%s 파일을 쓸 수 없습니다.", kViewerPagePath)};
  }
  pageLock.HandToNextProgram();
  if (!RunViewer(kViewerPagePath)) {
    Remove(kViewerPagePath);
    return Failure{kExitViewerNotStarted, Message("%s 프로그램을 실행할 수 없습니다.", kViewerProgram)};
  }
  return std::nullopt;
}

std::optional<Failure> ConvertSavedData(std::string_view savedDataPath)
{
  const std::optional<RecordingKind> kind = KindOfPath(savedDataPath);
  if (!kind) {
    return Failure{kExitUnknownKind,
                   Message("%s 파일은 열 수 있는 기록 파일이 아닙니다 (OSC, IG1, IG2, SCN, HSN, RES, DAT).",
                           savedDataPath)};
  }
  if (win::_access(std::string(savedDataPath).c_str(), 0) != 0) {
    return Failure{kExitFileNotFound, Message("%s 파일을 찾을 수 없습니다.", savedDataPath)};
  }

  Failure failure{kExitOk, {}};
  const std::optional<std::string> name = ReserveWorkingCopy(*kind, failure);
  if (!name) return failure;
  std::optional<Failure> failed =
      kind->packed ? Extract(savedDataPath, *name) : CopyRecording(savedDataPath, *name);
  if (!failed) failed = CreateScriptHtml(kind->number, savedDataPath, *name);
  if (failed) Remove(DataFilePath(*name));
  return failed;
}

}  // namespace savedata
