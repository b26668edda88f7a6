#pragma once
// Bitmap resources by number: a module registers how each of its pictures is made, and
// LoadBitmap finds it (as the framework loads a bitmap from the module's resources).

#include <functional>

#include "platform/gdi/cdc.h"

namespace win {

using BitmapMaker = std::function<BOOL(CBitmap& bitmap)>;

void RegisterBitmapResource(UINT id, BitmapMaker maker);
// FALSE when no bitmap of that number is registered.
BOOL LoadBitmapResource(CBitmap& bitmap, UINT id);

}  // namespace win
