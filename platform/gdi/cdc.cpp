#include "platform/gdi/cdc_impl.h"

#include <algorithm>
#include <cstring>

#include "platform/base/text.h"

namespace win {

using namespace vetra::gdi;

namespace {

template <class T>
std::shared_ptr<T> Stock(int which, ObjectKind kind)
{
  return LookupAs<T>(GetStockObject(which), kind);
}

// The 1 by 1 monochrome bitmap a new memory DC holds.
std::shared_ptr<BitmapObject> DefaultBitmap()
{
  static HBITMAP handle = [] {
    auto object = std::make_shared<BitmapObject>(1, 1, 1);
    object->MarkStock();
    return static_cast<HBITMAP>(Register(std::move(object)));
  }();
  return LookupAs<BitmapObject>(handle, ObjectKind::Bitmap);
}

}  // namespace

long long MulDivRound(long long a, long long b, long long c)
{
  if (c == 0) return 0;
  const long long product = a * b;
  const long long half = (c < 0 ? -c : c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const long long magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
  return negative ? -magnitude : magnitude;
}

RECT NormalizedRect(LONG l, LONG t, LONG r, LONG b)
{
  return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// ---- Impl ----

void CDC::Impl::ResetState()
{
  state = State{};
  state.pen = Stock<PenObject>(BLACK_PEN, ObjectKind::Pen);
  state.brush = Stock<BrushObject>(WHITE_BRUSH, ObjectKind::Brush);
  state.font = Stock<FontObject>(SYSTEM_FONT, ObjectKind::Font);
  state.palette = Stock<PaletteObject>(DEFAULT_PALETTE, ObjectKind::Palette);
  if (kind == Kind::Memory) state.bitmap = DefaultBitmap();
  saved.clear();
}

Surface CDC::Impl::Target() const
{
  if (kind == Kind::Memory) return WholeSurface(state.bitmap ? state.bitmap->pixels : nullptr);
  return surface;
}

RECT CDC::Impl::DeviceClip() const
{
  const Surface target = Target();
  RECT box = target.bounds;
  if (state.clip) {
    box = {std::max(box.left, state.clip->left), std::max(box.top, state.clip->top),
           std::min(box.right, state.clip->right), std::min(box.bottom, state.clip->bottom)};
    if (box.right < box.left) box.right = box.left;
    if (box.bottom < box.top) box.bottom = box.top;
  }
  return box;
}

LONG CDC::Impl::MapX(long long x) const
{
  const long long offset = x - state.windowOrg.x;
  const long long scaled = state.mapMode == MM_LOMETRIC ? MulDivRound(offset, device.dpi, 254) : offset;
  return static_cast<LONG>(scaled + state.viewportOrg.x);
}

LONG CDC::Impl::MapY(long long y) const
{
  const long long offset = y - state.windowOrg.y;
  const long long scaled = state.mapMode == MM_LOMETRIC ? MulDivRound(offset, -device.dpi, 254) : offset;
  return static_cast<LONG>(scaled + state.viewportOrg.y);
}

LONG CDC::Impl::UnmapX(long long x) const
{
  const long long offset = x - state.viewportOrg.x;
  const long long logical = state.mapMode == MM_LOMETRIC ? MulDivRound(offset, 254, device.dpi) : offset;
  return static_cast<LONG>(logical + state.windowOrg.x);
}

LONG CDC::Impl::UnmapY(long long y) const
{
  const long long offset = y - state.viewportOrg.y;
  const long long logical = state.mapMode == MM_LOMETRIC ? MulDivRound(offset, -254, device.dpi) : offset;
  return static_cast<LONG>(logical + state.windowOrg.y);
}

int CDC::Impl::ScaleLength(int length) const
{
  const long long value = length < 0 ? -static_cast<long long>(length) : length;
  return static_cast<int>(state.mapMode == MM_LOMETRIC ? MulDivRound(value, device.dpi, 254) : value);
}

int CDC::Impl::UnscaleLength(int length) const
{
  return static_cast<int>(state.mapMode == MM_LOMETRIC ? MulDivRound(length, 254, device.dpi) : length);
}

bool CDC::Impl::Logging() const
{
  return log || ActiveScopedLog();
}

void CDC::Impl::Log(const char* op, std::vector<long long> args, std::string text)
{
  if (!Logging()) return;
  DrawCall call{logName, op, std::move(args), std::move(text)};
  if (auto* scoped = ActiveScopedLog(); scoped && scoped != log.get()) scoped->Add(call);
  if (log) log->Add(std::move(call));
}

// ---- Creation ----

CDC::CDC() : m_impl(std::make_unique<Impl>()) {}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* other)
{
  m_impl->kind = Impl::Kind::Memory;
  m_impl->device = other && other->m_hDC ? other->m_impl->device : ScreenDevice();
  m_impl->surface = {};
  m_impl->ResetState();
  m_hDC = this;
  return TRUE;
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR /*device*/, LPCSTR /*output*/, const void* /*initData*/)
{
  if (!driver || !vetra::EqualsNoCase(driver, "DISPLAY")) return FALSE;
  ComposeScreen();
  AttachSurface(WholeSurface(Screen()), ScreenDevice());
  m_impl->kind = Impl::Kind::Display;
  return TRUE;
}

void CDC::AttachSurface(Surface surface, DeviceInfo device)
{
  m_impl->kind = Impl::Kind::Surface;
  m_impl->surface = std::move(surface);
  m_impl->device = device;
  m_impl->ResetState();
  m_hDC = this;
}

void CDC::SetDeviceInfo(const DeviceInfo& device)
{
  m_impl->device = device;
}

const DeviceInfo& CDC::GetDeviceInfo() const
{
  return m_impl->device;
}

BOOL CDC::DeleteDC()
{
  if (!m_hDC) return FALSE;
  m_impl->kind = Impl::Kind::None;
  m_impl->surface = {};
  m_impl->state = State{};
  m_impl->saved.clear();
  m_hDC = nullptr;
  return TRUE;
}

Surface CDC::CurrentSurface() const
{
  return m_impl->Target();
}

void CDC::SetDrawLog(std::shared_ptr<DrawLog> log)
{
  m_impl->log = std::move(log);
}

DrawLog* CDC::GetDrawLog() const
{
  return m_impl->log.get();
}

void CDC::SetLogName(std::string name)
{
  m_impl->logName = std::move(name);
}

const std::string& CDC::GetLogName() const
{
  return m_impl->logName;
}

int CDC::GetDeviceCaps(int index) const
{
  const DeviceInfo& d = m_impl->device;
  switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return d.technology;
    case HORZSIZE: return static_cast<int>(MulDivRound(d.width, 254, static_cast<long long>(d.dpi) * 10));
    case VERTSIZE: return static_cast<int>(MulDivRound(d.height, 254, static_cast<long long>(d.dpi) * 10));
    case HORZRES:
    case PHYSICALWIDTH: return d.width;
    case VERTRES:
    case PHYSICALHEIGHT: return d.height;
    case BITSPIXEL: return d.bitsPerPixel;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    // A true-colour device: no RC_PALETTE, no system palette.
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return d.dpi;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    default: return 0;
  }
}

// ---- Objects ----

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
  const auto found = Lookup(object);
  if (!found || !m_hDC) return nullptr;
  State& s = m_impl->state;
  auto swap = [](auto& slot, std::shared_ptr<GdiObject> next) -> HGDIOBJ {
    using T = typename std::decay_t<decltype(slot)>::element_type;
    HGDIOBJ previous = slot.get();
    slot = std::static_pointer_cast<T>(std::move(next));
    return previous;
  };
  switch (found->Kind()) {
    case ObjectKind::Pen: {
      const auto& pen = static_cast<PenObject&>(*found).logPen;
      m_impl->Log("SelectPen", {pen.lopnStyle, pen.lopnWidth.x, pen.lopnColor});
      return swap(s.pen, found);
    }
    case ObjectKind::Brush: {
      const auto& brush = static_cast<BrushObject&>(*found).logBrush;
      m_impl->Log("SelectBrush", {brush.lbStyle, brush.lbColor});
      return swap(s.brush, found);
    }
    case ObjectKind::Font: {
      const auto& font = static_cast<FontObject&>(*found).logFont;
      m_impl->Log("SelectFont", {font.lfHeight, font.lfWidth, font.lfWeight}, font.lfFaceName);
      return swap(s.font, found);
    }
    case ObjectKind::Bitmap: {
      if (m_impl->kind != Impl::Kind::Memory) return nullptr;
      const auto& pixels = static_cast<BitmapObject&>(*found).pixels;
      m_impl->Log("SelectBitmap", {pixels->Width(), pixels->Height()});
      return swap(s.bitmap, found);
    }
    case ObjectKind::Palette: return SelectPalette(static_cast<HPALETTE>(object), FALSE);
  }
  return nullptr;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
  return object ? CGdiObject::FromHandle(SelectObject(object->m_hObject)) : nullptr;
}

