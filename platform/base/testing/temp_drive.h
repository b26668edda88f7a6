#pragma once
// A throw-away drive C for one test: VETRA_ROOT points at a fresh temporary folder while the
// object lives, and the folder is removed afterwards.

#include <filesystem>
#include <string>
#include <string_view>

namespace vetra::testing {

class TempDrive {
public:
  TempDrive();
  ~TempDrive();
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  const std::filesystem::path& Root() const { return m_root; }
  // The Linux path of a path below the drive ("Vetra/TempE/x").
  std::filesystem::path operator/(std::string_view relative) const { return m_root / relative; }

  // Writes a file below the drive, making its folders.
  void WriteFile(std::string_view relative, std::string_view bytes) const;
  std::string ReadFile(std::string_view relative) const;

private:
  std::filesystem::path m_root;
  std::string m_previousRoot;
  bool m_hadPreviousRoot = false;
  std::filesystem::path m_previousDirectory;
};

// Reads a whole Linux file; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace vetra::testing
