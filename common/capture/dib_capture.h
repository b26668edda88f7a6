#pragma once
// A device-dependent bitmap as a packed device-independent bitmap in global memory (info header,
// colour table, rows bottom-up), and such a block written as a .bmp file.
#include <string_view>

#include "platform/base/global_memory.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/gdi_wrappers.h"

namespace vetra::capture {

// The packed DIB of `bitmap` at its own depth with the given compression code (BI_BITFIELDS is
// refused); without a palette the default palette is used. An empty block on failure.
win::GlobalMemory BitmapToDib(win::HBITMAP bitmap, win::DWORD compression, win::CPalette* palette = nullptr);

// The file header written in front of a packed DIB: type "BM", file size = block size + 14,
// pixels after the info header and the colour table.
win::BITMAPFILEHEADER DibFileHeader(const win::GlobalMemory& dib);

// Writes the file header and the whole block to `path` (a system path). 1 written, 0 when there
// is no DIB or the file cannot be written; a failed write leaves no partial file and an earlier
// file of that name as it was.
int WriteDibFile(std::string_view path, const win::GlobalMemory& dib);

}  // namespace vetra::capture
