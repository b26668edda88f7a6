#include "platform/ole/guid.h"

#include <cstdio>

#include "platform/base/text.h"

namespace win {
namespace {

std::string_view Trim(std::string_view text)
{
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

int HexValue(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<GUID> ParseGuid(std::string_view text)
{
  text = Trim(text);
  if (text.size() >= 6 && vetra::EqualsNoCase(text.substr(0, 6), "clsid:")) text = Trim(text.substr(6));
  if (text.size() >= 2 && text.front() == '{') {
    if (text.back() != '}') return std::nullopt;
    text = text.substr(1, text.size() - 2);
  }
  if (text.size() != 36) return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  std::size_t digit = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool dashPlace = i == 8 || i == 13 || i == 18 || i == 23;
    if (dashPlace) {
      if (text[i] != '-') return std::nullopt;
      continue;
    }
    const int value = HexValue(text[i]);
    if (value < 0) return std::nullopt;
    bytes[digit / 2] = static_cast<std::uint8_t>(bytes[digit / 2] * 16 + value);
    ++digit;
  }
  GUID guid;
  guid.Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
               (std::uint32_t{bytes[2]} << 8) | bytes[3];
  guid.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
  guid.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = bytes[8 + i];
  return guid;
}

std::string GuidText(const GUID& g)
{
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return text;
}


}  // namespace win
