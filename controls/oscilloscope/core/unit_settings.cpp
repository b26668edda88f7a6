#include "controls/oscilloscope/core/unit_settings.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/base/cfile.h"
#include "platform/base/drive.h"
#include "platform/base/text.h"

namespace tessial {
namespace {

constexpr std::array<std::string_view, 6> kPressureLines = {"kpa", "bar", "kg/cm2", "mHg", "V", "psi"};
constexpr std::array<std::string_view, 5> kVacuumReadLines = {"kpa", "mbar", "mmHg", "V", "psi"};
constexpr int kVacuumListEntries = 4;  // the dialog offers no "psi" for vacuum

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& table, std::string_view line)
{
  for (std::size_t i = 0; i < N; ++i) {
    if (vetra::EqualsNoCase(table[i], line)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::optional<std::vector<std::string>> ReadEnviroLines(std::string_view path)
{
  win::CFile file;
  if (!file.Open(path, win::CFile::modeRead | win::CFile::shareDenyNone)) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  bool textEnded = false;  // a CR or a NUL ends the line's text; the line itself ends at LF
  auto finish = [&] {
    lines.push_back(line.size() > kEnviroMaxLineLength ? std::string() : line);
    line.clear();
    textEnded = false;
  };
  std::array<char, 512> chunk;
  try {
    while (lines.size() < kEnviroMaxLines) {
      const win::UINT got = file.Read(chunk.data(), chunk.size());
      if (got == 0) break;
      for (win::UINT i = 0; i < got && lines.size() < kEnviroMaxLines; ++i) {
        const char c = chunk[i];
        if (c == '\n') {
          finish();
        } else if (c == '\r' || c == '\0') {
          // A line is text: it ends at its CR or its first NUL.
          textEnded = true;
        } else if (!textEnded && line.size() <= kEnviroMaxLineLength) {
          line.push_back(c);
        }
      }
    }
  } catch (const win::CFileException&) {
  }
  if ((!line.empty() || textEnded) && lines.size() < kEnviroMaxLines) finish();
  return lines;
}

int PressureUnitOfLine(std::string_view line) { return IndexOf(kPressureLines, line); }
int VacuumUnitOfLine(std::string_view line) { return IndexOf(kVacuumReadLines, line); }

UnitChoice ReadUnitSettings(const UnitChoice& previous, std::string_view path)
{
  const auto lines = ReadEnviroLines(path);
  if (!lines) return UnitChoice{};
  UnitChoice choice = previous;
  if (lines->size() > 0) {
    if (const int index = PressureUnitOfLine((*lines)[0]); index >= 0) choice.pressure = index;
  }
  if (lines->size() > 1) {
    if (const int index = VacuumUnitOfLine((*lines)[1]); index >= 0) choice.vacuum = index;
  }
  return choice;
}

std::string PressureLineOf(int entry)
{
  return entry >= 0 && entry < static_cast<int>(kPressureLines.size()) ? std::string(kPressureLines[entry]) : std::string();
}

std::string VacuumLineOf(int entry)
{
  return entry >= 0 && entry < kVacuumListEntries ? std::string(kVacuumReadLines[entry]) : std::string();
}

bool WriteUnitSettings(std::string_view pressureLine, std::string_view vacuumLine, std::string_view path)
{
  const std::filesystem::path target = vetra::MapPath(path);
  const std::filesystem::path temporary = target.string() + vetra::Format(".%d.tmp", static_cast<int>(::getpid()));
  std::string text;
  text.append(pressureLine).append("\r\n").append(vacuumLine).append("\r\n\r\n\r\n\r\n");
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const bool closed = std::fclose(out) == 0;
  std::error_code error;
  if (written && closed) {
    std::filesystem::rename(temporary, target, error);
    if (!error) return true;
  }
  std::filesystem::remove(temporary, error);
  return false;
}

std::string UnitSettingsNotSavedText(std::string_view path)
{
  return vetra::Cp949("단위 설정을 저장할 수 없습니다 : ") + std::string(path);
}

}  // namespace tessial
