#pragma once
// A skin picture: one BMP file read whole into global memory, with the logical palette made from
// its colour table, drawn into a device context with StretchDIBits. Every window draws its
// backgrounds, button faces and logos with it.
//
// The class never shows a message and never throws: a failure leaves its text (CP949, the path in
// front) in m_message and the operation returns 0; the caller decides what to show.

#include <memory>
#include <string>

#include "platform/base/global_memory.h"
#include "platform/base/win_types.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/gdi_wrappers.h"

namespace vetra {

class CDib {
public:
  CDib() = default;
  // Frees what is still held.
  ~CDib() { Free(); }
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  // Releases any picture already held, then loads `path`. 1 loaded, 0 failed.
  int Open(const char* path);
  // Reads the file named by m_path. 1 / 0.
  int Load();
  // Reads the header: sets width, height and header kind; returns the colour count.
  int NumColors();
  // Builds the palette block and object from the colour table. 1 / 0.
  int CreatePalette();
  // Bytes of the colour table: colour count x 4 (info header) or x 3 (core header).
  win::WORD GetPaletteSize() const;
  // Start of the pixel rows: after the header and the colour table.
  win::BYTE* GetBits() const;
  // For a picture without colour table on a palette device: selects a palette made from the
  // system palette. 1 selected, 0 not.
  int UseSystemPalette(win::HDC dc);
  // The whole picture stretched into x, y, cx, cy.
  void Draw(int x, int y, int cx, int cy, win::CDC* dc);
  // The top-left cx by cy pixels of the picture at their own size at x, y.
  void DrawUnscaled(int x, int y, int cx, int cy, win::CDC* dc);
  // Writes the file header and the data to `path` (the stored path when null). 1 written; 0 when
  // no picture is held or the file cannot be written (no partial file is left, an earlier file
  // of that name stays as it was).
  int Save(const char* path = nullptr);
  // Releases everything; a second Free does nothing.
  void Free();
  // Marks the picture loaded with a packed DIB that stays the caller's (for Save only).
  void Attach(win::BITMAPFILEHEADER fileHeader, void* data);

  int m_loaded = 0;
  std::string m_path;
  std::string m_message;
  win::BITMAPFILEHEADER m_fileHeader;
  win::BITMAPINFOHEADER* m_infoHeader = nullptr;
  win::BITMAPCOREHEADER* m_coreHeader = nullptr;
  win::BITMAPINFO* m_info = nullptr;
  win::BITMAPCOREINFO* m_coreInfo = nullptr;
  int m_width = 0;
  int m_height = 0;
  win::GlobalMemory m_paletteMemory;
  win::LOGPALETTE* m_logPalette = nullptr;
  win::GlobalMemory m_dataMemory;
  win::BYTE* m_data = nullptr;
  int m_colorCount = 0;
  int m_infoKind = 0;  // 1 = info header (40 bytes or more), 0 = 12-byte core header
  std::unique_ptr<win::CPalette> m_palette;

private:
  void DrawPart(int x, int y, int cx, int cy, int srcWidth, int srcHeight, win::CDC* dc);
  // The data read from the file is a picture whose parts all lie inside it.
  bool Valid() const;
  void Fail(const char* utf8Text);

  std::unique_ptr<win::CPalette> m_systemPalette;  // made by UseSystemPalette
};

}  // namespace vetra
