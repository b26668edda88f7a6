#include "platform/web/charset.h"

#include <iconv.h>

#include <array>
#include <cstring>

#include "platform/base/text.h"

namespace vetra::web {
namespace {

std::string CharsetAfter(std::string_view text, std::size_t position)
{
  // "charset" [blanks] "=" [blanks] [quote] token
  position += 7;
  while (position < text.size() && (text[position] == ' ' || text[position] == '\t')) ++position;
  if (position >= text.size() || text[position] != '=') return {};
  ++position;
  while (position < text.size() && (text[position] == ' ' || text[position] == '\t' ||
                                    text[position] == '"' || text[position] == '\'')) {
    ++position;
  }
  std::string name;
  while (position < text.size()) {
    const char c = text[position++];
    if (c == '"' || c == '\'' || c == ';' || c == ' ' || c == '>' || c == '/' || c == '\t') break;
    name.push_back(c);
  }
  return ToLowerAscii(name);
}

std::string FindCharset(std::string_view text)
{
  const std::string lower = ToLowerAscii(text);
  const auto position = lower.find("charset");
  return position == std::string::npos ? std::string() : CharsetAfter(lower, position);
}

// META declarations within the page's head, as browsers pre-scan the first bytes.
std::string MetaCharset(std::string_view bytes)
{
  const std::string head = ToLowerAscii(bytes.substr(0, 4096));
  std::size_t position = 0;
  while ((position = head.find("<meta", position)) != std::string::npos) {
    const auto end = head.find('>', position);
    const std::string tag = head.substr(position, end == std::string::npos ? std::string::npos : end - position);
    if (std::string charset = FindCharset(tag); !charset.empty()) return charset;
    position += 5;
  }
  return {};
}

bool IsCp949Name(std::string_view name)
{
  static constexpr std::array kNames = {"euc-kr", "ks_c_5601-1987", "ks_c_5601", "cp949",
                                        "windows-949", "x-windows-949", "uhc", "korean"};
  for (const char* known : kNames) {
    if (name == known) return true;
  }
  return false;
}

bool Convert(std::string_view bytes, const std::string& from, std::string& out)
{
  iconv_t cd = iconv_open("UTF-8//TRANSLIT", from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string input(bytes);
  char* in = input.data();
  std::size_t inLeft = input.size();
  std::string buffer(input.size() * 4 + 16, '\0');
  char* outPtr = buffer.data();
  std::size_t outLeft = buffer.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      // A byte the charset does not know: keep going after it.
      ++in;
      --inLeft;
      if (outLeft >= 3) {
        std::memcpy(outPtr, "\xEF\xBF\xBD", 3);
        outPtr += 3;
        outLeft -= 3;
      }
    }
  }
  iconv_close(cd);
  buffer.resize(buffer.size() - outLeft);
  out = std::move(buffer);
  return true;
}

}  // namespace

std::string DeclaredCharset(std::string_view bytes, std::string_view httpContentType)
{
  if (std::string charset = FindCharset(httpContentType); !charset.empty()) return charset;
  if (bytes.starts_with("\xEF\xBB\xBF")) return "utf-8";
  return MetaCharset(bytes);
}

std::string PageTextToUtf8(std::string_view bytes, std::string_view httpContentType)
{
  const std::string charset = DeclaredCharset(bytes, httpContentType);
  if (charset == "utf-8" || charset == "utf8") {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return std::string(bytes);
  }
  if (charset.empty() || IsCp949Name(charset)) return Utf8(bytes);
  std::string out;
  if (Convert(bytes, charset, out)) return out;
  return Utf8(bytes);  // a charset this system does not know: read it as its own pages
}

}  // namespace vetra::web
