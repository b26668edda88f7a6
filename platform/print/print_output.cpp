#include "platform/print/print_output.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include <atomic>
#include <cstdlib>
#include <system_error>

#include "platform/base/drive.h"
#include "platform/base/text.h"

namespace vetra::print {

namespace fs = std::filesystem;

fs::path PrintFolder()
{
  if (const char* folder = std::getenv("VETRA_PRINT_DIR"); folder != nullptr && *folder != '\0') return fs::path(folder);
  return DriveRoot() / "Vetra" / "Prints";
}

namespace {

constexpr std::size_t kLongestStem = 120;

std::string SafeFileStem(std::string_view documentName)
{
  std::string stem;
  for (const char c : Utf8(documentName)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') {
      stem += '_';
    } else {
      stem += c;
    }
  }
  while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
  while (!stem.empty() && (stem.front() == ' ' || stem.front() == '.')) stem.erase(stem.begin());
  // Room for the date, a number and the temporary file's additions within a file name's limit.
  if (stem.size() > kLongestStem) {
    std::size_t cut = kLongestStem;
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem.resize(cut);
  }
  return stem.empty() ? std::string("Document") : stem;
}

}  // namespace

fs::path NewPrintFileName(const fs::path& folder, std::string_view documentName, std::time_t when)
{
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
  const std::string base = SafeFileStem(documentName) + " " + stamp;
  fs::path candidate = folder / (base + ".pdf");
  std::error_code error;
  for (int n = 2; fs::exists(candidate, error); ++n) candidate = folder / (base + " (" + std::to_string(n) + ").pdf");
  return candidate;
}

fs::path OutputPathOf(std::string_view output)
{
  return MapPath(output);
}

fs::path TemporaryFileFor(const fs::path& destination)
{
  static std::atomic<unsigned> counter{0};
  const std::string name = "." + destination.filename().string() + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".part";
  return destination.parent_path() / name;
}

bool CommitFile(const fs::path& temporary, const fs::path& destination)
{
  std::error_code error;
  fs::rename(temporary, destination, error);
  if (!error) return true;
  fs::remove(temporary, error);
  return false;
}

}  // namespace vetra::print

namespace vetra::print {

std::filesystem::path CommitNewPrintFile(const std::filesystem::path& temporary, const std::filesystem::path& folder,
                                         std::string_view documentName, std::time_t when)
{
  constexpr int kAttempts = 1000;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::filesystem::path destination = NewPrintFileName(folder, documentName, when);
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0) return destination;
    if (errno == EEXIST) continue;
    // A file system without the no-replace rename: the name was free a moment ago.
    if (errno == EINVAL || errno == ENOSYS) return CommitFile(temporary, destination) ? destination : std::filesystem::path();
    break;
  }
  std::error_code error;
  std::filesystem::remove(temporary, error);
  return {};
}

}  // namespace vetra::print
