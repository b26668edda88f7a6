#pragma once
// The boundary to libjpeg: decoding and encoding with its fatal errors turned into a failed
// result. Pixels cross it as red, green, blue bytes (or one grey byte) per pixel, rows top-down.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vetra::image {

struct JpegEncodeInput {
  int width = 0;
  int height = 0;
  const std::uint8_t* rgb = nullptr;  // width * 3 bytes a row, rows top-down
  int quality = 75;
};

// Writes a baseline JPEG to an open file. False (and the library's message) on failure.
bool EncodeJpeg(std::FILE* file, const JpegEncodeInput& input, std::string* message = nullptr);

struct JpegDecoded {
  int width = 0;
  int height = 0;
  int components = 0;                    // 1 grey, 3 colour (before quantisation)
  std::vector<std::uint8_t> pixels;      // one byte a pixel: grey value or colour-map index
  std::vector<std::uint8_t> red, green, blue;  // the colour map (empty for grey)
};

// Decodes a JPEG into one byte a pixel: grey values, or indexes into a map of at most
// `colors` colours chosen by libjpeg. Nothing when the file is not a JPEG libjpeg accepts.
std::optional<JpegDecoded> DecodeJpegIndexed(std::FILE* file, int colors, std::string* message = nullptr);

// Decodes a JPEG into red, green, blue bytes a pixel (grey repeated), rows top-down.
std::optional<JpegDecoded> DecodeJpegRgb(std::FILE* file, std::string* message = nullptr);

}  // namespace vetra::image
