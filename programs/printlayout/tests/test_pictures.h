#pragma once
// Picture fixtures for the print-layout tests: BMP files of each depth built from a pixel
// function, and the viewers' 32-bit capture.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vetra::testing {
class TempDrive;
}

namespace tolvex::testing {

// The print dialog's pictures on the drive, plain colours at their real sizes, and the logo.
void WritePrintDialogSkins(const vetra::testing::TempDrive& drive);

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour of pixel (x, y), y = 0 being the top row.
using PixelFunction = std::function<Rgb(int x, int y)>;

// A BMP file (file header, 40-byte info header, bottom-up rows) of 8 (a 256-entry table of
// r = g = b = index; the pixel function's red is the index), 16 (5-5-5), 24 or 32 bits.
std::string MakeBmp(int width, int height, int bits, const PixelFunction& pixel);

// A recognisable test pattern: red grows to the right, green downwards, blue is 64.
Rgb Pattern(int x, int y);

// Width, height and bits of a BMP file's info header (zeros when too short), and the colour of
// pixel (x, y) of a 24-bit one (y = 0 the top row), read straight from its bytes.
struct BmpHeader {
  int width = 0;
  int height = 0;
  int bits = 0;
};
BmpHeader ReadBmpHeader(const std::string& bytes);
Rgb Bmp24Pixel(const std::string& bytes, int x, int y);

}  // namespace tolvex::testing
