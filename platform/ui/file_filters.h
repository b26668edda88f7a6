#pragma once
// File-dialog filters as callers write them: "description|pattern|description|pattern||", each
// pattern a list separated by ';' ("*.OSC;*.IG1"). Names match a pattern without regard to
// ASCII case, '*' standing for any run of characters and '?' for one as the user sees it (a
// double-byte character, or a character a Linux name keeps as several bytes, counts as one).

#include <string>
#include <string_view>
#include <vector>

namespace vetra::ui {

struct FileFilter {
  std::string description;
  std::string pattern;                // as written, e.g. "*.SCN;*HSN"
  std::vector<std::string> patterns;  // split at ';', blanks trimmed
};

std::vector<FileFilter> ParseFileFilters(std::string_view text);
bool MatchesPattern(std::string_view name, std::string_view pattern);
bool MatchesFilter(std::string_view name, const FileFilter& filter);
// The 1-based index of the filter written as `pattern` (without case), or 0 when none is.
int FilterIndexOf(const std::vector<FileFilter>& filters, std::string_view pattern);
// The extension a filter gives a name typed without one: that of its first pattern ("*.JPG" gives
// "JPG"); empty when that pattern names no single extension ("*.*", "*", "*.J?G").
std::string FilterExtension(const FileFilter& filter);

}  // namespace vetra::ui
