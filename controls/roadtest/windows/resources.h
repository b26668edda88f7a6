#pragma once
// The bitmap resources of the road-test viewer: the remove buttons' pictures (209 up, pressed and
// focused; 210 disabled) and the three buttons of the print choice (213 cancel, 214 print,
// 215 picture), read from the module's resource folder.
#include <string>

namespace morvit {

inline constexpr unsigned kRemoveButtonBitmap = 209;
inline constexpr unsigned kRemoveButtonDisabledBitmap = 210;
inline constexpr unsigned kCancelBitmap = 213;
inline constexpr unsigned kPrintBitmap = 214;
inline constexpr unsigned kPictureBitmap = 215;

// "C:\Vetra\Fenmark\Res\Morvit\Bitmap<id>.bmp"
std::string ResourceBitmapPath(unsigned id);
// Makes the resources known to the window layer (once per process).
void RegisterMorvitBitmaps();

}  // namespace morvit
