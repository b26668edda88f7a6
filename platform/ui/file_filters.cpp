#include "platform/ui/file_filters.h"

#include "platform/base/file_names.h"
#include "platform/base/text.h"

namespace vetra::ui {

namespace {

std::string Trim(std::string_view text)
{
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(start, end - start + 1));
}

bool SameCharacter(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  if (a.size() == 1) return ToUpperAscii(std::string(a)) == ToUpperAscii(std::string(b));
  return a == b;
}

}  // namespace

std::vector<FileFilter> ParseFileFilters(std::string_view text)
{
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t bar = text.find('|', start);
    const std::size_t end = bar == std::string_view::npos ? text.size() : bar;
    fields.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    if (fields[i].empty()) break;  // "||" ends the list
    FileFilter filter;
    filter.description = fields[i];
    filter.pattern = fields[i + 1];
    std::string_view rest = filter.pattern;
    while (!rest.empty()) {
      const std::size_t semi = rest.find(';');
      std::string one = Trim(rest.substr(0, semi));
      if (!one.empty()) filter.patterns.push_back(std::move(one));
      if (semi == std::string_view::npos) break;
      rest.remove_prefix(semi + 1);
    }
    filters.push_back(std::move(filter));
  }
  return filters;
}

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
  // By the characters the user sees: '?' takes a Linux "é" whole, though the name keeps it as two.
  const std::vector<std::string_view> n = ShownCharacters(name);
  const std::vector<std::string_view> p = ShownCharacters(pattern);
  // Greedy wildcard matching with one back-tracking point (the last '*').
  std::size_t ni = 0, pi = 0, starP = std::string_view::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == "*") {
      starP = pi++;
      starN = ni;
    } else if (pi < p.size() && (p[pi] == "?" || SameCharacter(p[pi], n[ni]))) {
      ++pi;
      ++ni;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == "*") ++pi;
  return pi == p.size();
}

bool MatchesFilter(std::string_view name, const FileFilter& filter)
{
  for (const std::string& pattern : filter.patterns) {
    // "*.*" stands for every file, with or without an extension.
    if (pattern == "*.*" || MatchesPattern(name, pattern)) return true;
  }
  return false;
}

int FilterIndexOf(const std::vector<FileFilter>& filters, std::string_view pattern)
{
  for (std::size_t i = 0; i < filters.size(); ++i) {
    if (EqualsNoCase(filters[i].pattern, pattern)) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string FilterExtension(const FileFilter& filter)
{
  if (filter.patterns.empty()) return {};
  const std::string& first = filter.patterns.front();
  if (!first.starts_with("*.")) return {};
  std::string extension = first.substr(2);
  if (extension.empty() || extension.find_first_of("*?") != std::string::npos) return {};
  return extension;
}

}  // namespace vetra::ui
