#include "controls/roadtest/core/lut.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/base/regular_file.h"

namespace morvit {

std::string LutFileName(int number) { return vetra::Format("Lut%02d.DAT", number); }

LutStore::LutStore() : m_startFolder(vetra::CurrentDirectory()) {}

LutStore::LutStore(std::string startFolder) : m_startFolder(std::move(startFolder)) {}

std::filesystem::path LutStore::PathOf(int number) const {
  if (vetra::HasDriveLetter(m_startFolder) || (!m_startFolder.empty() && m_startFolder.front() == '\\')) {
    return vetra::MapPath(m_startFolder + "\\Data\\LUT\\" + LutFileName(number));
  }
  const std::filesystem::path folder = std::filesystem::path(m_startFolder) / "Data" / "LUT";
  return folder / LutFileName(number);
}

LutTable LutStore::Load(int number) const {
  LutTable table{};
  const std::optional<std::string> read = vetra::ReadRegularFile(PathOf(number));
  if (!read) return table;
  const std::string& bytes = *read;
  const std::size_t got = std::min(bytes.size(), table.size() * 8);
  for (std::size_t k = 0; k < got / 8; ++k) {
    std::uint64_t bits = 0;
    for (std::size_t b = 0; b < 8; ++b) {
      bits |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(bytes[k * 8 + b])) << (8 * b);
    }
    std::memcpy(&table[k], &bits, sizeof(double));
  }
  return table;
}

}  // namespace morvit
