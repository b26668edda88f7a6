#pragma once
// The print-layout program's input texts in the report module's Temp folder: the vehicle file
// (parts of the marker file name), the customer file, the workshop file and the free
// vehicle-information text. All texts are code page 949 bytes.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvex {

inline constexpr const char* kCarFile = "c:\\Vetra\\Fenmark\\Temp\\car.dat";
inline constexpr const char* kCustomerFile = "c:\\Vetra\\Fenmark\\Temp\\customsava.dat";
inline constexpr const char* kCustomerFileOld = "c:\\Vetra\\Fenmark\\Temp\\custom";
inline constexpr const char* kShopFile = "c:\\Vetra\\Fenmark\\Temp\\shopinfo.dat";
inline constexpr const char* kCarInfoFile = "c:\\Vetra\\Fenmark\\Temp\\carinfo.txt";

// A line's bytes are kept up to this many (the reading buffer, its line end included).
inline constexpr std::size_t kLineBufferBytes = 3000;
inline constexpr std::size_t kCarInfoPieceBytes = 24;
inline constexpr int kCarInfoSlots = 22;
inline constexpr int kCarInfoPrintedLines = 10;

// Splits bytes into line texts: a LF ends a line, a CR ends the line's text (what follows it up
// to the LF is dropped), a last line without LF counts when it holds a byte. Stops after
// `maxLines` lines (no limit when negative).
std::vector<std::string> SplitLines(std::string_view bytes, int maxLines);

// Reads a line file; nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadLineFile(const char* path, int maxLines);

// The marker file's name from the vehicle file's lines: line 0, line 1, "-", line 3, "-", line 2,
// with every character a file name cannot hold replaced by a blank.
std::string MarkerFileName(const std::vector<std::string>& carLines);

// The vehicle-information text cut into pieces of at most 24 bytes that keep a double-byte
// character whole.
std::vector<std::string> CarInfoPieces(std::string_view text);

// Everything the page and the picture saving take from the input files.
struct ReportTexts {
  std::array<std::string, 10> shop;
  std::array<std::string, 10> customer;
  std::array<std::string, kCarInfoSlots> carInfo;
  int carInfoLines = 0;
  std::string customerFolder;   // "c:\Vetra\<chassis number>\" once the customer file is read
  std::string markerFileName;   // bare file name, "" without a vehicle file
};

void ReadCarFile(ReportTexts& texts);
void ReadCustomerInfo(ReportTexts& texts);
void ReadShopInfo(ReportTexts& texts);
void ReadCarInfoText(ReportTexts& texts);

}  // namespace tolvex
