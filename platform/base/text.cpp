#include "platform/base/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <stdexcept>

#include "platform/base/file_names.h"

namespace vetra {
namespace {

// An open conversion, kept for the thread: text is converted on every drawn string, and opening
// a conversion costs far more than converting a label.
class OpenConversion {
public:
  OpenConversion(const char* to, const char* from) : m_cd(iconv_open(to, from))
  {
    if (m_cd == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~OpenConversion() { iconv_close(m_cd); }
  OpenConversion(const OpenConversion&) = delete;
  OpenConversion& operator=(const OpenConversion&) = delete;
  // The conversion in its initial state.
  iconv_t Fresh()
  {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    return m_cd;
  }

private:
  iconv_t m_cd;
};

iconv_t ConversionFor(const char* to, const char* from)
{
  if (std::string_view(to) == "CP949" && std::string_view(from) == "UTF-8") {
    thread_local OpenConversion toCp949("CP949", "UTF-8");
    return toCp949.Fresh();
  }
  if (std::string_view(to) == "UTF-8" && std::string_view(from) == "CP949") {
    thread_local OpenConversion toUtf8("UTF-8", "CP949");
    return toUtf8.Fresh();
  }
  throw std::logic_error(std::string("no conversion kept from ") + from + " to " + to);
}

// Runs one iconv conversion of `input`. At a character it cannot convert it asks `onError`
// (with errno, the output so far and the unread input), which either skips past the character and
// returns true, or returns false to give up.
template <typename OnError>
std::optional<std::string> RunConversion(const char* to, const char* from, std::string_view input, OnError onError)
{
  iconv_t cd = ConversionFor(to, from);
  std::string out;
  out.reserve(input.size() * 3 / 2 + 4);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr);
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      if (!onError(errno, out, in, inLeft)) return std::nullopt;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

// One iconv conversion. Unconvertible input is replaced and skipped so that a damaged text
// never stops the system; `replacement` is written in the target encoding.
std::string Convert(const char* to, const char* from, std::string_view input, std::string_view replacement,
                    std::size_t skipOnError)
{
  return *RunConversion(to, from, input, [&](int error, std::string& out, char*& in, std::size_t& inLeft) {
    // EILSEQ or EINVAL (truncated sequence at the end): replace and move on.
    out.append(replacement);
    std::size_t skip = std::min(skipOnError, inLeft);
    if (error == EILSEQ && std::string_view(from) == "UTF-8") {
      // Skip one whole UTF-8 character so that one bad character gives one '?'.
      unsigned char lead = static_cast<unsigned char>(*in);
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      skip = std::min(skip, inLeft);
    }
    in += skip;
    inLeft -= skip;
    return true;
  });
}

// One iconv conversion that gives up at the first character it cannot convert.
std::optional<std::string> ConvertExactly(const char* to, const char* from, std::string_view input)
{
  return RunConversion(to, from, input, [](int, std::string&, char*&, std::size_t&) { return false; });
}

bool IsAscii(std::string_view text)
{
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Cp949(std::string_view utf8)
{
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert("CP949", "UTF-8", utf8, "?", 1);
}

std::string Cp949Dropping(std::string_view utf8)
{
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert("CP949", "UTF-8", utf8, "", 1);
}

std::string Utf8(std::string_view cp949)
{
  if (IsAscii(cp949)) return std::string(cp949);
  if (HoldsKeptBytes(cp949)) return ShownFileText(cp949);
  return Convert("UTF-8", "CP949", cp949, "\xEF\xBF\xBD", 1);
}

std::optional<std::string> Cp949Exactly(std::string_view utf8)
{
  if (IsAscii(utf8)) return std::string(utf8);
  return ConvertExactly("CP949", "UTF-8", utf8);
}

std::optional<std::string> Utf8Exactly(std::string_view cp949)
{
  if (IsAscii(cp949)) return std::string(cp949);
  return ConvertExactly("UTF-8", "CP949", cp949);
}

std::string Format(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (length > 0) {
    out.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(length));
  }
  va_end(args);
  return out;
}

bool IsLeadByte(unsigned char byte)
{
  return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrailByte(unsigned char byte)
{
  return (byte >= 0x41 && byte <= 0x5A) || (byte >= 0x61 && byte <= 0x7A) || (byte >= 0x81 && byte <= 0xFE);
}

std::string CutCp949(std::string_view cp949, std::size_t maxBytes)
{
  std::size_t i = 0;
  while (i < cp949.size()) {
    std::size_t width = (IsLeadByte(static_cast<unsigned char>(cp949[i])) && i + 1 < cp949.size()) ? 2 : 1;
    if (i + width > maxBytes) break;
    i += width;
  }
  return std::string(cp949.substr(0, i));
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string ToUpperAscii(std::string_view text)
{
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string ToLowerAscii(std::string_view text)
{
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace vetra
