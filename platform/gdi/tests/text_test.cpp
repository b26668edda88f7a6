#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/gdi/cdc.h"
#include "platform/gdi/draw_log.h"
#include "platform/gdi/font_engine.h"
#include "platform/gdi/tests/canvas.h"

namespace vetra::gdi {
namespace {

using testing::Canvas;
using testing::kPaper;

// Bounding box of the pixels that are not paper.
win::RECT Inked(const Canvas& canvas)
{
  win::RECT box{canvas.pixels->Width(), canvas.pixels->Height(), -1, -1};
  for (int y = 0; y < canvas.pixels->Height(); ++y) {
    for (int x = 0; x < canvas.pixels->Width(); ++x) {
      if (canvas.At(x, y) == kPaper) continue;
      box = {std::min<win::LONG>(box.left, x), std::min<win::LONG>(box.top, y), std::max<win::LONG>(box.right, x + 1), std::max<win::LONG>(box.bottom, y + 1)};
    }
  }
  return box;
}

TEST(Fonts, FaceNamesMapToInstalledKoreanFonts)
{
  struct Case { const char* face; const char* file; };
  for (const Case c : {Case{"굴림", "NanumGothic.ttf"}, Case{"돋움", "NanumGothic.ttf"},
                       Case{"굴림체", "NanumGothicCoding.ttf"}, Case{"System", "NanumGothic.ttf"}}) {
    EXPECT_NE(FontFileForFace(Cp949(c.face)).find(c.file), std::string::npos) << c.face;
  }
  EXPECT_NE(FontFileForFace(Cp949("굴림"), false, true).find("NanumGothicBold"), std::string::npos);
  EXPECT_FALSE(FontFileForFace(Cp949("바탕")).empty());
  EXPECT_FALSE(FontFileForFace("Arial").empty());
}

TEST(Text, KoreanTextIsLoggedInCp949AndDrawnInsideItsCell)
{
  Canvas canvas(200, 40);
  win::CFont font;
  ASSERT_TRUE(font.CreateFont(16, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, win::HANGUL_CHARSET, 0, 0, 0,
                              win::FIXED_PITCH | win::FF_MODERN, Cp949("굴림체").c_str()));
  ScopedDrawLog log;
  canvas.dc.SelectObject(&font);
  canvas.dc.SetBkMode(win::TRANSPARENT);
  const std::string text = Cp949("전압 12.5V");
  canvas.dc.TextOut(10, 5, text);

  const auto select = log.Find("SelectFont");
  ASSERT_EQ(select.size(), 1u);
  EXPECT_EQ(select[0].text, Cp949("굴림체"));
  EXPECT_EQ(select[0].args[0], 16);
  const auto out = log.Find("TextOut");
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].args, (std::vector<long long>{10, 5}));
  EXPECT_EQ(out[0].text, text);
  EXPECT_EQ(out[0].text, std::string("\xC0\xFC\xBE\xD0 12.5V"));

  // A positive height is the cell height; the ink stays inside the cell.
  const win::CSize extent = canvas.dc.GetTextExtent(text);
  EXPECT_EQ(extent.cy, 16);
  EXPECT_GT(extent.cx, 40);
  const win::RECT ink = Inked(canvas);
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.right, 10 + extent.cx);
  EXPECT_LE(ink.bottom, 5 + 16);
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}

TEST(Text, NegativeHeightIsTheEmHeight)
{
  Canvas canvas(10, 10);
  win::CFont cell, em;
  cell.CreateFont(20, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, Cp949("굴림").c_str());
  em.CreateFont(-20, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, Cp949("굴림").c_str());
  canvas.dc.SelectObject(&cell);
  win::TEXTMETRIC metrics;
  ASSERT_TRUE(canvas.dc.GetTextMetrics(&metrics));
  EXPECT_EQ(metrics.tmHeight, 20);
  canvas.dc.SelectObject(&em);
  ASSERT_TRUE(canvas.dc.GetTextMetrics(&metrics));
  EXPECT_GE(metrics.tmHeight, 20);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 20);
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}

