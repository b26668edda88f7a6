#pragma once
// The display: a virtual screen of 32-bit pixels that the window system composes its top-level
// windows on, and the facts a device context reports about the device it draws for.

#include <functional>
#include <memory>

#include "platform/gdi/bitmap32.h"

namespace vetra::gdi {

inline constexpr int kDefaultScreenWidth = 1024;
inline constexpr int kDefaultScreenHeight = 768;
inline constexpr int kScreenDpi = 96;
inline constexpr int kPrinterDpi = 254;

// The kind of device behind a device context, as GetDeviceCaps reports it.
struct DeviceInfo {
  int technology = 1;  // DT_RASDISPLAY
  int dpi = kScreenDpi;
  int width = kDefaultScreenWidth;    // pixels
  int height = kDefaultScreenHeight;  // pixels
  int bitsPerPixel = 32;
};

// The screen bitmap (created at the default size on first use).
std::shared_ptr<Bitmap32> Screen();
// Resizes the screen (contents cleared); the old bitmap stays valid for whoever holds it.
void SetScreenSize(int width, int height);
DeviceInfo ScreenDevice();

// The window system registers a composer: before anything reads the screen (a DC created on
// "DISPLAY", GetDIBits of it) the composer brings it up to date.
void SetScreenComposer(std::function<void()> composer);
void ComposeScreen();

}  // namespace vetra::gdi
