#pragma once
// What a device context draws on: a shared bitmap, where device (0, 0) lies in it, and the part
// of it that the device context may touch. A window's paint DC is a surface on the window system's
// bitmap with the window's client origin and its visible (or invalid) rectangle.

#include <memory>

#include "platform/base/win_types.h"
#include "platform/gdi/bitmap32.h"

namespace vetra::gdi {

struct Surface {
  std::shared_ptr<Bitmap32> bitmap;
  win::POINT origin;  // bitmap pixel of device (0, 0)
  win::RECT bounds;   // device coordinates the DC may draw in (also its GetClipBox)
};

// A surface covering all of `bitmap`.
Surface WholeSurface(std::shared_ptr<Bitmap32> bitmap);

}  // namespace vetra::gdi