TEST(Text, AlignmentAndOpaqueBackground)
{
  win::CFont font;
  font.CreateFont(16, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  const std::string text = "Wave";
  for (const win::UINT align : {win::TA_LEFT, win::TA_CENTER, win::TA_RIGHT}) {
    Canvas canvas(120, 30);
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkColor(win::RGB(0, 0, 255));
    canvas.dc.SetTextAlign(align | win::TA_TOP);
    canvas.dc.TextOut(60, 4, text);
    const int width = canvas.dc.GetTextExtent(text).cx;
    const int left = align == win::TA_LEFT ? 60 : align == win::TA_CENTER ? 60 - width / 2 : 60 - width;
    // The opaque background covers exactly the text cell.
    EXPECT_EQ(Inked(canvas), (win::RECT{left, 4, left + width, 20})) << align;
    canvas.dc.SelectStockObject(win::SYSTEM_FONT);
  }
}

TEST(Text, DrawTextPlacesTheLineInItsRectangleAndLogsOnce)
{
  Canvas canvas(100, 40);
  win::CFont font;
  font.CreateFont(16, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  canvas.dc.SelectObject(&font);
  canvas.dc.SetBkColor(win::RGB(0, 0, 255));
  const std::string text = "Cyl 1";
  const int width = canvas.dc.GetTextExtent(text).cx;
  ScopedDrawLog log;
  win::RECT box{0, 0, 100, 40};
  EXPECT_EQ(canvas.dc.DrawText(text, &box, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE), 16);
  ASSERT_EQ(log.Calls().size(), 1u);
  EXPECT_EQ(log.Calls()[0].op, "DrawText");
  EXPECT_EQ(log.Calls()[0].text, text);
  const int left = (100 - width) / 2;
  EXPECT_EQ(Inked(canvas), (win::RECT{left, 12, left + width, 28}));  // the opaque cell
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}

TEST(Text, UnderlineSpansTheWholeText)
{
  Canvas canvas(120, 30);
  win::CFont font;
  font.CreateFont(16, 0, 0, 0, win::FW_NORMAL, 0, 1, 0, 0, 0, 0, 0, 0, "Arial");
  canvas.dc.SelectObject(&font);
  canvas.dc.SetBkMode(win::TRANSPARENT);
  canvas.dc.TextOut(10, 5, "a b");
  const int width = canvas.dc.GetTextExtent("a b").cx;
  int fullRows = 0;
  for (int y = 5; y < 21; ++y) {
    bool full = true;
    for (int x = 10; x < 10 + width; ++x) full = full && canvas.At(x, y) == 0;
    fullRows += full;
  }
  EXPECT_GE(fullRows, 1);
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}

// The canvas as a printer page: the printer's resolution, measured in `mapMode`.
void MakePrinterPage(Canvas& canvas, int mapMode)
{
  DeviceInfo printer = canvas.dc.GetDeviceInfo();
  printer.dpi = kPrinterDpi;
  canvas.dc.SetDeviceInfo(printer);
  canvas.dc.SetMapMode(mapMode);
}

TEST(Text, LoMetricScalesTheFont)
{
  Canvas canvas(10, 10);
  win::CFont font;
  font.CreateFont(100, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, Cp949("굴림").c_str());
  MakePrinterPage(canvas, win::MM_LOMETRIC);
  canvas.dc.SelectObject(&font);
  EXPECT_EQ(canvas.dc.GetTextExtent("A").cy, 100);
  DeviceInfo printer = canvas.dc.GetDeviceInfo();
  printer.dpi = kScreenDpi;  // 100 units = 37.8 pixels: 38 pixels, measured back as 101 units
  canvas.dc.SetDeviceInfo(printer);
  EXPECT_NEAR(canvas.dc.GetTextExtent("A").cy, 100, 1);
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}

// Rows [top, bottom) of what a text leaves on the paper, drawn at the top of its cell.
std::pair<int, int> InkRows(const win::CFont& font, const std::string& text, int mapMode = win::MM_TEXT)
{
  Canvas canvas(900, 200);
  if (mapMode != win::MM_TEXT) MakePrinterPage(canvas, mapMode);
  canvas.dc.SelectObject(const_cast<win::CFont*>(&font));
  canvas.dc.SetBkMode(win::TRANSPARENT);
  canvas.dc.TextOut(0, 0, text);
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
  const win::RECT ink = Inked(canvas);
  return {ink.top, ink.bottom};
}

TEST(Text, TheCellHoldsEveryGlyphWholeAndNoMore)
{
  // Asked for by the em (a negative height), or in a face measured by its cell, the glyphs stay
  // inside the line.
  const struct {
    const char* face;
    int height;
  } fonts[] = {{"굴림", -12}, {"굴림", -13}, {"굴림", -15}, {"굴림체", -12}, {"System", -16},
               {"System", 16}, {"Arial", 14}, {"바탕", -15}};
  for (const auto& f : fonts) {
    win::CFont font;
    font.CreateFont(f.height, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, Cp949(f.face).c_str());
    Canvas canvas(10, 10);
    canvas.dc.SelectObject(&font);
    win::TEXTMETRIC tm{};
    ASSERT_TRUE(canvas.dc.GetTextMetrics(&tm));
    canvas.dc.SelectStockObject(win::SYSTEM_FONT);
    const int em = f.height < 0 ? -f.height : f.height;
    if (f.height > 0) {
      EXPECT_EQ(tm.tmHeight, f.height) << f.face << f.height;
    }
    // Descenders (the p of "Temp.Osc") and the tall Hangul syllables stay inside the line ...
    const auto [top, bottom] = InkRows(font, Cp949("DNOK 12664Temp.Osc gjy 가힣똠"));
    EXPECT_GE(top, 0) << f.face << f.height;
    EXPECT_LE(bottom, tm.tmHeight) << f.face << f.height;
    // ... and a gothic line is hardly taller than the em: text fits the boxes laid out for it.
    if (std::string(f.face) != "바탕") {
      EXPECT_LE(tm.tmHeight, em + 2) << f.face << f.height;
    }
  }
  // The road-test's cursor time: 11-point 굴림 in a box 14 pixels high keeps its digits whole.
  win::CFont status;
  status.CreatePointFont(110, Cp949("굴림").c_str());
  EXPECT_LE(InkRows(status, "223").second, 14);
}

TEST(Text, APositiveHeightIsTheEmOfTheKoreanFaces)
{
  // These faces have no internal leading: the line is the em, Hangul fills it, and a glyph
  // reaching past it by a row (a descender, a bracket) is drawn whole.
  const struct {
    const char* face;
    int height, weight;
  } fonts[] = {{"굴림체", 23, 700}, {"굴림체", 26, 800}, {"굴림체", 20, 600}, {"굴림체", 16, 400}, {"굴림체", 12, 600},
               {"굴림", 12, 400},   {"굴림", 17, 700},   {"굴림", 30, 400},   {"돋움", 23, 400},   {"바탕", 23, 400}};
  for (const auto& f : fonts) {
    SCOPED_TRACE(std::string(f.face) + " " + std::to_string(f.height));
    win::CFont font;
    font.CreateFont(f.height, 0, 0, 0, f.weight, 0, 0, 0, 0, 0, 0, 0, 0, Cp949(f.face).c_str());
    Canvas canvas(10, 10);
    canvas.dc.SelectObject(&font);
    win::TEXTMETRIC tm{};
    ASSERT_TRUE(canvas.dc.GetTextMetrics(&tm));
    canvas.dc.SelectStockObject(win::SYSTEM_FONT);
    EXPECT_EQ(tm.tmHeight, f.height);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    // The stand-in faces' Hangul is about 0.92 of their em: at least all but two rows of a small
    // line, 0.88 of a large one once hinting has rounded it; its edges may shade a row more.
    const int least = std::min(f.height - 2, (88 * f.height + 99) / 100);
    for (const char* syllable : {"듀", "평", "값", "굴", "힣"}) {
      const auto [top, bottom] = InkRows(font, Cp949(syllable));
      EXPECT_GE(bottom - top, least) << syllable;
      EXPECT_LE(bottom - top, f.height + 1) << syllable;
    }
    const auto [top, bottom] = InkRows(font, Cp949("DNOK 12664Temp.Osc gjy 가힣똠 ()"));
    const int past = std::string(f.face) == "바탕" ? 2 : 1;  // the serif stand-in's glyphs reach further
    EXPECT_GE(top, -past);
    EXPECT_LE(bottom, f.height + past);
  }
}

TEST(Text, AFontAskedForWithAWidthDrawsItsDigitsAtThatWidth)
{
  const struct {
    const char* face;
    int height, width;
    int mapMode;
  } fonts[] = {{"굴림", 30, 20, win::MM_LOMETRIC},  // the printed road-test report
               {"굴림", 40, 20, win::MM_LOMETRIC}, {"굴림", 14, 7, win::MM_TEXT}, {"굴림", 12, 6, win::MM_TEXT},
               {"굴림", 32, 16, win::MM_TEXT},     {"바탕", 30, 20, win::MM_LOMETRIC}};
  for (const auto& f : fonts) {
    win::CFont font;
    font.CreateFont(f.height, f.width, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, Cp949(f.face).c_str());
    Canvas canvas(10, 10);
    if (f.mapMode != win::MM_TEXT) MakePrinterPage(canvas, f.mapMode);
    canvas.dc.SelectObject(&font);
    const int digits = canvas.dc.GetTextExtent("0123456789").cx;
    EXPECT_NEAR(digits, 10 * f.width, f.width / 2) << f.face << " " << f.height << "x" << f.width;
    // The glyphs are narrowed, not only spaced: the ink of a digit fits its advance.
    win::TEXTMETRIC tm{};
    canvas.dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmAveCharWidth, f.width, 1) << f.face;
    canvas.dc.SelectStockObject(win::SYSTEM_FONT);
  }
  // Printed at 30 by 20, a cursor value and its unit fit in the 360 units to the next column.
  win::CFont report;
  report.CreateFont(30, 20, 0, 0, 600, 0, 0, 0, 1, 0, 0, 0, 0, Cp949("굴림").c_str());
  Canvas canvas(10, 10);
  MakePrinterPage(canvas, win::MM_LOMETRIC);
  canvas.dc.SelectObject(&report);
  EXPECT_LT(canvas.dc.GetTextExtent("Max-Min: 1687.50").cx, 360);
  EXPECT_LT(canvas.dc.GetTextExtent("A: 2460.94 RPM").cx, 360);
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}

// The pixels of columns [left, right) of a canvas, row by row.
std::vector<Pixel> Columns(const Canvas& canvas, int left, int right)
{
  std::vector<Pixel> block;
  for (int y = 0; y < canvas.pixels->Height(); ++y) {
    for (int x = left; x < right; ++x) block.push_back(canvas.At(x, y));
  }
  return block;
}

TEST(Text, ACharacterLooksTheSameWhereverItStandsInAText)
{
  // The oscilloscope's readouts and graph labels, the scan-data and road-test fonts asked for
  // with a width, and the print layout's.
  const struct {
    const char* face;
    int height, width, weight;
    const char* text;
  } fonts[] = {{"굴림체", 23, 0, 700, "600.0 V 10.0 V -10.0 V"}, {"굴림체", 16, 0, 400, "10.0 V -10.0 V 600.0 V"},
               {"굴림체", 26, 11, 800, "600.0 V -10.0 V"},        {"굴림체", 14, 0, 600, "600.0 V -10.0 V"},
               {"굴림체", 18, 9, 600, "600.0 V -10.0 V"},         {"굴림", 14, 7, 400, "600.0 V -10.0 V"},
               {"굴림", 12, 6, 400, "600.0 V -10.0 V"},           {"굴림", 16, 0, 400, "600.0 V -10.0 V"},
               {"굴림", 30, 20, 600, "600.0 V -10.0 V"}};
  for (const auto& f : fonts) {
    SCOPED_TRACE(std::string(f.face) + " " + std::to_string(f.height) + "x" + std::to_string(f.width));
    win::CFont font;
    font.CreateFont(f.height, f.width, 0, 0, f.weight, 0, 0, 0, 0, 0, 0, 0, 0, Cp949(f.face).c_str());
    Canvas canvas(600, 60);
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(win::TRANSPARENT);
    const std::string text = f.text;
    canvas.dc.TextOut(5, 5, text);
    // Each character's columns: from its pen position to the next one's.
    std::map<char, std::vector<Pixel>> seen;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const int left = 5 + canvas.dc.GetTextExtent(text.substr(0, i)).cx;
      const int right = 5 + canvas.dc.GetTextExtent(text.substr(0, i + 1)).cx;
      if (text[i] == ' ') continue;  // a gap takes its neighbours' overhang
      const auto [first, fresh] = seen.emplace(text[i], Columns(canvas, left, right));
      if (!fresh) {
        EXPECT_EQ(first->second, Columns(canvas, left, right)) << "'" << text[i] << "' at " << i;
      }
    }
    canvas.dc.SelectStockObject(win::SYSTEM_FONT);
  }
}

}  // namespace
}  // namespace vetra::gdi
