#pragma once
// The small picture layer of the road-test viewer: a BMP file read into 24-bit RGB rows, RGB rows
// written as a JPEG file, and the texts of its error codes. The codes are those the viewer's
// messages have always used.
#include <cstdint>
#include <string>
#include <vector>

#include "common/image/picture.h"

namespace morvit::image {

// The picture library's codes: kNoError, kFileOpen, kBadBmp and the rest.
using vetra::image::ErrorCode;
using enum vetra::image::ErrorCode;

// Top row first, three bytes (R, G, B) per pixel.
struct RgbImage {
  std::vector<std::uint8_t> pixels;
  int width = 0;
  int height = 0;
};

// Reads an uncompressed BMP of 1, 4, 8, 16, 24 or 32 bits per pixel (bit-field masks too).
int ReadBmpToRgb(const std::string& path, RgbImage& image);
// Writes the pixels as a baseline JPEG of the given quality. The file appears whole or not at all.
int WriteRgbToJpeg(const std::string& path, const RgbImage& image, int quality);
// The English text of an error code; "Error #%d" for codes without a text.
std::string ImageErrorText(int code);

}  // namespace morvit::image
