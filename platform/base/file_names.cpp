#include "platform/base/file_names.h"

#include <algorithm>
#include <optional>

#include "platform/base/text.h"

namespace vetra {
namespace {

// Bytes 0x80..0xBF are kept as 0xC9 0xA1.., bytes 0xC0..0xFF as 0xFE 0xA1.., and the marks of a
// name as 0xC9 0xE1.. in their order here.
constexpr unsigned char kLowRow = 0xC9;
constexpr unsigned char kHighRow = 0xFE;
constexpr unsigned char kFirstCell = 0xA1;
constexpr std::string_view kNameMarks = "\\:*?";

void AppendKept(std::string& out, unsigned char byte)
{
  const std::size_t mark = kNameMarks.find(static_cast<char>(byte));
  if (byte < 0x80 && mark != std::string_view::npos) {
    out.push_back(static_cast<char>(kLowRow));
    out.push_back(static_cast<char>(kFirstCell + 0x40 + mark));
  } else {
    out.push_back(static_cast<char>(byte < 0xC0 ? kLowRow : kHighRow));
    out.push_back(static_cast<char>(kFirstCell + (byte & 0x3F)));
  }
}

// The byte a two-byte character keeps, if it is one of those.
std::optional<unsigned char> KeptByte(unsigned char lead, unsigned char trail)
{
  if (lead != kLowRow && lead != kHighRow) return std::nullopt;
  if (trail >= kFirstCell && trail < kFirstCell + 0x40) {
    return static_cast<unsigned char>((lead == kLowRow ? 0x80 : 0xC0) + (trail - kFirstCell));
  }
  if (lead == kLowRow && trail >= kFirstCell + 0x40 && trail < kFirstCell + 0x40 + kNameMarks.size()) {
    return static_cast<unsigned char>(kNameMarks[trail - kFirstCell - 0x40]);
  }
  return std::nullopt;
}

// The length of the well-formed UTF-8 character at `at`, or 0 when the bytes there form none
// (a stray continuation byte, an overlong form, a surrogate, a cut-off sequence).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t at)
{
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

bool IsWholeUtf8(std::string_view text)
{
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8CharacterLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string FromLinux(std::string_view source, bool name)
{
  std::string out;
  for (std::size_t i = 0; i < source.size();) {
    const auto byte = static_cast<unsigned char>(source[i]);
    if (byte < 0x80) {
      if (name && kNameMarks.find(source[i]) != std::string_view::npos) AppendKept(out, byte);
      else out.push_back(source[i]);
      ++i;
      continue;
    }
    const std::size_t length = Utf8CharacterLength(source, i);
    if (length == 0) {
      AppendKept(out, byte);
      ++i;
      continue;
    }
    const std::string_view character = source.substr(i, length);
    const std::optional<std::string> spelled = Cp949Exactly(character);
    if (spelled && !(spelled->size() == 2 && KeptByte(static_cast<unsigned char>((*spelled)[0]),
                                                       static_cast<unsigned char>((*spelled)[1])))) {
      out += *spelled;
    } else {
      for (const char c : character) AppendKept(out, static_cast<unsigned char>(c));
    }
    i += length;
  }
  return out;
}

// The lengths of the characters a run of kept bytes shows as (see ShownFileText), in bytes.
std::vector<std::size_t> ShownLengths(std::string_view bytes)
{
  std::vector<std::size_t> lengths;
  const bool utf8 = IsWholeUtf8(bytes);
  const bool korean = !utf8 && Utf8Exactly(bytes).has_value();
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = korean ? (IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1)
                                      : std::max<std::size_t>(1, Utf8CharacterLength(bytes, i));
    lengths.push_back(length);
    i += length;
  }
  return lengths;
}

// Calls `plain` with each run of ordinary text and `kept` with each run of kept bytes, in order.
template <typename Plain, typename Kept>
void SplitKept(std::string_view text, Plain plain, Kept kept)
{
  std::size_t plainStart = 0;
  std::string keptRun;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(lead) || i + 1 >= text.size()) {
      ++i;
      continue;
    }
    const std::optional<unsigned char> byte = KeptByte(lead, static_cast<unsigned char>(text[i + 1]));
    if (!byte) {
      i += 2;
      continue;
    }
    if (plainStart < i) plain(text.substr(plainStart, i - plainStart));
    keptRun.clear();
    while (i + 1 < text.size()) {
      const std::optional<unsigned char> next =
          KeptByte(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]));
      if (!next) break;
      keptRun.push_back(static_cast<char>(*next));
      i += 2;
    }
    kept(std::string_view(keptRun));
    plainStart = i;
  }
  if (plainStart < text.size()) plain(text.substr(plainStart));
}

}  // namespace

std::string TextFromLinux(std::string_view linuxText) { return FromLinux(linuxText, false); }

std::string NameFromLinux(std::string_view linuxName) { return FromLinux(linuxName, true); }

std::string LinuxFromText(std::string_view systemText)
{
  if (!HoldsKeptBytes(systemText)) return Utf8(systemText);
  std::string out;
  SplitKept(
      systemText, [&](std::string_view plain) { out += Utf8(plain); },
      [&](std::string_view bytes) { out += bytes; });
  return out;
}

bool HoldsKeptBytes(std::string_view systemText)
{
  for (std::size_t i = 0; i + 1 < systemText.size(); ++i) {
    const auto lead = static_cast<unsigned char>(systemText[i]);
    if (!IsLeadByte(lead)) continue;
    if (KeptByte(lead, static_cast<unsigned char>(systemText[i + 1]))) return true;
    ++i;
  }
  return false;
}

std::string ShownFileText(std::string_view systemText)
{
  std::string out;
  SplitKept(
      systemText, [&](std::string_view plain) { out += Utf8(plain); },
      [&](std::string_view bytes) {
        if (IsWholeUtf8(bytes)) {
          out += bytes;
          return;
        }
        if (const std::optional<std::string> korean = Utf8Exactly(bytes)) {
          out += *korean;
          return;
        }
        for (std::size_t i = 0; i < bytes.size();) {
          const std::size_t length = Utf8CharacterLength(bytes, i);
          out += length ? bytes.substr(i, length) : std::string_view("\xEF\xBF\xBD");
          i += length ? length : 1;
        }
      });
  return out;
}

std::vector<std::string_view> ShownCharacters(std::string_view systemText)
{
  std::vector<std::string_view> characters;
  std::size_t at = 0;  // where the next run starts in the text
  const auto take = [&](std::size_t length) {
    characters.push_back(systemText.substr(at, length));
    at += length;
  };
  SplitKept(
      systemText,
      [&](std::string_view plain) {
        for (std::size_t i = 0; i < plain.size();) {
          const std::size_t length = IsLeadByte(static_cast<unsigned char>(plain[i])) && i + 1 < plain.size() ? 2 : 1;
          take(length);
          i += length;
        }
      },
      [&](std::string_view bytes) {
        // Each kept byte is two bytes of the text.
        for (const std::size_t length : ShownLengths(bytes)) take(2 * length);
      });
  return characters;
}

}  // namespace vetra