CPen* CDC::SelectObject(CPen* pen)
{
  return pen ? CPen::FromHandle(static_cast<HPEN>(SelectObject(pen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
  return brush ? CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(brush->m_hObject))) : nullptr;
}

CFont* CDC::SelectObject(CFont* font)
{
  return font ? CFont::FromHandle(static_cast<HFONT>(SelectObject(font->m_hObject))) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
  return bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(bitmap->m_hObject))) : nullptr;
}

CGdiObject* CDC::SelectStockObject(int which)
{
  return CGdiObject::FromHandle(SelectObject(GetStockObject(which)));
}

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(m_impl->state.pen.get()); }
CBrush* CDC::GetCurrentBrush() const { return CBrush::FromHandle(m_impl->state.brush.get()); }
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(m_impl->state.font.get()); }
CBitmap* CDC::GetCurrentBitmap() const { return CBitmap::FromHandle(m_impl->state.bitmap.get()); }

HPALETTE CDC::SelectPalette(HPALETTE palette, BOOL forceBackground)
{
  auto found = LookupAs<PaletteObject>(palette, ObjectKind::Palette);
  if (!found || !m_hDC) return nullptr;
  m_impl->Log("SelectPalette", {static_cast<long long>(found->entries.size()), forceBackground});
  HPALETTE previous = m_impl->state.palette.get();
  m_impl->state.palette = std::move(found);
  return previous;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground)
{
  return palette ? CPalette::FromHandle(SelectPalette(static_cast<HPALETTE>(palette->m_hObject), forceBackground)) : nullptr;
}

