#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "programs/printlayout/image.h"
#include "programs/printlayout/image_messages.h"
#include "common/image/jpeg_codec.h"
#include "programs/printlayout/tests/test_pictures.h"

// libjpeg's header defines TRUE and FALSE as macros: it comes after every header of ours.
#include <jpeglib.h>
#include <png.h>

namespace tolvex {
namespace {

using testing::Rgb;

Rgb PixelOf(const CImage& image, int x, int yFromTop)
{
  Rgb c;
  image.GetPixelRGB(x, image.Height() - 1 - yFromTop, &c.r, &c.g, &c.b);
  return c;
}

TEST(ImageTypes, ByExtension)
{
  const std::pair<const char*, int> cases[] = {
      {"photo.JPG", kImageJpg}, {"photo.jpg", kImageJpg}, {"photo.Jpg", kImageJpg}, {"photo.jpeg", -1},
      {"a.bmp", kImageBmp},     {"a.GIF", kImageGif},     {"a.png", kImagePng},     {"a.xpm", kImageXpm},
      {"noextension", -1},      {"dot.", -1},             {"a.b.PNG", kImagePng}};
  for (const auto& [name, type] : cases) EXPECT_EQ(FindImageType(FindExtension(name)), type) << name;
}

// An indexed 8-bit picture of 16 colours in stripes, and a true-colour one of the test pattern.
void Paint(CImage& image, bool indexed)
{
  ASSERT_TRUE(image.Create(37, 21, indexed ? 8 : 24, -1));
  if (indexed) {
    win::BYTE r[16], g[16], b[16];
    for (int i = 0; i < 16; ++i) {
      r[i] = static_cast<win::BYTE>(i * 16);
      g[i] = static_cast<win::BYTE>(255 - i * 16);
      b[i] = static_cast<win::BYTE>(i * 8);
    }
    image.SetPalette(16, r, g, b);
  }
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 37; ++x) {
      if (indexed) image.SetPixelIndex(x, 20 - y, (x + y) % 16);
      else {
        const Rgb c = testing::Pattern(x, y);
        image.SetPixelRGB(x, 20 - y, c.r, c.g, c.b);
      }
    }
}

TEST(ImageFiles, WriteAndReadBackLossless)
{
  vetra::testing::TempDrive drive;
  struct Case {
    const char* name;
    int type;
    bool indexed;
  } cases[] = {
      {"c:\\a.bmp", kImageBmp, true}, {"c:\\b.bmp", kImageBmp, false}, {"c:\\c.gif", kImageGif, true},
      {"c:\\d.png", kImagePng, true}, {"c:\\e.png", kImagePng, false},
  };
  for (const auto& c : cases) {
    CImage written;
    ASSERT_TRUE(written.CreateImpl(c.name, c.type));
    Paint(written, c.indexed);
    ASSERT_EQ(written.Write(c.name), 1) << c.name;
    CImage read(c.name, -1);
    ASSERT_TRUE(read.IsValid()) << c.name;
    EXPECT_EQ(read.Width(), 37);
    EXPECT_EQ(read.Height(), 21);
    for (const auto& [x, y] : {std::pair{0, 0}, {36, 0}, {17, 9}, {36, 20}})
      EXPECT_EQ(PixelOf(read, x, y), PixelOf(written, x, y)) << c.name << " " << x << "," << y;
  }
}

TEST(ImageFiles, GifWriterRefusesWhatItCannotWrite)
{
  vetra::testing::TempDrive drive;
  std::vector<std::string> messages;
  SetImageMessageHandler([&](const std::string& text) { messages.push_back(text); });
  drive.WriteFile("keep.gif", "earlier");
  CImage trueColour;
  ASSERT_TRUE(trueColour.CreateImpl("c:\\keep.gif", kImageGif));
  Paint(trueColour, false);
  EXPECT_EQ(trueColour.Write("c:\\keep.gif"), 0);
  CImage indexed;
  ASSERT_TRUE(indexed.CreateImpl("c:\\x.gif", kImageGif));
  Paint(indexed, true);
  EXPECT_EQ(indexed.Write("c:\\no folder\\x.gif"), 0);
  SetImageMessageHandler(nullptr);
  EXPECT_EQ(messages, (std::vector<std::string>{"GIF Images must be 8 bit or less", "Can't open GIF for writing"}));
  EXPECT_EQ(drive.ReadFile("keep.gif"), "earlier");
}

TEST(ImageFiles, GifOfManyColoursCompressesAcrossCodeSizes)
{
  vetra::testing::TempDrive drive;
  CImage written;
  ASSERT_TRUE(written.CreateImpl("c:\\big.gif", kImageGif));
  ASSERT_TRUE(written.Create(300, 200, 8, -1));
  std::vector<win::BYTE> levels(256);
  for (int i = 0; i < 256; ++i) levels[static_cast<std::size_t>(i)] = static_cast<win::BYTE>(i);
  written.SetPalette(256, levels.data());
  // Pseudo-random indexes fill the code table several times over (clear codes, 12-bit codes).
  unsigned state = 1;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) {
      state = state * 1103515245 + 12345;
      written.SetPixelIndex(x, y, static_cast<int>((state >> 16) % ((x / 50) * 40 + 4)));
    }
  ASSERT_EQ(written.Write("c:\\big.gif"), 1);
  CImage read("c:\\big.gif", -1);
  ASSERT_TRUE(read.IsValid());
  for (int y = 0; y < 200; y += 7)
    for (int x = 0; x < 300; x += 3) ASSERT_EQ(read.GetPixelIndex(x, y), written.GetPixelIndex(x, y)) << x << "," << y;
}

