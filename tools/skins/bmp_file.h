#pragma once
// Skin pictures on disk: 24-bit Windows BMP files (file header, 40-byte info header, bottom-up
// rows padded to four bytes), which every reader of the system accepts.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi/bitmap32.h"

namespace vetra::skins {

std::string EncodeBmp24(const gdi::Bitmap32& picture);

// A 24-bit BMP read back (for checks): its size and pixels. Empty when the bytes are not one.
std::optional<gdi::Bitmap32> DecodeBmp24(std::string_view bytes);

// Writes `bytes` through a temporary file renamed into place, so that a reader never sees half a
// file. False when it cannot be written (no file is left behind then).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vetra::skins
