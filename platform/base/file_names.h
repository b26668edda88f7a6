#pragma once
// Linux file names inside the system. A Linux name is any bytes but '/' and NUL, mostly UTF-8;
// the system spells every name in code page 949. A character the code page holds keeps its
// spelling. Every other byte of a name (of a character the code page lacks, as in "café", or of
// a name that is not UTF-8 at all, as one written in code page 949 bytes) is spelled as one
// double-byte character of the code page's rows 0xC9 and 0xFE, which no character is assigned
// to and no text of the system holds. Such a name reads as a whole number of characters to
// everything that walks code page 949 text, and maps back to its bytes on the way to the file
// system: every existing file can be named. Utf8() shows these bytes as the characters they
// spell.

#include <string>
#include <string_view>
#include <vector>

namespace vetra {

// A Linux text (a command line, a whole Linux path) in the system's spelling.
std::string TextFromLinux(std::string_view linuxText);

// One name of a folder entry in the system's spelling. Besides the bytes TextFromLinux keeps,
// the marks that mean something in a path or a file pattern ('\', ':', '*', '?') are kept as
// bytes too, so a Linux name holding them is one name, never a path or a pattern.
std::string NameFromLinux(std::string_view linuxName);

// Back to the Linux bytes: kept bytes as they were, the rest converted to UTF-8.
std::string LinuxFromText(std::string_view systemText);

// True when the text holds a kept byte.
bool HoldsKeptBytes(std::string_view systemText);

// The text for a person (UTF-8): kept bytes that spell UTF-8 characters show as those, a run
// of them that spells code page 949 text shows as that, any other byte as U+FFFD.
std::string ShownFileText(std::string_view systemText);

// The text cut into the characters a person sees in it, as ShownFileText shows them: a byte or a
// double-byte character each, except that kept bytes count as the characters they spell (the
// two kept bytes of a Linux "é" are one character).
std::vector<std::string_view> ShownCharacters(std::string_view systemText);

}  // namespace vetra
