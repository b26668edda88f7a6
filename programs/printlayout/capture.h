#pragma once
// The viewers' print capture: read as 24-bit RGB, rewritten as print1.bmp for the page, and
// saved as a JPG or BMP picture of the user's choice with an empty marker file beside it.

#include <functional>
#include <optional>
#include <string>

#include "programs/printlayout/picture_library.h"

namespace tolvex {

inline constexpr const char* kCaptureFile = "c:\\Vetra\\Fenmark\\Temp\\print.bmp";
inline constexpr const char* kCaptureCopyFile = "c:\\vetra\\Fenmark\\temp\\print1.bmp";
inline constexpr const char* kCaptureCopyReadPath = "c:\\Vetra\\Fenmark\\Temp\\print1.bmp";
inline constexpr int kCaptureCopyWidth = 1017;
inline constexpr int kCaptureCopyHeight = 708;
inline constexpr int kSavedJpegQuality = 75;

// Shows a message to the user (code page 949 or ASCII).
using MessageSink = std::function<void(const std::string&)>;

// Reads print.bmp; on failure shows the picture library's error text and gives nothing.
std::optional<RgbPicture> ReadCapture(const MessageSink& show);

// Reads the capture and, only when that succeeded, writes print1.bmp of 1017 by 708 pixels.
// True when print1.bmp was written; a copy that cannot be written is shown too.
bool ImportCapture(const MessageSink& show);
// What the program says when print1.bmp cannot be written (code page 949).
std::string CaptureCopyFailedText();

enum class SavedFormat { Jpg, Bmp };

// Writes the picture, then creates the empty marker file in its folder. True when the picture
// was written; failures are shown, and leave neither a picture nor a marker.
bool SavePicture(const RgbPicture& picture, const std::string& path, SavedFormat format,
                 const std::string& markerFileName, const MessageSink& show);

// The folder part of a path ("c:\a\b.jpg" gives "c:\a\"), empty for a bare name.
std::string FolderOf(const std::string& path);

}  // namespace tolvex
