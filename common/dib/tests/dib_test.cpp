#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "common/dib/dib.h"
#include "common/dib/tests/bmp_fixtures.h"
#include "platform/base/text.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/gdi/draw_log.h"

namespace vetra {
namespace {

using testing::BmpShape;
using testing::MakeBmp;
using testing::TempDrive;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// A memory DC on a fresh bitmap, filled with one colour.
struct Canvas {
  Canvas(int width, int height, std::uint32_t fill = 0x123456)
  {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    old = dc.SelectObject(&bitmap);
    pixels = bitmap.Pixels();
    pixels->Fill(fill);
  }
  ~Canvas() { dc.SelectObject(old); }
  std::uint32_t At(int x, int y) const { return pixels->At(x, y); }

  win::CDC dc;
  win::CBitmap bitmap;
  win::CBitmap* old = nullptr;
  std::shared_ptr<gdi::Bitmap32> pixels;
};

class DibTest : public ::testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& bytes)
  {
    drive.WriteFile(name, bytes);
    return (drive / name).string();
  }
  TempDrive drive;
};

// ---- Loading ----

std::string FromBase64(std::string_view text)
{
  std::string out;
  unsigned buffer = 0;
  int bits = 0;
  for (const char c : text) {
    const auto pos = std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/").find(c);
    if (pos == std::string_view::npos) continue;
    buffer = (buffer << 6) | static_cast<unsigned>(pos);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<char>((buffer >> bits) & 0xFF));
    }
  }
  return out;
}

std::string Truncated(std::string bytes, std::size_t size) { return bytes.substr(0, size); }

std::string WithU32(std::string bytes, std::size_t offset, std::uint32_t value)
{
  std::memcpy(bytes.data() + offset, &value, 4);
  return bytes;
}

struct LoadCase {
  const char* name;
  std::string bytes;
  int result;
  const char* message;  // UTF-8, after the path; "" = none
  int colors;           // colour count (palette entries)
  int infoKind;
  std::size_t bitsOffset;  // of the pixel rows in the file, 0 = not checked
};

