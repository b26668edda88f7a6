#include "platform/web/address.h"

#include "platform/base/drive.h"
#include "platform/base/text.h"

namespace vetra::web {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// "scheme:" of two letters or more (a single letter is a drive).
bool HasScheme(std::string_view text)
{
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  for (char c : text.substr(0, colon)) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '+' || c == '-' || c == '.')) return false;
  }
  return true;
}

std::string PercentDecoded(std::string_view text)
{
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto hex = [](char c) {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// The path of a file: URL: "file:///C:/a", "file://c:\a", "file:C:\a", "file:///home/a".
std::string FileUrlPath(std::string_view url)
{
  std::string_view rest = url.substr(5);
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    if (rest.starts_with("localhost/")) rest.remove_prefix(9);
  }
  std::string path = PercentDecoded(rest);
  // "/C:/a" is a drive path written as URL path.
  if (path.size() >= 3 && path[0] == '/' && HasDriveLetter(std::string_view(path).substr(1))) path.erase(0, 1);
  return path;
}

}  // namespace

PageAddress ClassifyAddress(std::string_view address)
{
  PageAddress result;
  std::string_view text = address;
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  if (text.empty()) return result;
  if (StartsWithNoCase(text, "http://") || StartsWithNoCase(text, "https://")) {
    result.kind = AddressKind::Http;
    result.url = std::string(text);
    return result;
  }
  if (StartsWithNoCase(text, "file:")) {
    result.kind = AddressKind::File;
    result.localPath = MapPath(FileUrlPath(text));
    return result;
  }
  if (HasScheme(text)) {
    result.kind = AddressKind::Unsupported;
    result.url = std::string(text);
    return result;
  }
  result.kind = AddressKind::File;
  result.localPath = MapPath(text);
  return result;
}

std::string CombineAddress(std::string_view base, std::string_view relative)
{
  if (relative.empty()) return std::string(base);
  if (HasScheme(relative) || HasDriveLetter(relative)) return std::string(relative);
  const bool baseIsUrl = HasScheme(base);
  if (baseIsUrl && relative.starts_with("//")) {
    return std::string(base.substr(0, base.find(':') + 1)) + std::string(relative);
  }
  if (relative.front() == '/' || relative.front() == '\\') {
    if (!baseIsUrl) {
      // A rooted path stays on the base's drive; a Linux path stands as it is.
      return HasDriveLetter(base) ? std::string(base.substr(0, 2)) + std::string(relative)
                                  : std::string(relative);
    }
    const auto hostStart = base.find("//");
    const auto pathStart = hostStart == std::string_view::npos ? std::string_view::npos : base.find('/', hostStart + 2);
    return std::string(base.substr(0, pathStart)) + std::string(relative);
  }
  // Relative to the base's folder: cut the query, then after the last separator.
  std::string_view folder = base.substr(0, base.find_first_of("?#"));
  const auto cut = baseIsUrl ? folder.rfind('/') : folder.find_last_of("\\/");
  const auto hostEnd = baseIsUrl ? folder.find("//") : std::string_view::npos;
  if (cut == std::string_view::npos || (hostEnd != std::string_view::npos && cut <= hostEnd + 1)) {
    return std::string(folder) + (baseIsUrl ? "/" : "") + std::string(relative);
  }
  return std::string(folder.substr(0, cut + 1)) + std::string(relative);
}

}  // namespace vetra::web
