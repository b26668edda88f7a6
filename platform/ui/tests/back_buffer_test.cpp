#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/draw_log.h"
#include "platform/gdi/gdi_wrappers.h"
#include "platform/ui/back_buffer.h"

namespace win {
namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 0, 0);

// A memory DC with its own bitmap, standing in for a window's screen.
struct Screen {
  Screen(int width, int height)
  {
    dc.CreateCompatibleDC(nullptr);
    dc.SetLogName("screen");
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, kPaper);
  }
  CDC dc;
  CBitmap bitmap;
};

struct PixelCase {
  int x, y;
  COLORREF colour;
};

void ExpectPixels(const Screen& screen, const std::vector<PixelCase>& cases)
{
  for (const auto& c : cases) EXPECT_EQ(screen.dc.GetPixel(c.x, c.y), c.colour) << c.x << "," << c.y;
}

std::vector<std::string> OpsOf(const vetra::gdi::ScopedDrawLog& log)
{
  std::vector<std::string> ops;
  for (const auto& call : log.Calls()) ops.push_back(call.dc + ":" + call.op);
  return ops;
}

TEST(BackBuffer, PresentDrawsWithTheBitmapSelectedAndCopiesOnlyTheTopLeftArea)
{
  Screen screen(20, 10);
  CBackBuffer buffer;
  buffer.Create(screen.dc, 20, 10, "buffer");
  ASSERT_TRUE(buffer.IsReady());
  CBitmap* before = buffer.DC().GetCurrentBitmap();
  vetra::gdi::ScopedDrawLog log;
  buffer.Present(screen.dc, 8, 4, [](CDC& dc) { dc.FillSolidRect(0, 0, 20, 10, kInk); });
  EXPECT_EQ(OpsOf(log), (std::vector<std::string>{"buffer:SelectBitmap", "buffer:FillSolidRect", "screen:BitBlt", "buffer:SelectBitmap"}));
  EXPECT_EQ(buffer.DC().GetCurrentBitmap(), before);
  ExpectPixels(screen, {{7, 3, kInk}, {8, 3, kPaper}, {0, 4, kPaper}});
}

TEST(BackBuffer, CopyToAnAreaPutsItInTheSamePlace)
{
  Screen screen(20, 10);
  CBackBuffer buffer;
  buffer.Create(screen.dc, 20, 10, "buffer");
  const CBackBuffer::Selection selected = buffer.Select();
  buffer.DC().FillSolidRect(0, 0, 20, 10, kInk);
  buffer.CopyTo(screen.dc, RECT{5, 2, 9, 6});
  ExpectPixels(screen, {{5, 2, kInk}, {8, 5, kInk}, {4, 2, kPaper}, {9, 5, kPaper}, {5, 6, kPaper}});
}

TEST(BackBuffer, ABufferNotMadeOrFreedPaintsNothing)
{
  Screen screen(4, 4);
  CBackBuffer never;
  CBackBuffer freed;
  freed.Create(screen.dc, 4, 4, "freed");
  freed.Free();
  for (CBackBuffer* buffer : {&never, &freed}) {
    EXPECT_FALSE(buffer->IsReady());
    bool drawn = false;
    vetra::gdi::ScopedDrawLog log;
    buffer->Present(screen.dc, 4, 4, [&](CDC&) { drawn = true; });
    EXPECT_FALSE(drawn);
    EXPECT_TRUE(log.Calls().empty());
  }
}

TEST(BackBuffer, TransparentCopyDrawingPutsTheModesBackInReverseOrder)
{
  Screen screen(2, 2);
  screen.dc.SetBkMode(OPAQUE);
  screen.dc.SetROP2(R2_XORPEN);
  vetra::gdi::ScopedDrawLog log;
  {
    const TransparentCopyDrawing modes(screen.dc);
    EXPECT_EQ(screen.dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(screen.dc.GetROP2(), R2_COPYPEN);
  }
  EXPECT_EQ(screen.dc.GetBkMode(), OPAQUE);
  EXPECT_EQ(screen.dc.GetROP2(), R2_XORPEN);
  EXPECT_EQ(OpsOf(log), (std::vector<std::string>{"screen:SetBkMode", "screen:SetROP2", "screen:SetROP2", "screen:SetBkMode"}));
}

}  // namespace
}  // namespace win