TEST_F(DibTest, LoadCasesGiveTheirResultAndMessage)
{
  const std::string eight = MakeBmp({.width = 3, .height = 2, .bitCount = 8});
  const std::string big = MakeBmp({.width = 4, .height = 4, .bitCount = 24});
  const std::vector<LoadCase> cases = {
      {"8-bit, no used colours", eight, 1, "", 256, 1, 14 + 40 + 1024},
      {"8-bit, 3 used colours", MakeBmp({.bitCount = 8, .usedColors = 3}), 1, "", 3, 1, 14 + 40 + 12},
      {"24-bit, no used colours", MakeBmp({.bitCount = 24}), 1, "", 0, 1, 14 + 40},
      {"24-bit, 2 used colours", MakeBmp({.bitCount = 24, .usedColors = 2}), 1, "", 2, 1, 14 + 40 + 8},
      {"core header, 4-bit", MakeBmp({.bitCount = 4, .coreHeader = true}), 1, "", 16, 0, 14 + 12 + 48},
      {"larger info header", [] {
         // A 108-byte header: the 40-byte fields, then 68 more bytes before the table.
         std::string b = MakeBmp({.bitCount = 24});
         b.insert(14 + 40, std::string(68, '\0'));
         return WithU32(WithU32(b, 14, 108), 2, static_cast<std::uint32_t>(b.size()));
       }(), 1, "", 0, 1, 14 + 108},
      {"short file", "BM\x10\0\0\0\0", 0, " BMPHEADER 를 읽을수 없습니다!", 0, 0, 0},
      {"not BM", "XX" + eight.substr(2), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"shorter than declared", Truncated(eight, eight.size() - 1), 0, " 화일을 읽을수 없습니다.", 0, 0, 0},
      // Hostile headers are refused as not being pictures.
      {"declared size below the headers", WithU32(eight, 2, 20), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"header size 20", WithU32(eight, 14, 20), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"header size past the data", WithU32(eight, 14, 5000), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"257 used colours", WithU32(eight, 14 + 32, 257), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"colour table past the data", WithU32(MakeBmp({.bitCount = 24}), 14 + 32, 200), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"rows past the data", WithU32(big, 14 + 8, 4000), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"huge width", WithU32(big, 14 + 4, 0x7FFFFFFF), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"zero height", WithU32(big, 14 + 8, 0), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
      // Found by fuzzing: bit-field masks that would be read past the end of the data.
      {"bit-field masks past the data", FromBase64("Qk0+AAAAAAAAADYAAAAoAAAAAwAAAAEAAAABABAAAwAAAAEAAAACAAAHAAAAAgAAAAAAAAAAAAAAAAAoAAAAAwAAAAEAAAABABAAAwAAAAEAAAAAAAAAAAAAAAAKAAAAAAAAAAAAAAAA"),
       0, " BMP 화일이 아닙니다.", 0, 0, 0},
      {"bit count 7", [&] { std::string b = big; b[14 + 14] = 7; return b; }(), 0, " BMP 화일이 아닙니다.", 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Write("pic.bmp", c.bytes);
    CDib dib;
    EXPECT_EQ(dib.Open(path.c_str()), c.result);
    EXPECT_EQ(dib.m_loaded, c.result);
    EXPECT_EQ(dib.m_message, *c.message ? path + Cp949(c.message) : "");
    if (c.result == 1) {
      EXPECT_EQ(dib.m_colorCount, c.colors);
      EXPECT_EQ(dib.m_infoKind, c.infoKind);
      EXPECT_EQ(dib.m_palette != nullptr, c.colors > 0);
      if (dib.m_palette) {
        EXPECT_EQ(dib.m_palette->GetEntryCount(), c.colors);
      }
      EXPECT_EQ(static_cast<std::size_t>(dib.GetBits() - dib.m_data) + 14, c.bitsOffset);
      EXPECT_EQ(dib.m_dataMemory.Size(), c.bytes.size() - 14);
    } else {
      EXPECT_EQ(dib.m_data, nullptr);
      EXPECT_FALSE(dib.m_dataMemory);
    }
  }
}

TEST_F(DibTest, MissingFileIsReportedWithItsPath)
{
  CDib dib;
  const std::string path = "c:\\Vetra\\Skin\\none.bmp";
  EXPECT_EQ(dib.Open(path.c_str()), 0);
  EXPECT_EQ(dib.m_message, path + Cp949(" 화일이 없습니다"));
}

TEST_F(DibTest, PaletteComesFromQuadsOrTriples)
{
  for (const bool core : {false, true}) {
    SCOPED_TRACE(core ? "core" : "info");
    const auto path = Write("p.bmp", MakeBmp({.bitCount = 1, .coreHeader = core, .table = {0x102030, 0xA0B0C0}}));
    CDib dib;
    ASSERT_EQ(dib.Open(path.c_str()), 1);
    EXPECT_EQ(dib.m_width, 2);
    EXPECT_EQ(dib.m_height, 2);
    EXPECT_EQ(dib.m_logPalette->palVersion, 0x300);
    win::PALETTEENTRY entries[2];
    ASSERT_EQ(dib.m_palette->GetPaletteEntries(0, 2, entries), 2u);
    EXPECT_EQ(entries[1].peRed, 0xA0);
    EXPECT_EQ(entries[1].peGreen, 0xB0);
    EXPECT_EQ(entries[1].peBlue, 0xC0);
  }
}

// ---- Drawing ----

// 4 by 2: top row red, green, blue, white; bottom row the reverse.
BmpShape Quad(int bitCount, bool core = false)
{
  static const std::uint32_t colors[2][4] = {{kRed, kGreen, kBlue, kWhite}, {kWhite, kBlue, kGreen, kRed}};
  BmpShape shape{.width = 4, .height = 2, .bitCount = bitCount, .coreHeader = core};
  if (bitCount <= 8) {
    shape.table = {kRed, kGreen, kBlue, kWhite};
    shape.usedColors = core ? 0 : 4;
    if (core) shape.table.resize(std::size_t{1} << bitCount);  // a core header has the full table
    shape.pixel = [](int x, int y) { return static_cast<std::uint32_t>(y == 0 ? x : 3 - x); };
  } else {
    shape.pixel = [](int x, int y) { return colors[y][x]; };
  }
  return shape;
}

TEST_F(DibTest, DrawStretchesTheWholePicture)
{
  for (const auto& shape : {Quad(8), Quad(24), Quad(4, true)}) {
    SCOPED_TRACE(shape.bitCount);
    CDib dib;
    ASSERT_EQ(dib.Open(Write("q.bmp", MakeBmp(shape)).c_str()), 1);
    Canvas canvas(10, 6);
    dib.Draw(1, 1, 8, 4, &canvas.dc);  // twice the size
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) {
        const std::uint32_t expected = y < 2 ? std::vector{kRed, kGreen, kBlue, kWhite}[static_cast<std::size_t>(x / 2)]
                                             : std::vector{kWhite, kBlue, kGreen, kRed}[static_cast<std::size_t>(x / 2)];
        EXPECT_EQ(canvas.At(x + 1, y + 1), expected) << x << "," << y;
      }
    }
    EXPECT_EQ(canvas.At(0, 0), 0x123456u);
    EXPECT_EQ(canvas.At(9, 5), 0x123456u);
  }
}

