#pragma once
// JPEG encoding of a drawn picture (the report logo), through libjpeg.

#include <string>

#include "platform/gdi/bitmap32.h"

namespace vetra::skins {

// Baseline JPEG of the picture at the given quality (1..100); empty when libjpeg fails.
std::string EncodeJpeg(const gdi::Bitmap32& picture, int quality);

}  // namespace vetra::skins
