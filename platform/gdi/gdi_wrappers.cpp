#include "platform/gdi/gdi_wrappers.h"

#include <cstdlib>
#include <cstring>

#include "platform/gdi/cdc.h"
#include "platform/gdi/display.h"

namespace win {

using namespace vetra::gdi;

// Wrappers made by FromHandle for handles that no framework object owns; they live in the handle's
// record and never delete it.
struct TemporaryWrappers {
  template <class Wrapper>
  static Wrapper* For(HGDIOBJ handle)
  {
    const auto object = Lookup(handle);
    if (!object) return nullptr;
    if (object->permanentWrapper) return static_cast<Wrapper*>(object->permanentWrapper);
    if (!object->temporaryWrapper) {
      auto wrapper = std::make_unique<Wrapper>();
      wrapper->m_hObject = handle;
      wrapper->m_temporary = true;
      object->temporaryWrapper = std::move(wrapper);
    }
    return static_cast<Wrapper*>(object->temporaryWrapper.get());
  }

  static CGdiObject* Any(HGDIOBJ handle)
  {
    const auto object = Lookup(handle);
    if (!object) return nullptr;
    switch (object->Kind()) {
      case ObjectKind::Pen: return For<CPen>(handle);
      case ObjectKind::Brush: return For<CBrush>(handle);
      case ObjectKind::Font: return For<CFont>(handle);
      case ObjectKind::Palette: return For<CPalette>(handle);
      case ObjectKind::Bitmap: return For<CBitmap>(handle);
    }
    return nullptr;
  }
};

CGdiObject::~CGdiObject()
{
  if (!m_temporary) DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object)
{
  const auto found = Lookup(object);
  if (!found) return FALSE;
  DeleteObject();
  m_hObject = object;
  if (!found->IsStock()) found->permanentWrapper = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
  HGDIOBJ handle = m_hObject;
  if (const auto found = Lookup(handle); found && found->permanentWrapper == this) found->permanentWrapper = nullptr;
  m_hObject = nullptr;
  return handle;
}

BOOL CGdiObject::DeleteObject()
{
  if (!m_hObject || m_temporary) return FALSE;
  HGDIOBJ handle = Detach();
  return win::DeleteObject(handle);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object)
{
  return TemporaryWrappers::Any(object);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
  return Attach(win::CreatePen(style, width, color));
}

CPen* CPen::FromHandle(HPEN pen)
{
  return TemporaryWrappers::For<CPen>(pen);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
  return Attach(win::CreateSolidBrush(color));
}

CBrush* CBrush::FromHandle(HBRUSH brush)
{
  return TemporaryWrappers::For<CBrush>(brush);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* font)
{
  return Attach(win::CreateFontIndirectA(font));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCSTR face)
{
  return Attach(win::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                 strikeOut, charSet, outPrecision, clipPrecision, quality,
                                 pitchAndFamily, face));
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR face, CDC* dc)
{
  // Tenths of a point to pixels of the device, then to the DC's logical units; a negative height
  // asks for the em size.
  const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : kScreenDpi;
  const int pixels = (pointSize * dpi + 360) / 720;
  int height = pixels;
  if (dc && dc->GetSafeHdc()) {
    POINT ends[2] = {{0, 0}, {0, pixels}};
    dc->DPtoLP(ends, 2);
    height = std::abs(ends[1].y - ends[0].y);
  }
  LOGFONT font;
  font.lfHeight = -height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  if (face) std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&font);
}

CFont* CFont::FromHandle(HFONT font)
{
  return TemporaryWrappers::For<CFont>(font);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
  return Attach(win::CreateCompatibleBitmap(dc ? dc->GetSafeHdc() : nullptr, width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
  return Attach(win::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap)
{
  return TemporaryWrappers::For<CBitmap>(bitmap);
}

std::shared_ptr<Bitmap32> CBitmap::Pixels() const
{
  const auto found = LookupAs<BitmapObject>(m_hObject, ObjectKind::Bitmap);
  return found ? found->pixels : nullptr;
}

BOOL CPalette::CreatePalette(const LOGPALETTE* palette)
{
  return Attach(win::CreatePalette(palette));
}

int CPalette::GetEntryCount() const
{
  return static_cast<int>(win::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), 0, 0, nullptr));
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const
{
  return win::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), start, count, entries);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const
{
  return win::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), color);
}

CPalette* CPalette::FromHandle(HPALETTE palette)
{
  return TemporaryWrappers::For<CPalette>(palette);
}

}  // namespace win
