#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/gdi/bitmap32.h"
#include "platform/gdi/draw_log.h"
#include "platform/web/dom.h"
#include "platform/web/html_writer.h"
#include "platform/web/page_layout.h"

namespace {

using vetra::web::PageLayout;
using win::CRect;

TEST(PageLayout, ObjectsTakeTheirAttributeSizeAtTheirPlace)
{
  const struct {
    const char* page;
    std::vector<CRect> places;
  } cases[] = {
      // The viewer page's shape: zero body margins, the OBJECT written inside a table row.
      {"<html><body><body topmargin=\"0\" leftmargin=\"0\" marginwidth=\"0\" marginheight=\"0\" "
       "bgcolor=#A8A7AD><table width=\"100%\" height=\"100%\"><tr><OBJECT ID=\"A\" WIDTH=1017 HEIGHT=708 "
       "classid=\"clsid:1\"><PARAM NAME=\"_Version\" VALUE=\"65536\"></OBJECT></tr></table></body></html>",
       {CRect(0, 0, 1017, 708)}},
      // The default body margin.
      {"<body><object width=100 height=50></object></body>", {CRect(8, 8, 108, 58)}},
      // Objects in document order, a block between them; the page's style still applies.
      {"<body leftmargin=0 topmargin=0><object style=\"display:block\" width=10 height=20></object>"
       "<div style=\"height:30px\"></div><object style=\"display:block\" width=40 height=5></object></body>",
       {CRect(0, 0, 10, 20), CRect(0, 50, 40, 55)}},
      {"<body>no objects</body>", {}},
      // In a table cell, after the table's spacing and the cell's padding.
      {"<body leftmargin=0 topmargin=0><table border=0 cellspacing=2 cellpadding=5><tr><td>"
       "<object style=\"display:block\" width=30 height=10></object></td></tr></table></body>",
       {CRect(7, 7, 37, 17)}},
  };
  for (const auto& c : cases) {
    PageLayout layout;
    layout.SetPage(c.page);
    layout.Layout(1017, 708);
    EXPECT_EQ(layout.ObjectPlaces(), c.places) << c.page;
  }
}

// The layout reads a page as the page host writes it out. Its reader of style sheets would look
// for ever at a comment left open at a sheet's second character, and moves the rest of the
// sheet along for every comment; the comments are gone before it reads.
TEST(PageLayout, StyleCommentsLeftOpenEndAndKeepTheirMeaning)
{
  const struct {
    const char* name;
    const char* style;
    int objectLeft;
  } cases[] = {
      {"left open at the second character", " /*", 0},
      {"left open after a rule", "object{margin-left:20px} /* object{margin-left:40px}", 20},
      {"closed", "object{margin-left:20px} /* object{margin-left:40px} */", 20},
      {"opened where a comment is taken out", "object{margin-left:20px} //**/* object{margin-left:40px}", 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<vetra::web::Document> page = vetra::web::ParseHtml(
        std::string("<style>") + c.style + "</style><body style=\"margin:0\"><object width=10 height=10>");
    ASSERT_TRUE(page.has_value());
    PageLayout layout;
    layout.SetPage(vetra::web::WriteHtml(*page));
    layout.Layout(1017, 708);
    ASSERT_EQ(layout.ObjectPlaces().size(), 1u);
    EXPECT_EQ(layout.ObjectPlaces()[0].left, c.objectLeft);
  }
}

TEST(PageLayout, PaintsBackgroundAndTextOfAPlainPage)
{
  PageLayout layout;
  layout.SetPage("<html><head><title>T</title></head><body bgcolor=\"#A8A7AD\" text=\"#000080\">"
                 "<p>Engine 기록 <b>bold</b></p><a href=\"next.html\">next page</a></body></html>");
  layout.Layout(300, 200);

  win::CDC screen;
  screen.CreateCompatibleDC(nullptr);
  win::CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 300, 200);
  win::CDC dc;
  dc.CreateCompatibleDC(&screen);
  dc.SelectObject(&bitmap);
  vetra::gdi::ScopedDrawLog log;
  layout.Paint(dc, CRect(0, 0, 300, 200));

  std::vector<std::string> texts;
  for (const auto& call : log.Find("TextOut")) texts.push_back(call.text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), vetra::Cp949("기록")), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "bold"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "T"), texts.end());  // the title is not page text

  const auto pixels = bitmap.Pixels();
  EXPECT_EQ(pixels->Get(299, 199), vetra::gdi::MakePixel(0xA8, 0xA7, 0xAD));
  int textPixels = 0;
  for (const auto p : pixels->Pixels()) textPixels += p == vetra::gdi::MakePixel(0, 0, 0x80) ? 1 : 0;
  EXPECT_GT(textPixels, 20);

  // The link is found where it was laid out, and nothing outside it.
  bool found = false;
  for (int y = 0; y < 200 && !found; y += 2) {
    if (const auto link = layout.LinkAt({12, y})) {
      EXPECT_EQ(*link, "next.html");
      found = true;
    }
  }
  EXPECT_TRUE(found);
  EXPECT_FALSE(layout.LinkAt({290, 190}).has_value());
}

}  // namespace

