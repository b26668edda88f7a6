#pragma once
// Pictures loaded by the window layer: a BMP file as a bitmap (LoadImage with LR_LOADFROMFILE).

#include "platform/gdi/gdi_types.h"

namespace win {

inline constexpr UINT IMAGE_BITMAP = 0;
inline constexpr UINT LR_DEFAULTCOLOR = 0x0000;
inline constexpr UINT LR_LOADFROMFILE = 0x0010;

// A bitmap of the BMP file `name` (a drive path or a Linux path) at its natural size, or
// stretched to cx by cy when they are not 0; null when the file is missing or not a BMP picture.
HBITMAP LoadImageA(void* instance, const char* name, UINT type, int cx, int cy, UINT flags);
inline HBITMAP LoadImage(void* instance, const char* name, UINT type, int cx, int cy, UINT flags)
{
  return LoadImageA(instance, name, type, cx, cy, flags);
}

}  // namespace win
