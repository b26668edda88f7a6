#pragma once
// Text inside the system is code page 949 bytes in std::string. Source files are UTF-8: Korean
// literals are written in UTF-8 and pass through Cp949() once; text leaves the system for a
// person (fonts, captions, terminal, script engine) through Utf8().

#include <optional>
#include <string>
#include <string_view>

namespace vetra {

// UTF-8 to code page 949. A character that code page 949 cannot hold becomes '?'.
std::string Cp949(std::string_view utf8);

// UTF-8 to code page 949 for text handed over by the desktop (pasted): a character that code
// page 949 cannot hold is left out, everything else is kept.
std::string Cp949Dropping(std::string_view utf8);

// Code page 949 to UTF-8. A malformed byte becomes U+FFFD. The bytes a file name keeps
// (file_names.h) show as the characters they spell.
std::string Utf8(std::string_view cp949);

// The same conversions refusing instead of replacing: nothing when any character of the text
// has no form in the other encoding.
std::optional<std::string> Cp949Exactly(std::string_view utf8);
std::optional<std::string> Utf8Exactly(std::string_view cp949);

// printf into a std::string, as the framework's string Format did.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when byte `index` of a CP949 text is the lead byte of a double-byte character.
// Used to cut texts without leaving half a character.
bool IsLeadByte(unsigned char byte);
// True for a byte that can follow a lead byte in a double-byte character (never an ASCII
// punctuation mark, digit or control byte).
bool IsTrailByte(unsigned char byte);

// The text cut to at most `maxBytes` bytes without splitting a double-byte character.
std::string CutCp949(std::string_view cp949, std::size_t maxBytes);

// ASCII-only case folding, as the system compares file names and extensions.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

}  // namespace vetra
