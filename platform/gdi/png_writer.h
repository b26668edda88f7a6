#pragma once
// Screenshots: a bitmap written as an 8-bit RGB PNG file.

#include <string>

#include "platform/gdi/bitmap32.h"

namespace vetra::gdi {

// False (and no file left behind) when the file cannot be written.
bool WritePng(const Bitmap32& bitmap, const std::string& linuxPath);
// The bitmap as the bytes of a PNG file; empty when it cannot be encoded.
std::string EncodePng(const Bitmap32& bitmap);

}  // namespace vetra::gdi
