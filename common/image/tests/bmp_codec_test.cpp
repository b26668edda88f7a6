#include <gtest/gtest.h>

#include "common/dib/tests/bmp_fixtures.h"
#include "common/image/bmp_codec.h"
#include "platform/base/testing/temp_drive.h"

namespace vetra::image {
namespace {

using vetra::testing::BmpShape;

// Four colours that survive every depth, 16 bits included; indexed depths take them from a table.
constexpr std::uint32_t kColours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::uint32_t At(const RgbPicture& p, int x, int y)
{
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)) * 3;
  return (std::uint32_t{p.rgb[i]} << 16) | (std::uint32_t{p.rgb[i + 1]} << 8) | p.rgb[i + 2];
}

int Decode(const std::string& bytes, RgbPicture& picture)
{
  return DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), picture);
}

// A 3 by 2 picture whose pixel (x, y) has colour (x + y) % 4.
BmpShape Shape(int bits, bool core = false, bool topDown = false)
{
  BmpShape shape;
  shape.width = 3;
  shape.height = 2;
  shape.bitCount = bits;
  shape.coreHeader = core;
  shape.topDown = topDown;
  if (bits <= 8) shape.table.assign(std::begin(kColours), std::end(kColours));
  // A core header has no count of used colours: its table is always whole.
  if (bits == 1 || (core && bits <= 8)) shape.table.resize(std::size_t{1} << bits);
  if (bits <= 8 && !core) shape.usedColors = static_cast<std::uint32_t>(shape.table.size());
  shape.pixel = [bits](int x, int y) {
    const int index = (x + y) % (bits == 1 ? 2 : 4);
    return bits <= 8 ? static_cast<std::uint32_t>(index) : kColours[index];
  };
  return shape;
}

TEST(BmpCodec, EveryDepthAndHeaderReadsAsTopDownRgb)
{
  const struct {
    const char* name;
    BmpShape shape;
  } cases[] = {
      {"1 bit", Shape(1)},          {"4 bits", Shape(4)},   {"8 bits", Shape(8)},
      {"16 bits", Shape(16)},       {"24 bits", Shape(24)}, {"32 bits", Shape(32)},
      {"core header", Shape(8, true)}, {"top-down", Shape(24, false, true)},
  };
  for (const auto& c : cases) {
    RgbPicture picture;
    ASSERT_EQ(Decode(vetra::testing::MakeBmp(c.shape), picture), kNoError) << c.name;
    ASSERT_EQ(picture.width, 3) << c.name;
    ASSERT_EQ(picture.height, 2) << c.name;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        const std::uint32_t want = c.shape.bitCount <= 8 ? c.shape.table[c.shape.pixel(x, y)] : c.shape.pixel(x, y);
        EXPECT_EQ(At(picture, x, y), want) << c.name << " at " << x << "," << y;
      }
  }
}

TEST(BmpCodec, DamagedFilesAreRefusedWithTheirCodes)
{
  const std::string good = vetra::testing::MakeBmp(Shape(24));
  // The good file with 32-bit fields of its info header changed.
  const auto patched = [&good](std::initializer_list<std::pair<std::size_t, std::uint32_t>> fields) {
    std::string bytes = good;
    for (const auto& [at, value] : fields)
      for (int i = 0; i < 4; ++i) bytes[14 + at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
  };
  constexpr std::size_t kWidth = 4, kHeight = 8, kCompression = 16;
  std::string notBmp = good;
  notBmp[0] = 'X';
  const struct {
    const char* name;
    std::string bytes;
    int code;
  } cases[] = {
      {"no bytes", "", kFileRead},
      {"rows cut short", good.substr(0, good.size() - 1), kFileRead},
      {"wider than the file", patched({{kWidth, 1000}}), kFileRead},
      {"headers cut short", good.substr(0, 20), kBadBmp},
      {"not a BMP", notBmp, kBadBmp},
      {"run-length 8", patched({{kCompression, 1}}), kRleBmp},
      {"run-length 4", patched({{kCompression, 2}}), kRleBmp},
      {"unknown compression", patched({{kCompression, 9}}), kBadBmp},
      {"bit fields on 24 bits", patched({{kCompression, 3}}), kBadBmp},
      {"zero width", patched({{kWidth, 0}}), kBadBmp},
      {"a side past 32768", patched({{kWidth, 40000}}), kBadBmp},
      {"more pixels than a picture can sensibly have", patched({{kWidth, 30000}, {kHeight, 30000}}), kBadBmp},
  };
  for (const auto& c : cases) {
    RgbPicture picture;
    picture.width = 1;
    EXPECT_EQ(Decode(c.bytes, picture), c.code) << c.name;
    EXPECT_EQ(picture.width, 0) << c.name;
  }
}

TEST(BmpCodec, RowsFollowTheTableWhenTheFileHeaderOffsetPointsIntoTheHeaders)
{
  std::string bytes = vetra::testing::MakeBmp(Shape(8));
  bytes[10] = bytes[11] = 0;
  RgbPicture picture;
  ASSERT_EQ(Decode(bytes, picture), kNoError);
  EXPECT_EQ(At(picture, 2, 1), kColours[3]);
}

TEST(BmpCodec, WritesTheAskedSizeCutOrPaddedWhite)
{
  vetra::testing::TempDrive drive;
  RgbPicture source;
  ASSERT_EQ(Decode(vetra::testing::MakeBmp(Shape(24)), source), kNoError);
  const struct {
    const char* name;
    RgbPicture picture;
    int width, height;
  } cases[] = {
      {"cut and padded", source, 2, 3},
      {"bytes not matching the size", RgbPicture{3, 2, {1, 2, 3}}, 2, 3},
  };
  for (const auto& c : cases) {
    {
      ReplacingFile file(drive / "out.bmp");
      ASSERT_EQ(WriteBmp24(file, c.picture, c.width, c.height), kNoError) << c.name;
      ASSERT_TRUE(file.Commit()) << c.name;
    }
    RgbPicture back;
    ASSERT_EQ(Decode(drive.ReadFile("out.bmp"), back), kNoError) << c.name;
    ASSERT_EQ(back.width, c.width);
    ASSERT_EQ(back.height, c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const bool inside = c.picture.rgb.size() == 18 && y < 2;
        EXPECT_EQ(At(back, x, y), inside ? At(source, x, y) : 0xFFFFFFu) << c.name << " at " << x << "," << y;
      }
  }
  ReplacingFile file(drive / "bad.bmp");
  EXPECT_EQ(WriteBmp24(file, source, 0, 2), kBadParam);
  EXPECT_EQ(WriteBmp24(file, source, 40000, 1), kBadParam);
}

}  // namespace
}  // namespace vetra::image
