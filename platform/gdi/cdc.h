#pragma once
// The framework's device context. It keeps the GDI state (selected objects, colours, modes,
// mapping, current position, saved states), maps logical to device coordinates, writes the draw
// log and hands the pixels to the painter.
//
// Kinds of device context:
//   - memory DC: CreateCompatibleDC(other or null); draws into the bitmap selected into it.
//   - display DC: CreateDC("DISPLAY", ...); draws on (and reads) the whole virtual screen.
//   - surface DC: AttachSurface(surface); the window system's paint and client DCs.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/display.h"
#include "platform/gdi/draw_log.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/gdi_wrappers.h"
#include "platform/gdi/geometry.h"
#include "platform/gdi/surface.h"

namespace win {

class CDC {
public:
  CDC();
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // The handle is the device context itself (null until the DC has a device).
  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }  // NOLINT(google-explicit-constructor)
  static CDC* FromHandle(HDC dc) { return dc; }

  // ---- Creation ----
  // A memory DC like `other` (the screen when null), holding a 1 by 1 monochrome bitmap until a
  // bitmap is selected.
  BOOL CreateCompatibleDC(CDC* other);
  // Only the "DISPLAY" driver exists: a DC on the whole virtual screen.
  BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData);
  // Makes this a DC on `surface` (window system). Selected objects and modes are reset.
  void AttachSurface(vetra::gdi::Surface surface, vetra::gdi::DeviceInfo device = vetra::gdi::ScreenDevice());
  // The device behind the DC (a printer DC sets dpi 254 and DT_RASPRINTER).
  void SetDeviceInfo(const vetra::gdi::DeviceInfo& device);
  const vetra::gdi::DeviceInfo& GetDeviceInfo() const;
  BOOL DeleteDC();
  // What the DC draws on right now (a memory DC: its selected bitmap).
  vetra::gdi::Surface CurrentSurface() const;

  // ---- Draw log ----
  void SetDrawLog(std::shared_ptr<vetra::gdi::DrawLog> log);
  vetra::gdi::DrawLog* GetDrawLog() const;
  void SetLogName(std::string name);
  const std::string& GetLogName() const;

  int GetDeviceCaps(int index) const;

  // ---- Objects ----
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  CGdiObject* SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CGdiObject* SelectStockObject(int which);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  // ---- Palettes (no-ops on a true-colour device, but DIB_PAL_COLORS resolves through them) ----
  CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
  HPALETTE SelectPalette(HPALETTE palette, BOOL forceBackground);
  UINT RealizePalette();

  // ---- State ----
  int SaveDC();
  // A positive number restores that saved state, a negative one counts back from the latest.
  BOOL RestoreDC(int savedDC);

  int SetMapMode(int mode);
  int GetMapMode() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint GetWindowOrg() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint GetViewportOrg() const;
  CPoint OffsetViewportOrg(int dx, int dy);
  void LPtoDP(POINT* points, int count = 1) const;
  void LPtoDP(RECT* rect) const;
  void DPtoLP(POINT* points, int count = 1) const;
  void DPtoLP(RECT* rect) const;

  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);
  int GetBkMode() const;
  int SetROP2(int mode);
  int GetROP2() const;
  UINT SetTextAlign(UINT flags);
  UINT GetTextAlign() const;
  int SetStretchBltMode(int mode);
  int GetStretchBltMode() const;

  // Clip rectangle in logical units; the DC never draws outside its surface bounds.
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(const RECT* rect) { return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom); }
  int GetClipBox(RECT* rect) const;

  // ---- Lines and shapes (the last pixel of a line is not drawn) ----
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
  CPoint GetCurrentPosition() const;
  BOOL Polyline(const POINT* points, int count);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(const RECT* rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
  void FillRect(const RECT* rect, CBrush* brush);
  void FillSolidRect(const RECT* rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FrameRect(const RECT* rect, CBrush* brush);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;

  // ---- Blits ----
  BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, DWORD rop);
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  // DIB bits described by `info` (40-byte or larger info header, or 12-byte core header, followed
  // by its colour table). Returns the number of scan lines drawn, 0 on failure.
  int StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
  int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                        UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);

  // ---- Text (CP949) ----
  BOOL TextOut(int x, int y, const char* text, int count);
  BOOL TextOut(int x, int y, std::string_view text) { return TextOut(x, y, text.data(), static_cast<int>(text.size())); }
  CSize GetTextExtent(const char* text, int count) const;
  CSize GetTextExtent(std::string_view text) const { return GetTextExtent(text.data(), static_cast<int>(text.size())); }
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
  // Single-line text placed in `rect` by DT_LEFT/DT_CENTER/DT_RIGHT and DT_TOP/DT_VCENTER/DT_BOTTOM;
  // returns the text height. DT_CALCRECT only measures (sets rect's right and bottom).
  int DrawText(std::string_view text, RECT* rect, UINT format);
  int DrawText(const char* text, int count, RECT* rect, UINT format)
  {
    const std::string_view view = text == nullptr ? std::string_view() : count < 0 ? std::string_view(text) : std::string_view(text, static_cast<std::size_t>(count));
    return DrawText(view, rect, format);
  }

  // Internal to the raster's own sources.
  struct State;
  struct Impl;

private:
  BOOL Blit(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
            int srcHeight, DWORD rop);

  std::unique_ptr<Impl> m_impl;
};

// ---- The same operations as plain functions on a handle ----
HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR output, const void* initData);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
// On a device without a palette (RASTERCAPS lacks RC_PALETTE) no entries are returned: 0.
UINT GetSystemPaletteEntries(HDC dc, UINT start, UINT count, PALETTEENTRY* entries);
int SetStretchBltMode(HDC dc, int mode);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage);
// Reads rows of `bitmap` into `bits` in the format `info` asks for (1, 4, 8, 16, 24 or 32 bits,
// BI_RGB, rows bottom-up unless the height is negative). With null `bits` only fills in the
// header (biSizeImage) and colour table. Returns the rows copied (or 1 for a header-only call),
// 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info, UINT usage);

}  // namespace win
