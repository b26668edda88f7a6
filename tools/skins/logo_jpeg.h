#pragma once
// JPEG encoding of a drawn picture (the report logo), through libjpeg.

#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi/bitmap32.h"

namespace vetra::skins {

// Baseline JPEG of the picture at the given quality (1..100); empty when libjpeg fails.
std::string EncodeJpeg(const gdi::Bitmap32& picture, int quality);

// Size and colour components of a JPEG as libjpeg reads its header (for checks); nothing when
// libjpeg does not accept it.
struct JpegHeader {
  int width = 0;
  int height = 0;
  int components = 0;
};
std::optional<JpegHeader> ReadJpegHeader(std::string_view bytes);

}  // namespace vetra::skins
