#include "platform/ui/clipboard.h"

#include <cstring>
#include <optional>

#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/png_writer.h"
#include "platform/ui/window_system.h"

namespace win {

namespace {

struct Clipboard {
  bool open = false;
  HBITMAP bitmap = nullptr;
  std::optional<GlobalMemory> dib;  // made from the bitmap when first asked for
  std::optional<std::string> text;  // UTF-8 with LF line ends, as the desktop keeps it
};

Clipboard& TheClipboard()
{
  static Clipboard clipboard;
  return clipboard;
}

// The bitmap as a packed DIB: a 40-byte info header and bottom-up rows of 32-bit pixels.
GlobalMemory PackedDib(HBITMAP bitmap)
{
  BITMAP bm;
  if (!GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
  const std::size_t pixels = static_cast<std::size_t>(bm.bmWidth) * static_cast<std::size_t>(bm.bmHeight) * 4;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels);
  GlobalMemory block = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + pixels);
  if (!block) return {};
  CDC screen;
  screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr);
  if (!GetDIBits(&screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), block.Data() + sizeof(BITMAPINFOHEADER), &info,
                 DIB_RGB_COLORS)) {
    return {};
  }
  std::memcpy(block.Data(), &info.bmiHeader, sizeof(BITMAPINFOHEADER));
  return block;
}

// On screen the picture goes on the desktop's clipboard too, for other programs to paste.
void OfferToDesktop(HBITMAP bitmap)
{
  auto& system = detail::WindowSystem::Get();
  if (!system.HasDisplay() || system.Display().IsHeadless()) return;
  const auto object = vetra::gdi::LookupAs<vetra::gdi::BitmapObject>(bitmap, vetra::gdi::ObjectKind::Bitmap);
  const GlobalMemory dib = PackedDib(bitmap);
  if (!object || !object->pixels || !dib) return;
  std::string png = vetra::gdi::EncodePng(*object->pixels);
  // A BMP file is the packed DIB behind a file header.
  const std::uint32_t fileSize = static_cast<std::uint32_t>(14 + dib.Size());
  const std::uint32_t pixelsAt = 14 + sizeof(BITMAPINFOHEADER);
  std::string bmp = "BM";
  for (std::uint32_t value : {fileSize, 0u, pixelsAt}) {
    for (int shift = 0; shift < 32; shift += 8) bmp.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
  bmp.append(reinterpret_cast<const char*>(dib.Data()), dib.Size());
  if (!png.empty()) system.Display().ClipboardPictureChanged(png, bmp);
}

}  // namespace

BOOL OpenClipboard(HWND)
{
  if (TheClipboard().open) return FALSE;
  TheClipboard().open = true;
  return TRUE;
}

BOOL CloseClipboard()
{
  const bool wasOpen = TheClipboard().open;
  TheClipboard().open = false;
  return wasOpen;
}

BOOL EmptyClipboard()
{
  Clipboard& clipboard = TheClipboard();
  if (!clipboard.open) return FALSE;
  if (clipboard.bitmap) DeleteObject(clipboard.bitmap);
  clipboard.bitmap = nullptr;
  clipboard.dib.reset();
  clipboard.text.reset();
  return TRUE;
}

BOOL SetClipboardData(UINT format, HBITMAP bitmap)
{
  Clipboard& clipboard = TheClipboard();
  if (!clipboard.open || format != CF_BITMAP || !bitmap) return FALSE;
  if (clipboard.bitmap && clipboard.bitmap != bitmap) DeleteObject(clipboard.bitmap);
  clipboard.bitmap = bitmap;
  clipboard.dib.reset();
  clipboard.text.reset();
  OfferToDesktop(bitmap);
  return TRUE;
}

GlobalMemory* GetClipboardData(UINT format)
{
  Clipboard& clipboard = TheClipboard();
  if (!clipboard.open || !clipboard.bitmap || format != CF_DIB) return nullptr;
  if (!clipboard.dib) clipboard.dib = PackedDib(clipboard.bitmap);
  return *clipboard.dib ? &*clipboard.dib : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
  if (format == CF_TEXT) return vetra::ui::ClipboardHasText();
  return TheClipboard().bitmap && (format == CF_BITMAP || format == CF_DIB);
}

}  // namespace win

namespace vetra::ui {

namespace {

Display* DesktopDisplay()
{
  auto& system = win::detail::WindowSystem::Get();
  if (!system.HasDisplay() || system.Display().IsHeadless()) return nullptr;
  return &system.Display();
}

}  // namespace

void SetClipboardUtf8(std::string utf8)
{
  win::Clipboard& clipboard = win::TheClipboard();
  if (clipboard.bitmap) win::DeleteObject(clipboard.bitmap);
  clipboard.bitmap = nullptr;
  clipboard.dib.reset();
  if (Display* display = DesktopDisplay()) display->ClipboardTextChanged(utf8);
  clipboard.text = std::move(utf8);
}

std::string ClipboardUtf8()
{
  if (Display* display = DesktopDisplay()) {
    if (auto desktop = display->DesktopClipboardText()) return *desktop;
  }
  return win::TheClipboard().text.value_or(std::string());
}

bool ClipboardHasText() { return !ClipboardUtf8().empty(); }

void PutTextOnClipboard(std::string_view cp949)
{
  std::string lines;
  lines.reserve(cp949.size());
  for (std::size_t i = 0; i < cp949.size(); ++i) {
    if (cp949[i] == '\r' && i + 1 < cp949.size() && cp949[i + 1] == '\n') continue;
    lines.push_back(cp949[i]);
  }
  SetClipboardUtf8(Utf8(lines));
}

namespace {

// The clipboard's text (in code page 949) as an edit box takes it.
std::string AsEditBoxText(const std::string& text)
{
  // Every line end becomes CR LF (the desktop ends lines in LF, some programs in CR LF or CR);
  // other control characters but the tab are no text of an edit box.
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string TextFromClipboard() { return AsEditBoxText(Cp949Dropping(ClipboardUtf8())); }

std::string FileNameTextFromClipboard() { return AsEditBoxText(TextFromLinux(ClipboardUtf8())); }

}  // namespace vetra::ui
