#include "platform/base/testing/temp_drive.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace vetra::testing {
namespace fs = std::filesystem;

TempDrive::TempDrive()
{
  std::string pattern = (fs::temp_directory_path() / "vetra-drive-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary drive");
  m_root = pattern;
  if (const char* previous = std::getenv("VETRA_ROOT")) {
    m_hadPreviousRoot = true;
    m_previousRoot = previous;
  }
  ::setenv("VETRA_ROOT", m_root.c_str(), 1);
  std::error_code ec;
  m_previousDirectory = fs::current_path(ec);
}

TempDrive::~TempDrive()
{
  std::error_code ec;
  if (!m_previousDirectory.empty()) fs::current_path(m_previousDirectory, ec);
  fs::remove_all(m_root, ec);
  if (m_hadPreviousRoot) {
    ::setenv("VETRA_ROOT", m_previousRoot.c_str(), 1);
  } else {
    ::unsetenv("VETRA_ROOT");
  }
}

void TempDrive::WriteFile(std::string_view relative, std::string_view bytes) const
{
  fs::path target = m_root / relative;
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDrive::ReadFile(std::string_view relative) const
{
  return ReadWholeFile(m_root / relative);
}

std::string ReadWholeFile(const fs::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vetra::testing
