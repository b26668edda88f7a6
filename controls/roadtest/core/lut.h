#pragma once
// Conversion tables (LUT) of LUT-converted channels: "Lut%02d.DAT" in the folder Data\LUT below
// the folder the control started in, 256 little-endian doubles, entry k being the physical value
// of raw byte k.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace morvit {

using LutTable = std::array<double, 256>;

// "Lut07.DAT" for table 7, "Lut123.DAT" for 123.
std::string LutFileName(int number);

class LutStore {
public:
  // Resolves the tables against the process's current folder as it is now, so a later change of
  // folder (a save dialog) does not lose them.
  LutStore();
  // Resolves the tables against the given folder (a system path or a Linux path).
  explicit LutStore(std::string startFolder);

  // The table of the given number, read afresh; a missing file gives zeros, a short one zeros
  // after its last whole entry.
  LutTable Load(int number) const;
  std::filesystem::path PathOf(int number) const;
  const std::string& StartFolder() const { return m_startFolder; }

private:
  std::string m_startFolder;
};

}  // namespace morvit