TEST(ImageFiles, DamagedGifsReadNothingOrPartly)
{
  vetra::testing::TempDrive drive;
  CImage written;
  ASSERT_TRUE(written.CreateImpl("c:\\x.gif", kImageGif));
  Paint(written, true);
  ASSERT_EQ(written.Write("c:\\x.gif"), 1);
  const std::string bytes = drive.ReadFile("x.gif");
  for (const std::size_t cut : {std::size_t{3}, std::size_t{20}, std::size_t{800}, bytes.size() - 30}) {
    drive.WriteFile("cut.gif", bytes.substr(0, cut));
    CImage read("c:\\cut.gif", -1);
    if (read.IsValid()) {
      EXPECT_EQ(read.Width(), 37);
    }
  }
  std::string badCodeSize = bytes;
  badCodeSize[13 + 768 + 10] = 12;
  drive.WriteFile("bad.gif", badCodeSize);
  EXPECT_FALSE(CImage("c:\\bad.gif", -1).IsValid());
}

TEST(ImageFiles, JpegReadsAsEightBitsWithItsPalette)
{
  vetra::testing::TempDrive drive;
  CImage colour;
  ASSERT_TRUE(colour.CreateImpl("c:\\colour.jpg", kImageJpg));
  Paint(colour, false);
  ASSERT_EQ(colour.Write("c:\\colour.jpg"), 1);
  CImage grey;
  ASSERT_TRUE(grey.CreateImpl("c:\\grey.jpg", kImageJpg));
  ASSERT_TRUE(grey.Create(16, 16, 8, -1));
  ASSERT_EQ(grey.Write("c:\\grey.jpg"), 1);  // a colour JPEG of greys: still decoded as colour

  CImage readColour("c:\\colour.jpg", -1);
  ASSERT_TRUE(readColour.IsValid());
  EXPECT_EQ(readColour.BitsPerPixel(), 8);
  ASSERT_NE(readColour.GetPalette(), nullptr);
  EXPECT_LE(readColour.GetPalette()->GetEntryCount(), 128);
  const Rgb want = testing::Pattern(20, 10);
  const Rgb got = PixelOf(readColour, 20, 10);
  EXPECT_NEAR(got.r, want.r, 40);
  EXPECT_NEAR(got.g, want.g, 40);
}

TEST(Logo, LoadsJpegWhateverItsNameAndRefusesOtherFormats)
{
  vetra::testing::TempDrive drive;
  CImage jpeg;
  ASSERT_TRUE(jpeg.CreateImpl("c:\\logo.dat", kImageJpg));
  Paint(jpeg, false);
  ASSERT_EQ(jpeg.Write("c:\\logo.dat"), 1);
  CImage png;
  ASSERT_TRUE(png.CreateImpl("c:\\png.jpg", kImagePng));
  Paint(png, false);
  ASSERT_EQ(png.Write("c:\\png.jpg"), 1);

  CLogoPicture logo;
  EXPECT_EQ(logo.Load("c:\\logo.dat"), 1);
  EXPECT_TRUE(logo.IsValid());
  EXPECT_EQ(logo.Load("c:\\png.jpg"), 0);
  EXPECT_FALSE(logo.IsValid());
  EXPECT_EQ(logo.Load("c:\\missing.jpg"), 0);
}

TEST(ImageFiles, BmpReaderAcceptsEveryDepth)
{
  vetra::testing::TempDrive drive;
  for (const int bits : {8, 16, 24, 32}) {
    drive.WriteFile("d.bmp", testing::MakeBmp(9, 5, bits, [](int x, int) { return Rgb{static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(x * 16)}; }));
    CImage read("c:\\d.bmp", -1);
    ASSERT_TRUE(read.IsValid()) << bits;
    EXPECT_NEAR(PixelOf(read, 8, 4).g, 128, 8) << bits;
  }
}