UINT CDC::RealizePalette()
{
  // Nothing to map on a true-colour device.
  m_impl->Log("RealizePalette", {});
  return 0;
}

// ---- State ----

int CDC::SaveDC()
{
  if (!m_hDC) return 0;
  m_impl->saved.push_back(m_impl->state);
  m_impl->Log("SaveDC", {});
  return static_cast<int>(m_impl->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
  auto& saved = m_impl->saved;
  const long long count = static_cast<long long>(saved.size());
  const long long index = savedDC > 0 ? savedDC : count + savedDC + 1;  // 1-based
  if (savedDC == 0 || index < 1 || index > count) return FALSE;
  m_impl->state = saved[static_cast<std::size_t>(index - 1)];
  saved.resize(static_cast<std::size_t>(index - 1));
  m_impl->Log("RestoreDC", {savedDC});
  return TRUE;
}

int CDC::SetMapMode(int mode)
{
  const int previous = m_impl->state.mapMode;
  if (mode != MM_TEXT && mode != MM_LOMETRIC) return 0;
  m_impl->state.mapMode = mode;
  m_impl->Log("SetMapMode", {mode});
  return previous;
}

int CDC::GetMapMode() const { return m_impl->state.mapMode; }

CPoint CDC::SetWindowOrg(int x, int y)
{
  const CPoint previous = m_impl->state.windowOrg;
  m_impl->state.windowOrg = {x, y};
  m_impl->Log("SetWindowOrg", {x, y});
  return previous;
}

CPoint CDC::GetWindowOrg() const { return m_impl->state.windowOrg; }

CPoint CDC::SetViewportOrg(int x, int y)
{
  const CPoint previous = m_impl->state.viewportOrg;
  m_impl->state.viewportOrg = {x, y};
  m_impl->Log("SetViewportOrg", {x, y});
  return previous;
}

CPoint CDC::GetViewportOrg() const { return m_impl->state.viewportOrg; }

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
  const CPoint previous = m_impl->state.viewportOrg;
  return SetViewportOrg(previous.x + dx, previous.y + dy);
}

