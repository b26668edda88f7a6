#pragma once
// Small pictures for skins and resources a test lays on its drive.
#include <string>

#include "platform/base/win_types.h"

namespace vetra::testing {

// A 24-bit BMP file of one colour.
std::string SolidBmp(int width, int height, win::COLORREF colour);

}  // namespace vetra::testing