// Our GIF of 16 stripes, as bytes: 13-byte header, 768-byte table, then the image descriptor.
std::string StripedGif(vetra::testing::TempDrive& drive, CImage& written)
{
  EXPECT_TRUE(written.CreateImpl("c:\\s.gif", kImageGif));
  Paint(written, true);
  EXPECT_EQ(written.Write("c:\\s.gif"), 1);
  return drive.ReadFile("s.gif");
}

TEST(GifFiles, InterlacedRowsArePlacedByTheirPasses)
{
  vetra::testing::TempDrive drive;
  CImage written;
  std::string bytes = StripedGif(drive, written);
  const std::size_t descriptor = 13 + 768;
  ASSERT_EQ(bytes[descriptor], ',');
  bytes[descriptor + 9] = 0x40;  // the same rows, now read as interlaced
  drive.WriteFile("i.gif", bytes);
  CImage read("c:\\i.gif", -1);
  ASSERT_TRUE(read.IsValid());
  std::vector<int> order;
  for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
    for (int y = start; y < 21; y += step) order.push_back(y);
  for (std::size_t fileRow = 0; fileRow < order.size(); ++fileRow)
    for (int x = 0; x < 37; x += 5)
      ASSERT_EQ(PixelOf(read, x, order[fileRow]), PixelOf(written, x, static_cast<int>(fileRow))) << fileRow;
}

TEST(GifFiles, TransparencyMakesItsEntryBlackAndWhiteAtTheEnd)
{
  vetra::testing::TempDrive drive;
  CImage written;
  std::string bytes = StripedGif(drive, written);
  bytes.insert(13 + 768, std::string("!\xF9\x04\x01\x00\x00\x03\x00", 8));
  drive.WriteFile("t.gif", bytes);
  CImage read("c:\\t.gif", -1);
  ASSERT_TRUE(read.IsValid());
  EXPECT_EQ(read.GetImplementation()->TransparentIndex(), 3);
  const auto colour = [&](int index) {
    const win::RGBQUAD q = read.GetImplementation()->PaletteColor(index);
    return Rgb{q.rgbRed, q.rgbGreen, q.rgbBlue};
  };
  EXPECT_EQ(colour(3), (Rgb{0, 0, 0}));
  EXPECT_EQ(colour(4), (Rgb{64, 191, 32}));
  EXPECT_EQ(colour(255), (Rgb{255, 255, 255}));
  EXPECT_EQ(read.GetImplementation()->PaletteSize(), 256);
}

}  // namespace
}  // namespace tolvex


namespace tolvex {
namespace {

TEST(GifFiles, TransparentPixelsLeaveWhatIsBehindThem)
{
  vetra::testing::TempDrive drive;
  CImage written;
  std::string bytes = StripedGif(drive, written);
  bytes.insert(13 + 768, std::string("!\xF9\x04\x01\x00\x00\x03\x00", 8));
  drive.WriteFile("t.gif", bytes);
  CImage read("c:\\t.gif", -1);
  ASSERT_TRUE(read.IsValid());

  win::CDC dc;
  dc.CreateCompatibleDC(nullptr);
  win::CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, 37, 21);
  dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 37, 21, win::RGB(9, 99, 199));
  ASSERT_EQ(read.Stretch(&dc, 0, 0, 37, 21), 1);
  for (const auto& [x, y] : {std::pair{0, 0}, {3, 0}, {2, 1}, {10, 4}, {36, 20}}) {
    const win::COLORREF pixel = dc.GetPixel(x, y);
    const bool transparent = (x + y) % 16 == 3;
    const Rgb want = transparent ? Rgb{9, 99, 199} : PixelOf(written, x, y);
    EXPECT_EQ(pixel, win::RGB(want.r, want.g, want.b)) << x << "," << y;
  }
}

