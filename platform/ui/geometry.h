#pragma once
// Points, sizes and rectangles of window code: the drawing layer's classes, with the pointer
// names window functions take.

#include "platform/gdi/geometry.h"

namespace win {

using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

}  // namespace win