namespace {

// A BMP file of `width` by `height` 24-bit pixels of one colour (bottom-up rows).
std::string SolidBmp(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
  const int stride = (width * 3 + 3) / 4 * 4;
  const auto le32 = [](std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  std::string bmp = "BM";
  le32(bmp, static_cast<std::uint32_t>(54 + stride * height));
  le32(bmp, 0);
  le32(bmp, 54);
  le32(bmp, 40);
  le32(bmp, static_cast<std::uint32_t>(width));
  le32(bmp, static_cast<std::uint32_t>(height));
  bmp += std::string("\x01\x00\x18\x00", 4);  // one plane, 24 bits
  for (int i = 0; i < 6; ++i) le32(bmp, 0);
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += {static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
    row.resize(static_cast<std::size_t>(stride), '\0');
    bmp += row;
  }
  return bmp;
}

TEST(PageLayout, PicturesShowAtTheirSizeAndDamagedOnesAsNothing)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Vetra/TempE/red.bmp", SolidBmp(6, 4, 255, 0, 0));
  drive.WriteFile("Vetra/TempE/cut.bmp", SolidBmp(6, 4, 0, 255, 0).substr(0, 60));
  PageLayout layout;
  layout.SetPage("<body leftmargin=0 topmargin=0><img src=\"red.bmp\"><img src=\"cut.bmp\">"
                 "<img src=\"red.bmp\" width=12 height=8><img src=\"missing.bmp\"></body>",
                 "c:\\Vetra\\TempE\\page.html");
  layout.Layout(100, 50);

  win::CDC screen;
  screen.CreateCompatibleDC(nullptr);
  win::CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 100, 50);
  win::CDC dc;
  dc.CreateCompatibleDC(&screen);
  dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 100, 50, win::RGB(255, 255, 255));
  layout.Paint(dc, CRect(0, 0, 100, 50));

  const auto pixels = bitmap.Pixels();
  int top = -1;  // the pictures sit on the first line's baseline
  for (int y = 0; y < 50 && top < 0; ++y) top = pixels->Get(0, y) == vetra::gdi::MakePixel(255, 0, 0) ? y : -1;
  ASSERT_GE(top, 0);
  const struct {
    int x;
    int y;
    bool red;
  } probes[] = {
      {5, top + 3, true},   // the first picture, 6 by 4
      {5, top - 1, false},
      {6, top - 4, true},   // the damaged picture takes no room: the stretched one, 12 by 8,
      {17, top + 3, true},  // follows at once, bottom-aligned with the first
      {18, top + 3, false},
      {6, top - 5, false},
  };
  for (const auto& p : probes) {
    EXPECT_EQ(pixels->Get(p.x, p.y) == vetra::gdi::MakePixel(255, 0, 0), p.red) << p.x << "," << p.y;
  }
}

}  // namespace
