#pragma once
// BMP files as the picture library reads and writes them: any uncompressed depth (1, 4, 8, 16,
// 24 or 32 bits a pixel, info or core header, either row order) read as 24-bit RGB, and 24-bit
// bottom-up files written.

#include <cstddef>
#include <cstdint>

#include "common/image/picture.h"
#include "common/image/picture_files.h"
#include "platform/gdi/dib_format.h"

namespace vetra::image {

// The largest picture a capture or a saved picture can sensibly be; larger sizes in a header
// come from damaged files and must not make us allocate gigabytes.
inline constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;
inline constexpr int kMaxSide = 32768;

// Whether a picture of this size is one the library reads or writes.
bool SensibleSize(int width, int height);

// Where a DIB's rows start, counted from the start of the file: the file header's offset when it
// points past the headers and colour table, else right after them (an offset inside the headers,
// or zero as some writers leave it, cannot be where the rows are).
std::size_t DibRowsOffset(const gdi::DibLayout& layout, std::size_t infoStart, std::uint32_t declaredOffset);

// Decodes a BMP file's bytes into `picture`. kNoError; kFileRead when there are no bytes or
// fewer than the rows need; kRleBmp for run-length files; kBadBmp for anything else that is not
// a BMP of a sensible size; kOutOfMemory.
int DecodeBmp(const std::uint8_t* data, std::size_t size, RgbPicture& picture);

// Writes a 24-bit BMP of width by height pixels: the picture at its top-left corner, cut where it
// is larger and white where it is smaller (all white when its bytes do not match its size).
// kNoError, kBadParam for a size out of range, kFileWrite when the file takes the bytes badly.
int WriteBmp24(ReplacingFile& file, const RgbPicture& picture, int width, int height);

}  // namespace vetra::image