void CDC::LPtoDP(POINT* points, int count) const
{
  for (int i = 0; points && i < count; ++i) points[i] = m_impl->Map(points[i]);
}

void CDC::LPtoDP(RECT* rect) const
{
  if (!rect) return;
  *rect = {m_impl->MapX(rect->left), m_impl->MapY(rect->top), m_impl->MapX(rect->right), m_impl->MapY(rect->bottom)};
}

void CDC::DPtoLP(POINT* points, int count) const
{
  for (int i = 0; points && i < count; ++i) points[i] = {m_impl->UnmapX(points[i].x), m_impl->UnmapY(points[i].y)};
}

void CDC::DPtoLP(RECT* rect) const
{
  if (!rect) return;
  *rect = {m_impl->UnmapX(rect->left), m_impl->UnmapY(rect->top), m_impl->UnmapX(rect->right), m_impl->UnmapY(rect->bottom)};
}

COLORREF CDC::SetTextColor(COLORREF color)
{
  const COLORREF previous = m_impl->state.textColor;
  m_impl->state.textColor = color;
  m_impl->Log("SetTextColor", {color});
  return previous;
}

COLORREF CDC::GetTextColor() const { return m_impl->state.textColor; }

COLORREF CDC::SetBkColor(COLORREF color)
{
  const COLORREF previous = m_impl->state.bkColor;
  m_impl->state.bkColor = color;
  m_impl->Log("SetBkColor", {color});
  return previous;
}

COLORREF CDC::GetBkColor() const { return m_impl->state.bkColor; }

int CDC::SetBkMode(int mode)
{
  const int previous = m_impl->state.bkMode;
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  m_impl->state.bkMode = mode;
  m_impl->Log("SetBkMode", {mode});
  return previous;
}

int CDC::GetBkMode() const { return m_impl->state.bkMode; }

int CDC::SetROP2(int mode)
{
  const int previous = m_impl->state.rop2;
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  m_impl->state.rop2 = mode;
  m_impl->Log("SetROP2", {mode});
  return previous;
}

int CDC::GetROP2() const { return m_impl->state.rop2; }

UINT CDC::SetTextAlign(UINT flags)
{
  const UINT previous = m_impl->state.textAlign;
  m_impl->state.textAlign = flags;
  m_impl->Log("SetTextAlign", {flags});
  return previous;
}

UINT CDC::GetTextAlign() const { return m_impl->state.textAlign; }

int CDC::SetStretchBltMode(int mode)
{
  const int previous = m_impl->state.stretchMode;
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  m_impl->state.stretchMode = mode;
  m_impl->Log("SetStretchBltMode", {mode});
  return previous;
}

int CDC::GetStretchBltMode() const { return m_impl->state.stretchMode; }

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
  constexpr int kNullRegion = 1;
  constexpr int kSimpleRegion = 2;
  const RECT r = NormalizedRect(m_impl->MapX(left), m_impl->MapY(top), m_impl->MapX(right), m_impl->MapY(bottom));
  const RECT current = m_impl->DeviceClip();
  RECT clip{std::max(r.left, current.left), std::max(r.top, current.top), std::min(r.right, current.right), std::min(r.bottom, current.bottom)};
  if (clip.right < clip.left) clip.right = clip.left;
  if (clip.bottom < clip.top) clip.bottom = clip.top;
  m_impl->state.clip = clip;
  m_impl->Log("IntersectClipRect", {left, top, right, bottom});
  return (clip.right > clip.left && clip.bottom > clip.top) ? kSimpleRegion : kNullRegion;
}

int CDC::GetClipBox(RECT* rect) const
{
  const RECT device = m_impl->DeviceClip();
  if (rect) {
    *rect = NormalizedRect(m_impl->UnmapX(device.left), m_impl->UnmapY(device.top), m_impl->UnmapX(device.right), m_impl->UnmapY(device.bottom));
  }
  return (device.right > device.left && device.bottom > device.top) ? 2 : 1;
}

}  // namespace win
