#include "platform/gdi/gdi_objects.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/base/text.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/gdi_wrappers.h"

namespace vetra::gdi {

namespace {

// A live handle holds its object; a handle deleted while a device context still had it selected
// only watches it, and its entry goes when the last device context lets go.
struct HandleEntry {
  std::shared_ptr<GdiObject> held;
  std::weak_ptr<GdiObject> watched;
};

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<GdiObject*, HandleEntry> objects;
};

HandleTable& Table()
{
  static auto* table = new HandleTable;  // lives to the end of the process: stock objects never die
  return *table;
}

win::PALETTEENTRY Entry(int r, int g, int b)
{
  return {static_cast<win::BYTE>(r), static_cast<win::BYTE>(g), static_cast<win::BYTE>(b), 0};
}

win::LOGFONT MakeLogFont(int height, int weight, const char* face, win::BYTE pitch)
{
  win::LOGFONT font;
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = win::DEFAULT_CHARSET;
  font.lfPitchAndFamily = pitch;
  std::strncpy(font.lfFaceName, face, win::LF_FACESIZE - 1);
  return font;
}

std::shared_ptr<GdiObject> MakeStock(int which)
{
  using namespace win;
  switch (which) {
    case WHITE_BRUSH: return std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, RGB(255, 255, 255), 0});
    case LTGRAY_BRUSH: return std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, RGB(192, 192, 192), 0});
    case GRAY_BRUSH: return std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, RGB(128, 128, 128), 0});
    case DKGRAY_BRUSH: return std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, RGB(64, 64, 64), 0});
    case BLACK_BRUSH: return std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, RGB(0, 0, 0), 0});
    case NULL_BRUSH: return std::make_shared<BrushObject>(LOGBRUSH{BS_NULL, 0, 0});
    case WHITE_PEN: return std::make_shared<PenObject>(LOGPEN{PS_SOLID, {1, 0}, RGB(255, 255, 255)});
    case BLACK_PEN: return std::make_shared<PenObject>(LOGPEN{PS_SOLID, {1, 0}, RGB(0, 0, 0)});
    case NULL_PEN: return std::make_shared<PenObject>(LOGPEN{PS_NULL, {1, 0}, RGB(0, 0, 0)});
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      return std::make_shared<FontObject>(MakeLogFont(16, FW_NORMAL, "Fixedsys", FIXED_PITCH | FF_MODERN));
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT:
      return std::make_shared<FontObject>(MakeLogFont(-12, FW_NORMAL, vetra::Cp949("굴림").c_str(), VARIABLE_PITCH | FF_SWISS));
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      return std::make_shared<FontObject>(MakeLogFont(16, FW_BOLD, "System", VARIABLE_PITCH | FF_SWISS));
    case DEFAULT_PALETTE: return std::make_shared<PaletteObject>(DefaultPaletteEntries());
    default: return nullptr;
  }
}

}  // namespace

GdiObject::~GdiObject()
{
  auto& table = Table();
  std::lock_guard lock(table.mutex);
  const auto it = table.objects.find(this);
  if (it != table.objects.end() && !it->second.held) table.objects.erase(it);
}

std::shared_ptr<FontFace> FontObject::Face()
{
  if (!m_face) m_face = FontFace::Open(logFont);
  return m_face;
}

win::UINT PaletteObject::NearestIndex(win::COLORREF color) const
{
  if (entries.empty()) return win::CLR_INVALID;
  win::UINT best = 0;
  long bestDistance = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const long dr = long{entries[i].peRed} - win::GetRValue(color);
    const long dg = long{entries[i].peGreen} - win::GetGValue(color);
    const long db = long{entries[i].peBlue} - win::GetBValue(color);
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<win::UINT>(i);
    }
  }
  return best;
}

win::HGDIOBJ Register(std::shared_ptr<GdiObject> object)
{
  if (!object) return nullptr;
  auto& table = Table();
  std::lock_guard lock(table.mutex);
  auto* handle = object.get();
  HandleEntry entry{object, object};
  table.objects.emplace(handle, std::move(entry));
  return handle;
}

std::shared_ptr<GdiObject> Lookup(win::HGDIOBJ handle)
{
  if (!handle) return nullptr;
  auto& table = Table();
  std::lock_guard lock(table.mutex);
  const auto it = table.objects.find(handle);
  if (it == table.objects.end()) return nullptr;
  return it->second.held ? it->second.held : it->second.watched.lock();
}

const std::vector<win::PALETTEENTRY>& DefaultPaletteEntries()
{
  static const std::vector<win::PALETTEENTRY> entries = {
      Entry(0, 0, 0),       Entry(128, 0, 0),     Entry(0, 128, 0),     Entry(128, 128, 0),
      Entry(0, 0, 128),     Entry(128, 0, 128),   Entry(0, 128, 128),   Entry(192, 192, 192),
      Entry(192, 220, 192), Entry(166, 202, 240), Entry(255, 251, 240), Entry(160, 160, 164),
      Entry(128, 128, 128), Entry(255, 0, 0),     Entry(0, 255, 0),     Entry(255, 255, 0),
      Entry(0, 0, 255),     Entry(255, 0, 255),   Entry(0, 255, 255),   Entry(255, 255, 255)};
  return entries;
}

}  // namespace vetra::gdi

