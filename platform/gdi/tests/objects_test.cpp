#include <gtest/gtest.h>

#include "platform/gdi/cdc.h"
#include "platform/gdi/tests/canvas.h"

namespace vetra::gdi {
namespace {

using testing::Canvas;

TEST(Objects, SelectObjectReturnsThePreviousObject)
{
  Canvas canvas(2, 2);
  win::CPen red(win::PS_SOLID, 1, win::RGB(255, 0, 0));
  win::CPen blue(win::PS_SOLID, 1, win::RGB(0, 0, 255));
  win::CPen* original = canvas.dc.SelectObject(&red);
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(original->m_hObject, win::GetStockObject(win::BLACK_PEN));
  EXPECT_EQ(canvas.dc.SelectObject(&blue), &red);
  EXPECT_EQ(canvas.dc.SelectObject(original), &blue);
  EXPECT_EQ(canvas.dc.GetCurrentPen(), original);
}

TEST(Objects, ObjectDeletedWhileSelectedGoesWhenDeselected)
{
  Canvas canvas(2, 1);
  win::HBRUSH handle = nullptr;
  {
    win::CBrush brush(win::RGB(1, 2, 3));
    handle = brush;
    canvas.dc.SelectObject(&brush);
  }  // the brush object dies while selected
  const win::RECT all{0, 0, 2, 1};
  canvas.dc.Rectangle(-1, -1, 3, 2);  // still fills with it
  EXPECT_EQ(canvas.At(0, 0), 0x010203u);
  EXPECT_EQ(win::GetObject(handle, 0, nullptr), static_cast<int>(sizeof(win::LOGBRUSH)));
  EXPECT_EQ(canvas.dc.SelectStockObject(win::WHITE_BRUSH), nullptr);  // the previous one is gone
  EXPECT_EQ(win::GetObject(handle, 0, nullptr), 0);
  canvas.dc.FillRect(&all, canvas.dc.GetCurrentBrush());
  EXPECT_EQ(canvas.At(0, 0), 0xFFFFFFu);
}

TEST(Objects, RestoreDcPutsBackObjectsAndModes)
{
  Canvas canvas(2, 2);
  win::CFont font;
  font.CreatePointFont(90, "Arial");
  const int saved = canvas.dc.SaveDC();
  canvas.dc.SelectObject(&font);
  canvas.dc.SetTextColor(win::RGB(9, 9, 9));
  canvas.dc.SetBkMode(win::TRANSPARENT);
  canvas.dc.SetMapMode(win::MM_LOMETRIC);
  canvas.dc.SetWindowOrg(3, 4);
  canvas.dc.RestoreDC(saved);
  EXPECT_EQ(canvas.dc.GetCurrentFont()->m_hObject, win::GetStockObject(win::SYSTEM_FONT));
  EXPECT_EQ(canvas.dc.GetTextColor(), win::RGB(0, 0, 0));
  EXPECT_EQ(canvas.dc.GetBkMode(), win::OPAQUE);
  EXPECT_EQ(canvas.dc.GetMapMode(), win::MM_TEXT);
  EXPECT_EQ(canvas.dc.GetWindowOrg(), win::CPoint(0, 0));
  win::LOGFONT logFont;
  font.GetLogFont(&logFont);
  EXPECT_EQ(logFont.lfHeight, -12);  // 9 points at 96 dots per inch

  // On a printer page in tenths of millimetres: 9 points = 3.175 mm.
  DeviceInfo printer = canvas.dc.GetDeviceInfo();
  printer.dpi = kPrinterDpi;
  canvas.dc.SetDeviceInfo(printer);
  canvas.dc.SetMapMode(win::MM_LOMETRIC);
  win::CFont printed;
  printed.CreatePointFont(90, "Arial", &canvas.dc);
  printed.GetLogFont(&logFont);
  EXPECT_EQ(logFont.lfHeight, -32);
}

TEST(Palettes, TrueColourDeviceHasNoPaletteButPalettesStillResolve)
{
  Canvas canvas(2, 2);
  EXPECT_EQ(canvas.dc.GetDeviceCaps(win::BITSPIXEL), 32);
  EXPECT_NE(canvas.dc.GetDeviceCaps(win::RASTERCAPS), 0);
  EXPECT_EQ(canvas.dc.GetDeviceCaps(win::RASTERCAPS) & win::RC_PALETTE, 0);
  EXPECT_EQ(canvas.dc.GetDeviceCaps(win::SIZEPALETTE), 0);
  win::PALETTEENTRY entries[4];
  EXPECT_EQ(win::GetSystemPaletteEntries(&canvas.dc, 0, 4, entries), 0u);

  std::vector<std::uint8_t> block(8 + 3 * 4);
  auto* logPalette = reinterpret_cast<win::LOGPALETTE*>(block.data());
  logPalette->palVersion = 0x300;
  logPalette->palNumEntries = 3;
  win::PALETTEENTRY* e = logPalette->palPalEntry;
  e[0] = {0, 0, 0, 0};
  e[1] = {200, 0, 0, 0};
  e[2] = {0, 0, 200, 0};
  win::CPalette palette;
  ASSERT_TRUE(palette.CreatePalette(logPalette));
  EXPECT_EQ(palette.GetEntryCount(), 3);
  EXPECT_EQ(palette.GetNearestPaletteIndex(win::RGB(255, 10, 10)), 1u);
  EXPECT_EQ(win::GetNearestPaletteIndex(palette, win::RGB(10, 10, 180)), 2u);
  win::CPalette* previous = canvas.dc.SelectPalette(&palette, win::TRUE);
  EXPECT_EQ(previous->m_hObject, win::GetStockObject(win::DEFAULT_PALETTE));
  EXPECT_EQ(canvas.dc.RealizePalette(), 0u);
  EXPECT_EQ(canvas.dc.SelectPalette(previous, win::TRUE), &palette);
}

TEST(Objects, CompatibleDcsAndBitmapsAreTrueColour)
{
  win::CDC memory;
  memory.CreateCompatibleDC(nullptr);
  win::BITMAP initial;
  EXPECT_GT(memory.GetCurrentBitmap()->GetBitmap(&initial), 0);
  EXPECT_EQ(initial.bmWidth, 1);  // a new memory DC holds a 1 by 1 monochrome bitmap
  EXPECT_EQ(initial.bmBitsPixel, 1);
  win::CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&memory, 3, 2));
  win::BITMAP made;
  bitmap.GetBitmap(&made);
  EXPECT_EQ(made.bmBitsPixel, 32);
  EXPECT_EQ(made.bmHeight, 2);
}

}  // namespace
}  // namespace vetra::gdi