TEST(PngFiles, TransparencyLiesOnTheScreenBackground)
{
  vetra::testing::TempDrive drive;
  // Opaque red, fully transparent, and an opaque colour whose 16-bit channels are cut to 8.
  const std::uint16_t rgba[12] = {0xFFFF, 0, 0, 0xFFFF, 0x1234, 0x5678, 0x9ABC, 0, 0x80FF, 0x4000, 0x01FE, 0xFFFF};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 1;
  image.format = PNG_FORMAT_LINEAR_RGB_ALPHA;
  ASSERT_TRUE(png_image_write_to_file(&image, (drive / "a.png").c_str(), 0, rgba, 0, nullptr));
  CImage read("c:\\a.png", -1);
  ASSERT_TRUE(read.IsValid());
  EXPECT_EQ(read.BitsPerPixel(), 24);
  EXPECT_EQ(PixelOf(read, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelOf(read, 1, 0), (Rgb{31, 127, 255}));
  EXPECT_EQ(PixelOf(read, 2, 0), (Rgb{0x80, 0x40, 0x01}));
}

// Writes a PNG with libpng's row interface: 8-bit rows as given, optionally interlaced, with an
// optional palette and its transparency.
void WritePng(const std::filesystem::path& path, int width, int height, int colourType, bool interlaced,
              const std::vector<std::vector<std::uint8_t>>& rows, const std::vector<png_color>& palette = {},
              const std::vector<std::uint8_t>& alphas = {})
{
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!alphas.empty()) png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (const auto& row : rows) pointers.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

TEST(PngFiles, InterlacedPicturesAreReadPassByPass)
{
  vetra::testing::TempDrive drive;
  std::vector<std::vector<std::uint8_t>> rows;
  for (int y = 0; y < 13; ++y) {
    std::vector<std::uint8_t> row;
    for (int x = 0; x < 11; ++x) {
      const Rgb c = testing::Pattern(x, y);
      row.insert(row.end(), {c.r, c.g, c.b});
    }
    rows.push_back(row);
  }
  WritePng(drive / "i.png", 11, 13, PNG_COLOR_TYPE_RGB, true, rows);
  CImage read("c:\\i.png", -1);
  ASSERT_TRUE(read.IsValid());
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 11; ++x) ASSERT_EQ(PixelOf(read, x, y), testing::Pattern(x, y)) << x << "," << y;
}