namespace win {

using namespace vetra::gdi;

HPEN CreatePen(int style, int width, COLORREF color)
{
  const LOGPEN pen{static_cast<UINT>(style), {width, 0}, color};
  return CreatePenIndirect(&pen);
}

HPEN CreatePenIndirect(const LOGPEN* pen)
{
  if (!pen) return nullptr;
  return static_cast<HPEN>(Register(std::make_shared<PenObject>(*pen)));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
  const LOGBRUSH brush{BS_SOLID, color, 0};
  return CreateBrushIndirect(&brush);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush)
{
  if (!brush) return nullptr;
  return static_cast<HBRUSH>(Register(std::make_shared<BrushObject>(*brush)));
}

HFONT CreateFontIndirectA(const LOGFONT* font)
{
  if (!font) return nullptr;
  LOGFONT copy = *font;
  copy.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(Register(std::make_shared<FontObject>(copy)));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face)
{
  LOGFONT font;
  font.lfHeight = height;
  font.lfWidth = width;
  font.lfEscapement = escapement;
  font.lfOrientation = orientation;
  font.lfWeight = weight;
  font.lfItalic = static_cast<BYTE>(italic);
  font.lfUnderline = static_cast<BYTE>(underline);
  font.lfStrikeOut = static_cast<BYTE>(strikeOut);
  font.lfCharSet = static_cast<BYTE>(charSet);
  font.lfOutPrecision = static_cast<BYTE>(outPrecision);
  font.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  font.lfQuality = static_cast<BYTE>(quality);
  font.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (face) std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&font);
}

HPALETTE CreatePalette(const LOGPALETTE* palette)
{
  if (!palette || palette->palNumEntries == 0) return nullptr;
  const PALETTEENTRY* first = palette->palPalEntry;
  std::vector<PALETTEENTRY> entries(first, first + palette->palNumEntries);
  return static_cast<HPALETTE>(Register(std::make_shared<PaletteObject>(std::move(entries))));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
  if (width < 0 || height < 0 || planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
  auto object = std::make_shared<BitmapObject>(width, height, static_cast<int>(bitsPerPixel));
  if (bits) {
    const auto* bytes = static_cast<const BYTE*>(bits);
    auto& pixels = *object->pixels;
    if (bitsPerPixel == 1) {
      const std::size_t stride = ((static_cast<std::size_t>(width) + 15) / 16) * 2;
      for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x) {
          const BYTE byte = bytes[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)];
          pixels.At(x, y) = ((byte >> (7 - x % 8)) & 1) ? 0xFFFFFF : 0;
        }
      }
    } else {
      for (int y = 0; y < pixels.Height(); ++y) {
        std::memcpy(pixels.Row(y).data(), bytes + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4,
                    static_cast<std::size_t>(width) * 4);
      }
    }
  }
  return static_cast<HBITMAP>(Register(std::move(object)));
}

HGDIOBJ GetStockObject(int which)
{
  static std::mutex mutex;
  static std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> stock{};
  if (which < 0 || which > DEFAULT_GUI_FONT) return nullptr;
  std::lock_guard lock(mutex);
  if (!stock[static_cast<std::size_t>(which)]) {
    auto object = MakeStock(which);
    if (!object) return nullptr;
    object->MarkStock();
    stock[static_cast<std::size_t>(which)] = Register(std::move(object));
  }
  return stock[static_cast<std::size_t>(which)];
}

BOOL DeleteObject(HGDIOBJ object)
{
  if (!object) return FALSE;
  std::shared_ptr<GdiObject> doomed;  // destroyed after the lock is released
  {
    auto& table = Table();
    std::lock_guard lock(table.mutex);
    const auto it = table.objects.find(object);
    if (it == table.objects.end() || !it->second.held) return FALSE;
    if (it->second.held->IsStock()) return TRUE;
    // An object still selected into a device context stays usable there and goes when it is
    // deselected (or its device context goes), so a forgotten deselection leaks nothing.
    doomed = std::move(it->second.held);
    if (doomed.use_count() == 1) table.objects.erase(it);
  }
  return TRUE;
}

int GetObjectA(HGDIOBJ object, int bytes, void* out)
{
  const auto found = Lookup(object);
  if (!found) return 0;
  auto copy = [&](const auto& value) -> int {
    constexpr int size = static_cast<int>(sizeof(value));
    if (!out) return size;
    if (bytes < size) return 0;
    std::memcpy(out, &value, sizeof(value));
    return size;
  };
  switch (found->Kind()) {
    case ObjectKind::Pen: return copy(static_cast<PenObject&>(*found).logPen);
    case ObjectKind::Brush: return copy(static_cast<BrushObject&>(*found).logBrush);
    case ObjectKind::Font: return copy(static_cast<FontObject&>(*found).logFont);
    case ObjectKind::Palette: return copy(static_cast<WORD>(static_cast<PaletteObject&>(*found).entries.size()));
    case ObjectKind::Bitmap: {
      const auto& bitmap = static_cast<BitmapObject&>(*found);
      BITMAP info;
      info.bmWidth = bitmap.pixels->Width();
      info.bmHeight = bitmap.pixels->Height();
      info.bmPlanes = 1;
      info.bmBitsPixel = static_cast<WORD>(bitmap.bitsPixel);
      info.bmWidthBytes = bitmap.bitsPixel == 1 ? ((info.bmWidth + 15) / 16) * 2 : info.bmWidth * 4;
      return copy(info);
    }
  }
  return 0;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries)
{
  const auto found = LookupAs<PaletteObject>(palette, ObjectKind::Palette);
  if (!found) return 0;
  const auto size = static_cast<UINT>(found->entries.size());
  if (!entries) return size;
  if (start >= size) return 0;
  const UINT n = std::min(count, size - start);
  std::copy_n(found->entries.begin() + start, n, entries);
  return n;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color)
{
  const auto found = LookupAs<PaletteObject>(palette, ObjectKind::Palette);
  return found ? found->NearestIndex(color) : CLR_INVALID;
}

}  // namespace win
