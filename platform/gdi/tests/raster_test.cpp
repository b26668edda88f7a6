#include <gtest/gtest.h>

#include "platform/gdi/cdc.h"
#include "platform/gdi/draw_log.h"
#include "platform/gdi/tests/canvas.h"

namespace vetra::gdi {
namespace {

using testing::Canvas;
using testing::kPaper;
using win::POINT;

constexpr Pixel kInk = 0x000000;

struct LineCase {
  const char* name;
  POINT from, to;
  std::vector<POINT> drawn;
};

TEST(Lines, LastPixelIsLeftOut)
{
  const std::vector<LineCase> cases = {
      {"right", {1, 1}, {4, 1}, {{1, 1}, {2, 1}, {3, 1}}},
      {"left", {4, 1}, {1, 1}, {{4, 1}, {3, 1}, {2, 1}}},
      {"down", {2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}},
      {"diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
      {"one pixel long", {2, 2}, {3, 2}, {{2, 2}}},
      {"zero length", {2, 2}, {2, 2}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(6, 6);
    canvas.dc.MoveTo(c.from);
    canvas.dc.LineTo(c.to);
    for (const auto& p : c.drawn) EXPECT_EQ(canvas.At(p.x, p.y), kInk) << p.x << "," << p.y;
    EXPECT_EQ(canvas.Count(kInk), static_cast<int>(c.drawn.size()));
    EXPECT_EQ(canvas.dc.GetCurrentPosition(), win::CPoint(c.to));
  }
}

TEST(Lines, FarAwayEndsDrawOnlyTheVisiblePart)
{
  Canvas canvas(6, 6);
  canvas.dc.MoveTo(-2000000000, 1);
  canvas.dc.LineTo(2000000000, 1);
  canvas.dc.MoveTo(-1000000000, -1000000000);
  canvas.dc.LineTo(1000000000, 1000000000);
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(canvas.At(x, 1), kInk) << x;
    EXPECT_EQ(canvas.At(x, x), kInk) << x;
  }
  EXPECT_EQ(canvas.Count(kInk), 11);
}

TEST(Lines, PolylineDrawsEachVertexOnceAndLeavesTheLastOut)
{
  Canvas canvas(6, 6);
  const POINT points[] = {{0, 0}, {3, 0}, {3, 3}};
  canvas.dc.Polyline(points, 3);
  EXPECT_EQ(canvas.Count(kInk), 6);
  EXPECT_EQ(canvas.At(3, 0), kInk);
  EXPECT_EQ(canvas.At(3, 3), kPaper);
}

TEST(Lines, DottedPenAlternatesThreeOnThreeOff)
{
  for (const int mode : {win::OPAQUE, win::TRANSPARENT}) {
    SCOPED_TRACE(mode);
    Canvas canvas(14, 1, 0x808080);
    win::CPen dotted(win::PS_DOT, 1, win::RGB(255, 0, 0));
    canvas.dc.SelectObject(&dotted);
    canvas.dc.SetBkMode(mode);
    canvas.dc.SetBkColor(win::RGB(0, 0, 255));
    canvas.dc.MoveTo(0, 0);
    canvas.dc.LineTo(13, 0);
    const Pixel gap = mode == win::OPAQUE ? 0x0000FF : 0x808080;
    const Pixel expected[] = {0xFF0000, 0xFF0000, 0xFF0000, gap, gap, gap, 0xFF0000, 0xFF0000, 0xFF0000, gap, gap, gap, 0xFF0000, 0x808080};
    for (int x = 0; x < 14; ++x) EXPECT_EQ(canvas.At(x, 0), expected[x]) << x;
    canvas.dc.SelectStockObject(win::BLACK_PEN);
  }
}

TEST(Lines, WidePenCoversItsWidthAndIsSolid)
{
  Canvas canvas(10, 10);
  win::CPen wide(win::PS_DOT, 3, win::RGB(0, 0, 0));
  canvas.dc.SelectObject(&wide);
  canvas.dc.MoveTo(1, 5);
  canvas.dc.LineTo(8, 5);
  for (int x = 1; x <= 8; ++x) {
    EXPECT_EQ(canvas.At(x, 4), kInk) << x;
    EXPECT_EQ(canvas.At(x, 5), kInk) << x;
    EXPECT_EQ(canvas.At(x, 6), kInk) << x;
  }
  EXPECT_EQ(canvas.At(4, 3), kPaper);
  EXPECT_EQ(canvas.At(4, 7), kPaper);
  canvas.dc.SelectStockObject(win::BLACK_PEN);
}

TEST(Lines, Rop2CombinesPenAndScreen)
{
  struct Case { int rop; Pixel result; };
  for (const Case c : {Case{win::R2_COPYPEN, 0x00FF00}, Case{win::R2_XORPEN, 0xF0F0F0 ^ 0x00FF00},
                       Case{win::R2_NOT, 0x0F0F0F}, Case{win::R2_MERGEPEN, 0xF0FFF0}, Case{win::R2_NOP, 0xF0F0F0}}) {
    Canvas canvas(3, 1, 0xF0F0F0);
    win::CPen pen(win::PS_SOLID, 1, win::RGB(0, 255, 0));
    canvas.dc.SelectObject(&pen);
    canvas.dc.SetROP2(c.rop);
    canvas.dc.MoveTo(0, 0);
    canvas.dc.LineTo(2, 0);
    EXPECT_EQ(canvas.At(1, 0), c.result) << c.rop;
    canvas.dc.SelectStockObject(win::BLACK_PEN);
  }
}

TEST(Shapes, RectangleOutlinesWithPenAndFillsWithBrush)
{
  Canvas canvas(6, 6);
  win::CBrush red(win::RGB(255, 0, 0));
  canvas.dc.SelectObject(&red);
  canvas.dc.Rectangle(1, 1, 5, 5);
  EXPECT_EQ(canvas.At(1, 1), kInk);
  EXPECT_EQ(canvas.At(4, 4), kInk);
  EXPECT_EQ(canvas.At(2, 2), 0xFF0000u);
  EXPECT_EQ(canvas.At(3, 3), 0xFF0000u);
  EXPECT_EQ(canvas.At(5, 5), kPaper);
  EXPECT_EQ(canvas.Count(kInk), 12);
  canvas.dc.SelectStockObject(win::WHITE_BRUSH);
}

TEST(Shapes, FillSolidRectFillsAndSetsTheBackgroundColour)
{
  Canvas canvas(4, 4);
  canvas.dc.FillSolidRect(1, 1, 2, 2, win::RGB(1, 2, 3));
  EXPECT_EQ(canvas.Count(0x010203), 4);
  EXPECT_EQ(canvas.At(1, 1), 0x010203u);
  EXPECT_EQ(canvas.dc.GetBkColor(), win::RGB(1, 2, 3));
}

// ---- Coordinates ----

TEST(Mapping, WindowOriginMinusHeightPutsLogicalZeroOneRowBelow)
{
  Canvas canvas(5, 4);
  canvas.dc.SetWindowOrg(0, -4);
  canvas.dc.FillSolidRect(0, 0, 5, 1, win::RGB(255, 0, 0));   // below the bitmap: nothing
  EXPECT_EQ(canvas.Count(0xFF0000), 0);
  canvas.dc.FillSolidRect(0, -1, 5, 1, win::RGB(255, 0, 0));  // the bottom row
  for (int x = 0; x < 5; ++x) EXPECT_EQ(canvas.At(x, 3), 0xFF0000u);
  EXPECT_EQ(canvas.Count(0xFF0000), 5);
  EXPECT_EQ(canvas.dc.SetPixel(0, 0, 0), win::CLR_INVALID);
  EXPECT_EQ(canvas.dc.SetPixel(0, -4, 0), 0u);  // the top row
  EXPECT_EQ(canvas.At(0, 0), 0u);
}

TEST(Mapping, LoMetricIsTenthsOfMillimetresWithYUp)
{
  struct Case { int dpi; POINT logical; POINT device; };
  const Case cases[] = {
      {254, {10, -20}, {10, 20}},
      {254, {0, 5}, {0, -5}},
      {96, {254, -254}, {96, 96}},
      {96, {100, -100}, {38, 38}},   // 37.8 rounds up
      {96, {-127, 127}, {-48, -48}},  // halves round away from zero
  };
  for (const auto& c : cases) {
    Canvas canvas(4, 4);
    DeviceInfo device = canvas.dc.GetDeviceInfo();
    device.dpi = c.dpi;
    canvas.dc.SetDeviceInfo(device);
    canvas.dc.SetMapMode(win::MM_LOMETRIC);
    POINT p = c.logical;
    canvas.dc.LPtoDP(&p);
    EXPECT_EQ(p.x, c.device.x) << c.dpi << " " << c.logical.x;
    EXPECT_EQ(p.y, c.device.y) << c.dpi << " " << c.logical.y;
    canvas.dc.DPtoLP(&p);
    if (c.dpi == 254) {
      EXPECT_EQ(p, c.logical);
    }
  }
}

TEST(Mapping, LoMetricDrawsOnPixels)
{
  Canvas canvas(6, 6);
  DeviceInfo printer = canvas.dc.GetDeviceInfo();
  printer.dpi = kPrinterDpi;  // one unit, one pixel
  canvas.dc.SetDeviceInfo(printer);
  canvas.dc.SetMapMode(win::MM_LOMETRIC);
  canvas.dc.SetViewportOrg(0, 6);  // logical (0, 0) at the bottom-left corner
  canvas.dc.FillSolidRect(1, 1, 2, 3, win::RGB(0, 255, 0));  // y from 1 up to 4
  EXPECT_EQ(canvas.Count(0x00FF00), 6);
  EXPECT_EQ(canvas.At(1, 2), 0x00FF00u);
  EXPECT_EQ(canvas.At(2, 4), 0x00FF00u);
  EXPECT_EQ(canvas.At(1, 5), kPaper);
}

TEST(Mapping, ViewportOriginClipAndSaveRestore)
{
  Canvas canvas(6, 6);
  const int saved = canvas.dc.SaveDC();
  canvas.dc.SetViewportOrg(2, 2);
  canvas.dc.IntersectClipRect(0, 0, 2, 2);
  canvas.dc.FillSolidRect(-2, -2, 10, 10, win::RGB(0, 0, 255));
  EXPECT_EQ(canvas.Count(0x0000FF), 4);
  EXPECT_EQ(canvas.At(2, 2), 0x0000FFu);
  EXPECT_EQ(canvas.At(3, 3), 0x0000FFu);
  ASSERT_TRUE(canvas.dc.RestoreDC(saved));
  EXPECT_EQ(canvas.dc.GetViewportOrg(), win::CPoint(0, 0));
  win::RECT box;
  canvas.dc.GetClipBox(&box);
  EXPECT_EQ(box, (win::RECT{0, 0, 6, 6}));
  EXPECT_FALSE(canvas.dc.RestoreDC(saved));
}

TEST(Surfaces, SurfaceDcDrawsIntoItsRegionOnly)
{
  // A window at (3, 2) of a shared bitmap, 4 by 3, of which only its left half is to be painted.
  auto shared = std::make_shared<Bitmap32>(10, 8, kPaper);
  win::CDC dc;
  dc.AttachSurface({shared, {3, 2}, {0, 0, 2, 3}});
  dc.FillSolidRect(-5, -5, 50, 50, win::RGB(9, 9, 9));
  int painted = 0;
  for (const Pixel p : shared->Pixels()) painted += p == 0x090909;
  EXPECT_EQ(painted, 6);
  EXPECT_EQ(shared->At(3, 2), 0x090909u);
  EXPECT_EQ(shared->At(4, 4), 0x090909u);
  EXPECT_EQ(shared->At(5, 2), kPaper);
}

TEST(DrawLog, CallsAreLoggedInLogicalUnitsOnTheDcsOwnLogAndTheScopedOne)
{
  Canvas canvas(10, 10);
  auto own = std::make_shared<DrawLog>();
  canvas.dc.SetDrawLog(own);
  canvas.dc.SetLogName("graph");
  ScopedDrawLog scoped;
  canvas.dc.SetMapMode(win::MM_LOMETRIC);
  canvas.dc.SetWindowOrg(0, -500);
  canvas.dc.MoveTo(100, -200);
  canvas.dc.LineTo(300, -400);
  const std::vector<DrawCall> expected = {
      {"graph", "SetMapMode", {win::MM_LOMETRIC}, ""},
      {"graph", "SetWindowOrg", {0, -500}, ""},
      {"graph", "MoveTo", {100, -200}, ""},
      {"graph", "LineTo", {300, -400}, ""},
  };
  EXPECT_EQ(own->Calls(), expected);
  EXPECT_EQ(scoped.Calls(), expected);
  EXPECT_EQ(expected[3].ToString(), "graph: LineTo(300,-400)");
}

// ---- Blits ----

TEST(Blits, RasterOperationsCombineSourceAndDestination)
{
  struct Case { win::DWORD rop; Pixel result; };
  for (const Case c : {Case{win::SRCCOPY, 0x33CC55}, Case{win::SRCAND, 0x33CC55 & 0x0F0FF0},
                       Case{win::SRCPAINT, 0x33CC55 | 0x0F0FF0}, Case{win::SRCINVERT, 0x33CC55 ^ 0x0F0FF0}}) {
    Canvas src(2, 2, 0x33CC55);
    Canvas dst(3, 3, 0x0F0FF0);
    dst.dc.BitBlt(1, 1, 2, 2, &src.dc, 0, 0, c.rop);
    EXPECT_EQ(dst.At(2, 2), c.result) << std::hex << c.rop;
    EXPECT_EQ(dst.At(0, 0), 0x0F0FF0u);
  }
}

TEST(Blits, StretchBltScalesByNearestPixel)
{
  Canvas src(2, 1);
  src.pixels->At(0, 0) = 0xAA0000;
  src.pixels->At(1, 0) = 0x00BB00;
  Canvas dst(4, 2);
  dst.dc.StretchBlt(0, 0, 4, 2, &src.dc, 0, 0, 2, 1, win::SRCCOPY);
  const Pixel row[] = {0xAA0000, 0xAA0000, 0x00BB00, 0x00BB00};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, y), row[x]);
  }
}

