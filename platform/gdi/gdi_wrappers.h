#pragma once
// The framework's GDI object classes: each owns one handle and deletes it when destroyed.

#include "platform/gdi/gdi_objects.h"

namespace win {

class CDC;

class CGdiObject {
public:
  CGdiObject() = default;
  virtual ~CGdiObject();
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }  // NOLINT(google-explicit-constructor)

  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  int GetObject(int bytes, void* out) const { return win::GetObjectA(m_hObject, bytes, out); }

  // The permanent wrapper of a handle, or a temporary one owned by the handle's record.
  static CGdiObject* FromHandle(HGDIOBJ object);

private:
  friend struct TemporaryWrappers;
  bool m_temporary = false;  // a FromHandle wrapper: never deletes its handle
};

class CPen : public CGdiObject {
public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT(google-explicit-constructor)
  static CPen* FromHandle(HPEN pen);
};

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT(google-explicit-constructor)
  static CBrush* FromHandle(HBRUSH brush);
};

class CFont : public CGdiObject {
public:
  BOOL CreateFontIndirect(const LOGFONT* font);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                  BYTE quality, BYTE pitchAndFamily, LPCSTR face);
  // `pointSize` in tenths of a point; the height follows the device's vertical resolution
  // (the screen's when `dc` is null).
  BOOL CreatePointFont(int pointSize, LPCSTR face, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* out) const { return GetObject(sizeof(LOGFONT), out); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT(google-explicit-constructor)
  static CFont* FromHandle(HFONT font);
};

class CBitmap : public CGdiObject {
public:
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  int GetBitmap(BITMAP* out) const { return GetObject(sizeof(BITMAP), out); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT(google-explicit-constructor)
  static CBitmap* FromHandle(HBITMAP bitmap);
  // The pixels (null without a bitmap): for the window system and for tests.
  std::shared_ptr<vetra::gdi::Bitmap32> Pixels() const;
};

class CPalette : public CGdiObject {
public:
  BOOL CreatePalette(const LOGPALETTE* palette);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
  UINT GetNearestPaletteIndex(COLORREF color) const;
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }  // NOLINT(google-explicit-constructor)
  static CPalette* FromHandle(HPALETTE palette);
};

}  // namespace win