TEST_F(DibTest, TopDownPictureFromAWindowsPathDrawsUpright)
{
  BmpShape shape = Quad(24);
  shape.topDown = true;
  drive.WriteFile("Vetra/Skin/top.bmp", MakeBmp(shape));
  CDib dib;
  ASSERT_EQ(dib.Open("c:\\vetra\\skin\\TOP.BMP"), 1);
  EXPECT_EQ(dib.m_height, -2);
  Canvas canvas(4, 2);
  dib.Draw(0, 0, 4, 2, &canvas.dc);
  EXPECT_EQ(canvas.At(0, 0), kRed);
  EXPECT_EQ(canvas.At(0, 1), kWhite);
  EXPECT_EQ(dib.Save("c:\\Vetra\\Skin\\copy.bmp"), 1);
  EXPECT_EQ(drive.ReadFile("Vetra/Skin/copy.bmp"), MakeBmp(shape));
}

TEST_F(DibTest, DrawShrinksAndDrawUnscaledCrops)
{
  CDib dib;
  ASSERT_EQ(dib.Open(Write("q.bmp", MakeBmp(Quad(24))).c_str()), 1);
  gdi::ScopedDrawLog log;
  {
    Canvas canvas(4, 2);
    dib.Draw(0, 0, 2, 1, &canvas.dc);  // the whole picture into 2 by 1: every other column, one row
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(1, 0), kBlue);
    EXPECT_EQ(canvas.At(2, 0), 0x123456u);
  }
  {
    Canvas canvas(4, 2);
    dib.DrawUnscaled(1, 1, 2, 1, &canvas.dc);  // the top-left 2 by 1 pixels, unscaled
    EXPECT_EQ(canvas.At(1, 1), kRed);
    EXPECT_EQ(canvas.At(2, 1), kGreen);
    EXPECT_EQ(canvas.At(3, 1), 0x123456u);
    EXPECT_EQ(canvas.At(1, 0), 0x123456u);
  }
  const auto calls = log.Find("StretchDIBits");
  ASSERT_EQ(calls.size(), 2u);
  // x, y, cx, cy, source x, y, width, height, picture width, height, bits, usage, rop
  EXPECT_EQ(calls[0].args, (std::vector<long long>{0, 0, 2, 1, 0, 0, 4, 2, 4, 2, 24, 0, win::SRCCOPY}));
  EXPECT_EQ(calls[1].args, (std::vector<long long>{1, 1, 2, 1, 0, 0, 2, 1, 4, 2, 24, 0, win::SRCCOPY}));
  EXPECT_EQ(log.Find("SetStretchBltMode").at(0).args, std::vector<long long>{win::COLORONCOLOR});
}

TEST_F(DibTest, PaletteIsSelectedForTheDrawAndPutBack)
{
  CDib dib;
  ASSERT_EQ(dib.Open(Write("q.bmp", MakeBmp(Quad(8))).c_str()), 1);
  Canvas canvas(4, 2);
  gdi::ScopedDrawLog log;
  dib.Draw(0, 0, 4, 2, &canvas.dc);
  std::vector<std::string> ops;
  for (const auto& call : log.Calls()) ops.push_back(call.op);
  EXPECT_THAT(ops, ::testing::ElementsAre("SelectPalette", "RealizePalette", "SetStretchBltMode", "StretchDIBits", "SelectPalette"));
  EXPECT_EQ(log.Calls()[0].args, (std::vector<long long>{4, 1}));
  EXPECT_EQ(log.Calls()[4].args, (std::vector<long long>{20, 1}));  // the default palette again
}