TEST(Blits, OverlappingBlitWithinOneBitmap)
{
  Canvas canvas(4, 1);
  for (int x = 0; x < 4; ++x) canvas.pixels->At(x, 0) = static_cast<Pixel>(x + 1);
  canvas.dc.BitBlt(1, 0, 3, 1, &canvas.dc, 0, 0, win::SRCCOPY);
  EXPECT_EQ(canvas.At(1, 0), 1u);
  EXPECT_EQ(canvas.At(2, 0), 2u);
  EXPECT_EQ(canvas.At(3, 0), 3u);
}

TEST(Display, ScreenDcComposesBeforeItIsRead)
{
  int composed = 0;
  SetScreenComposer([&] {
    ++composed;
    Screen()->At(5, 5) = 0x445566;
  });
  win::CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr));
  EXPECT_EQ(screen.GetDeviceCaps(win::HORZRES), Screen()->Width());
  Canvas capture(2, 2);
  capture.dc.BitBlt(0, 0, 2, 2, &screen, 4, 4, win::SRCCOPY);
  EXPECT_GE(composed, 1);
  EXPECT_EQ(capture.At(1, 1), 0x445566u);
  SetScreenComposer(nullptr);
  EXPECT_FALSE(screen.CreateDC("PRINTER", nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace vetra::gdi
