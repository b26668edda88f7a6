#include <gtest/gtest.h>

#include <cstdio>

#include "common/image/jpeg_codec.h"
#include "platform/base/testing/temp_drive.h"
#include "programs/printlayout/picture_library.h"
#include "programs/printlayout/tests/test_pictures.h"

namespace tolvex {
namespace {

using testing::MakeBmp;
using testing::Pattern;
using testing::Rgb;

std::optional<RgbPicture> Decode(const std::string& bytes)
{
  return DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

Rgb At(const RgbPicture& p, int x, int y)
{
  const std::size_t i = (static_cast<std::size_t>(y) * p.width + x) * 3;
  return {p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]};
}

// Every depth read as RGB is the shared BMP codec's test; here the library's own codes and files.
TEST(PictureLibrary, RefusesDamagedFilesWithTheirCodes)
{
  const std::string good = MakeBmp(4, 4, 24, Pattern);
  std::string rle = good;
  rle[14 + 16] = 1;
  std::string wide = good;
  wide[14 + 4] = '\x7f';  // more pixels than the file holds
  std::string huge = good;
  huge[14 + 7] = '\x7f';  // a size no capture can have
  std::string notBmp = good;
  notBmp[0] = 'X';
  struct Case {
    std::string bytes;
    int code;
  } cases[] = {
      {good.substr(0, good.size() - 5), kImageFileRead},
      {rle, kImageRleBmp},
      {wide, kImageFileRead},
      {huge, kImageBadBmp},
      {notBmp, kImageBadBmp},
      {good.substr(0, 20), kImageBadBmp},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Decode(c.bytes));
    EXPECT_EQ(ImageLastError(), c.code);
  }
}

TEST(PictureLibrary, ErrorTexts)
{
  const std::pair<int, const char*> texts[] = {
      {0, "No error"}, {2, "Error on file open"}, {6, "Bad BMP file"}, {7, "We don't do RLE BMP files"},
      {16, "Internal PNG creation error - possibly bad params"}, {20, "Bad TIF file"}, {8, "Error #8"}, {-3, "Error #-3"}};
  for (const auto& [code, text] : texts) EXPECT_EQ(ImageErrorText(code), text);
}

TEST(PictureLibrary, MissingSourceIsAnOpenError)
{
  vetra::testing::TempDrive drive;
  ImageSource source;
  EXPECT_FALSE(source.Open("c:\\Vetra\\nothing.bmp"));
  EXPECT_EQ(ImageLastError(), kImageFileOpen);
}

TEST(PictureLibrary, WritesBmpOfTheAskedSizeCutOrPaddedWhite)
{
  vetra::testing::TempDrive drive;
  const auto picture = Decode(MakeBmp(20, 10, 24, Pattern));
  ASSERT_TRUE(picture);
  ImageDestination destination;
  ASSERT_TRUE(destination.Open("c:\\out.bmp"));
  ASSERT_TRUE(destination.WriteBmp(*picture, 30, 6));
  ASSERT_TRUE(destination.Close());
  const auto back = Decode(drive.ReadFile("out.bmp"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 30);
  EXPECT_EQ(back->height, 6);
  EXPECT_EQ(At(*back, 19, 5), Pattern(19, 5));
  EXPECT_EQ(At(*back, 20, 0), (Rgb{255, 255, 255}));
}

TEST(PictureLibrary, WritesJpegThatLibjpegDecodes)
{
  vetra::testing::TempDrive drive;
  const auto flat = [](int, int) { return Rgb{200, 40, 90}; };
  const auto picture = Decode(MakeBmp(40, 24, 32, flat));
  ASSERT_TRUE(picture);
  ImageDestination destination;
  ASSERT_TRUE(destination.Open("c:\\out.jpg"));
  // Written twice, the destination keeps only the last picture.
  ASSERT_TRUE(destination.WriteBmp(*picture, 8, 8));
  ASSERT_TRUE(destination.WriteJpg(*picture, 75));
  ASSERT_TRUE(destination.Close());
  for (const auto& entry : std::filesystem::directory_iterator(drive.Root()))  // no scratch file left beside it
    EXPECT_FALSE(entry.path().string().ends_with(".writing")) << entry.path();
  std::FILE* file = std::fopen((drive / "out.jpg").c_str(), "rb");
  ASSERT_NE(file, nullptr);
  const auto decoded = vetra::image::DecodeJpegRgb(file);
  std::fclose(file);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->width, 40);
  EXPECT_EQ(decoded->height, 24);
  EXPECT_NEAR(decoded->pixels[0], 200, 6);
  EXPECT_NEAR(decoded->pixels[1], 40, 6);
  EXPECT_NEAR(decoded->pixels[2], 90, 6);
}

TEST(PictureLibrary, FailedWriteLeavesTheEarlierFile)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("keep.jpg", "earlier");
  ImageDestination destination;
  ASSERT_TRUE(destination.Open("c:\\keep.jpg"));
  EXPECT_FALSE(destination.WriteJpg(RgbPicture{}, 75));
  EXPECT_FALSE(destination.Close());
  EXPECT_EQ(drive.ReadFile("keep.jpg"), "earlier");
  EXPECT_FALSE(destination.Open("c:\\no such folder\\x.jpg"));
}

}  // namespace
}  // namespace tolvex