TEST_F(DibTest, TrueColourPictureOnTrueColourDeviceSelectsNoPalette)
{
  CDib dib;
  ASSERT_EQ(dib.Open(Write("q.bmp", MakeBmp(Quad(24))).c_str()), 1);
  Canvas canvas(4, 2);
  EXPECT_EQ(dib.UseSystemPalette(canvas.dc.GetSafeHdc()), 0);
  gdi::ScopedDrawLog log;
  dib.Draw(0, 0, 4, 2, &canvas.dc);
  EXPECT_TRUE(log.Find("SelectPalette").empty());
  EXPECT_TRUE(log.Find("RealizePalette").empty());
}

// ---- Lifetime ----

TEST_F(DibTest, FreeTwiceIsHarmlessAndDrawAfterFreeDrawsNothing)
{
  CDib dib;
  ASSERT_EQ(dib.Open(Write("q.bmp", MakeBmp(Quad(8))).c_str()), 1);
  dib.Free();
  dib.Free();
  EXPECT_EQ(dib.m_loaded, 0);
  EXPECT_EQ(dib.m_palette, nullptr);
  Canvas canvas(4, 2);
  gdi::ScopedDrawLog log;
  dib.Draw(0, 0, 4, 2, &canvas.dc);
  EXPECT_TRUE(log.Calls().empty());
  EXPECT_EQ(canvas.At(0, 0), 0x123456u);
}

TEST_F(DibTest, OpenReplacesTheLoadedPicture)
{
  CDib dib;
  ASSERT_EQ(dib.Open(Write("a.bmp", MakeBmp(Quad(8))).c_str()), 1);
  ASSERT_EQ(dib.Open(Write("b.bmp", MakeBmp({.width = 5, .height = 3})).c_str()), 1);
  EXPECT_EQ(dib.m_width, 5);
  EXPECT_EQ(dib.m_palette, nullptr);
  EXPECT_EQ(dib.Open((drive / "none.bmp").c_str()), 0);
  EXPECT_EQ(dib.m_loaded, 0);
  EXPECT_EQ(dib.m_data, nullptr);
}

// ---- Saving ----

TEST_F(DibTest, SaveWritesTheFileBack)
{
  const std::string bytes = MakeBmp(Quad(8));
  CDib dib;
  ASSERT_EQ(dib.Open(Write("a.bmp", bytes).c_str()), 1);
  EXPECT_EQ(dib.Save((drive / "copy.bmp").c_str()), 1);
  EXPECT_EQ(drive.ReadFile("copy.bmp"), bytes);
  EXPECT_EQ(dib.m_path, (drive / "copy.bmp").string());
}

TEST_F(DibTest, SaveAfterAttachWritesHeaderAndDeclaredData)
{
  std::string packed = MakeBmp(Quad(24)).substr(14);
  packed += "trailing bytes not declared";
  win::BITMAPFILEHEADER header;
  header.bfType = win::kBitmapFileType;
  header.bfSize = static_cast<win::DWORD>(14 + 40 + 8);  // only part of the data
  header.bfOffBits = 54;
  CDib dib;
  dib.Attach(header, packed.data());
  EXPECT_EQ(dib.m_loaded, 1);
  ASSERT_EQ(dib.Save((drive / "clip.bmp").c_str()), 1);
  const std::string written = drive.ReadFile("clip.bmp");
  ASSERT_EQ(written.size(), 62u);
  EXPECT_EQ(written.substr(0, 2), "BM");
  EXPECT_EQ(written.substr(14), packed.substr(0, 48));
  dib.Free();
  EXPECT_EQ(packed.substr(0, 4), std::string("\x28\0\0\0", 4));  // the caller's data is untouched
}

TEST_F(DibTest, SaveFailuresWriteNothing)
{
  CDib empty;
  EXPECT_EQ(empty.Save((drive / "empty.bmp").c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(drive / "empty.bmp"));
  CDib dib;
  ASSERT_EQ(dib.Open(Write("a.bmp", MakeBmp(Quad(24))).c_str()), 1);
  EXPECT_EQ(dib.Save((drive / "no/such/folder/a.bmp").c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(drive / "no"));
}

}  // namespace
}  // namespace vetra