TEST(PngFiles, PaletteTransparencyIsLaidOnTheBackground)
{
  vetra::testing::TempDrive drive;
  WritePng(drive / "p.png", 3, 1, PNG_COLOR_TYPE_PALETTE, false, {{0, 1, 2}},
           {{255, 0, 0}, {0, 255, 0}, {255, 255, 255}}, {255, 0, 128});
  CImage read("c:\\p.png", -1);
  ASSERT_TRUE(read.IsValid());
  EXPECT_EQ(read.BitsPerPixel(), 8);
  EXPECT_EQ(PixelOf(read, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelOf(read, 1, 0), (Rgb{31, 127, 255}));
  EXPECT_EQ(PixelOf(read, 2, 0), (Rgb{143, 191, 255}));  // half white, half background
}

// Bit depth, colour type and palette length of a PNG file, read with libpng.
struct PngHeader {
  int depth = 0;
  int colourType = -1;
  int paletteEntries = 0;
  std::vector<std::vector<std::uint8_t>> rows;
};

PngHeader ReadPngHeader(const std::filesystem::path& path)
{
  PngHeader header;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return header;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_read_info(png, info);
  header.depth = png_get_bit_depth(png, info);
  header.colourType = png_get_color_type(png, info);
  png_colorp palette = nullptr;
  if (png_get_PLTE(png, info, &palette, &header.paletteEntries) == 0) header.paletteEntries = 0;
  const png_uint_32 height = png_get_image_height(png, info);
  header.rows.assign(height, std::vector<std::uint8_t>(png_get_rowbytes(png, info)));
  for (auto& row : header.rows) png_read_row(png, row.data(), nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return header;
}

TEST(PngFiles, WriterKeepsThePictureDepthAndGreySamples)
{
  vetra::testing::TempDrive drive;
  struct Case {
    int bits;
    bool palette;
    int depth;
    int colourType;
  } cases[] = {
      {1, true, 1, PNG_COLOR_TYPE_PALETTE}, {4, true, 4, PNG_COLOR_TYPE_PALETTE},
      {8, true, 8, PNG_COLOR_TYPE_PALETTE}, {4, false, 4, PNG_COLOR_TYPE_GRAY},
      {8, false, 8, PNG_COLOR_TYPE_GRAY},   {24, false, 8, PNG_COLOR_TYPE_RGB},
  };
  for (const auto& c : cases) {
    CImage written;
    ASSERT_TRUE(written.CreateImpl("c:\\d.png", kImagePng));
    ASSERT_TRUE(written.Create(13, 3, c.bits, -1));
    const int levels = c.bits <= 8 ? 1 << c.bits : 256;
    if (c.palette) {
      std::vector<win::BYTE> red(static_cast<std::size_t>(levels));
      for (int i = 0; i < levels; ++i) red[static_cast<std::size_t>(i)] = static_cast<win::BYTE>(255 - i * 255 / (levels - 1));
      written.SetPalette(levels, red.data());
    }
    for (int x = 0; x < 13; ++x) {
      if (c.bits <= 8) written.SetPixelIndex(x, 2, (x * 19 + 247) % levels);
      else written.SetPixelRGB(x, 2, static_cast<win::BYTE>(x * 9), 1, 2);
    }
    ASSERT_EQ(written.Write("c:\\d.png"), 1) << c.bits;
    const PngHeader header = ReadPngHeader(drive / "d.png");
    EXPECT_EQ(header.depth, c.depth) << c.bits;
    EXPECT_EQ(header.colourType, c.colourType) << c.bits;
    if (c.colourType == PNG_COLOR_TYPE_PALETTE) {
      EXPECT_EQ(header.paletteEntries, std::min(levels, 256)) << c.bits;
    }
    ASSERT_EQ(header.rows.size(), 3u);
    if (c.bits == 8) {
      EXPECT_EQ(header.rows[0][0], 247) << c.palette;  // the index itself, grey or not
    }

    CImage read("c:\\d.png", -1);
    ASSERT_TRUE(read.IsValid()) << c.bits;
    for (int x = 0; x < 13; ++x) {
      if (c.colourType == PNG_COLOR_TYPE_GRAY) {
        const int index = written.GetPixelIndex(x, 2);
        // Read back a grey sample spreads over 0..255.
        EXPECT_EQ(PixelOf(read, x, 0).r, index * 255 / (levels - 1)) << c.bits << " " << x;
      } else {
        EXPECT_EQ(PixelOf(read, x, 0), PixelOf(written, x, 0)) << c.bits << " " << x;
      }
    }
  }
}

// An 8-bit BMP whose header says it uses only the first `colours` table entries.
std::string BmpOfFewColours(int colours)
{
  std::string bytes(14 + 40 + colours * 4 + 4, '\0');
  const auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(bytes.data() + at, &v, 4); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, static_cast<std::uint32_t>(14 + 40 + colours * 4));
  put32(14, 40);
  put32(18, 2);
  put32(22, 1);
  bytes[26] = 1;
  bytes[28] = 8;
  put32(46, static_cast<std::uint32_t>(colours));
  for (int i = 0; i < colours; ++i) {
    const std::size_t entry = 54 + static_cast<std::size_t>(i) * 4;
    bytes[entry] = static_cast<char>(40 + i * 30);      // blue
    bytes[entry + 1] = static_cast<char>(60 + i * 20);  // green
    bytes[entry + 2] = static_cast<char>(80 + i * 10);  // red
  }
  bytes[54 + colours * 4] = 3;
  bytes[54 + colours * 4 + 1] = static_cast<char>(colours - 1);
  return bytes;
}

TEST(BmpFiles, PaletteHoldsTheColoursTheHeaderCounts)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("few.bmp", BmpOfFewColours(7));
  CImage read("c:\\few.bmp", -1);
  ASSERT_TRUE(read.IsValid());
  EXPECT_EQ(read.GetImplementation()->PaletteSize(), 7);
  ASSERT_NE(read.GetPalette(), nullptr);
  EXPECT_EQ(read.GetPalette()->GetEntryCount(), 7);
  EXPECT_EQ(PixelOf(read, 0, 0), (Rgb{110, 120, 130}));
  // Black is nearest to the darkest of the seven colours, not to an unused entry.
  read.SetPixelRGB(1, 0, 0, 0, 0);
  EXPECT_EQ(read.GetPixelIndex(1, 0), 0);
}

TEST(JpegFiles, GreyJpegGivesAGreyPalette)
{
  vetra::testing::TempDrive drive;
  std::FILE* file = std::fopen((drive / "g.jpg").c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = 8;
  info.image_height = 8;
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::uint8_t row[8] = {0, 0, 0, 0, 200, 200, 200, 200};
  for (int y = 0; y < 8; ++y) {
    JSAMPROW rows[] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);

  CImage read("c:\\g.jpg", -1);
  ASSERT_TRUE(read.IsValid());
  EXPECT_EQ(read.BitsPerPixel(), 8);
  ASSERT_NE(read.GetPalette(), nullptr);
  EXPECT_EQ(read.GetPalette()->GetEntryCount(), 256);
  EXPECT_NEAR(read.GetPixelIndex(7, 0), 200, 8);
  EXPECT_EQ(PixelOf(read, 0, 0).r, PixelOf(read, 0, 0).b);
}

}  // namespace
}  // namespace tolvex
