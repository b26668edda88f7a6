#pragma once
// GDI objects (pens, brushes, fonts, palettes, bitmaps) and their handles. A handle points at the
// object record; the handle table keeps each created object until DeleteObject. An object deleted
// while a device context still has it selected keeps drawing there and is released when it is
// deselected; its handle is gone from then on.

#include <memory>
#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/bitmap32.h"
#include "platform/gdi/gdi_types.h"

namespace win {
class CGdiObject;
}

namespace vetra::gdi {

class FontFace;

enum class ObjectKind { Pen, Brush, Font, Palette, Bitmap };

class GdiObject : public std::enable_shared_from_this<GdiObject> {
public:
  explicit GdiObject(ObjectKind kind) : m_kind(kind) {}
  virtual ~GdiObject();
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  ObjectKind Kind() const { return m_kind; }
  bool IsStock() const { return m_stock; }
  void MarkStock() { m_stock = true; }

  // The framework object wrapping this handle, if any (see win::CGdiObject::FromHandle).
  win::CGdiObject* permanentWrapper = nullptr;
  std::unique_ptr<win::CGdiObject> temporaryWrapper;

private:
  ObjectKind m_kind;
  bool m_stock = false;
};

class PenObject : public GdiObject {
public:
  explicit PenObject(const win::LOGPEN& pen) : GdiObject(ObjectKind::Pen), logPen(pen) {}
  win::LOGPEN logPen;
};

class BrushObject : public GdiObject {
public:
  explicit BrushObject(const win::LOGBRUSH& brush) : GdiObject(ObjectKind::Brush), logBrush(brush) {}
  win::LOGBRUSH logBrush;
};

class FontObject : public GdiObject {
public:
  explicit FontObject(const win::LOGFONT& font) : GdiObject(ObjectKind::Font), logFont(font) {}
  // The rendered face at this font's size (opened on first use).
  std::shared_ptr<FontFace> Face();
  win::LOGFONT logFont;

private:
  std::shared_ptr<FontFace> m_face;
};

class PaletteObject : public GdiObject {
public:
  explicit PaletteObject(std::vector<win::PALETTEENTRY> entries)
      : GdiObject(ObjectKind::Palette), entries(std::move(entries)) {}
  std::vector<win::PALETTEENTRY> entries;
  // Index of the entry nearest to `color` (squared RGB distance, first of equals).
  win::UINT NearestIndex(win::COLORREF color) const;
};

class BitmapObject : public GdiObject {
public:
  // `bitsPixel` is what GetObject reports: 32 for bitmaps compatible with the display, 1 for the
  // default bitmap of a new memory DC.
  BitmapObject(int width, int height, int bitsPixel)
      : GdiObject(ObjectKind::Bitmap), pixels(std::make_shared<Bitmap32>(width, height)),
        bitsPixel(bitsPixel) {}
  std::shared_ptr<Bitmap32> pixels;
  int bitsPixel = 32;
};

// Handle table. Register returns the handle of a new object; Lookup gives the object of a live
// handle (null for a deleted or unknown one).
win::HGDIOBJ Register(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> Lookup(win::HGDIOBJ handle);
template <class T>
std::shared_ptr<T> LookupAs(win::HGDIOBJ handle, ObjectKind kind)
{
  auto object = Lookup(handle);
  if (!object || object->Kind() != kind) return nullptr;
  return std::static_pointer_cast<T>(object);
}

// The 20 reserved colours of the default palette.
const std::vector<win::PALETTEENTRY>& DefaultPaletteEntries();

}  // namespace vetra::gdi

namespace win {

HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* pen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HFONT CreateFontIndirectA(const LOGFONT* font);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face);
HPALETTE CreatePalette(const LOGPALETTE* palette);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A bitmap of the given size; `bits` (rows top-down, word-aligned) may be null. Depth 1 or 32.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HGDIOBJ GetStockObject(int which);
BOOL DeleteObject(HGDIOBJ object);
// Fills `out` (BITMAP, LOGPEN, LOGBRUSH, LOGFONT, or the entry count of a palette as a WORD) and
// returns the bytes written; 0 for an unknown handle or a buffer too small.
int GetObjectA(HGDIOBJ object, int bytes, void* out);
inline int GetObject(HGDIOBJ object, int bytes, void* out) { return GetObjectA(object, bytes, out); }
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);

}  // namespace win
