#include <gtest/gtest.h>

#include <cstdio>

#include "common/image/jpeg_codec.h"
#include "common/image/picture.h"
#include "common/image/picture_files.h"
#include "platform/base/testing/temp_drive.h"

namespace vetra::image {
namespace {

TEST(PictureFiles, WholeFilesAreReadOrGiveTheirCodes)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("a.bin", std::string("ab\0c", 4));
  drive.WriteFile("folder/x", "");
  const struct {
    const char* name;
    std::filesystem::path path;
    int code;
    std::size_t size;
  } cases[] = {
      {"a file", drive / "a.bin", kNoError, 4},
      {"an empty file", drive / "folder/x", kNoError, 0},
      {"no file", drive / "absent.bin", kFileOpen, 0},
      {"a folder", drive / "folder", kFileOpen, 0},
      {"no path", {}, kFileOpen, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes{1};
    EXPECT_EQ(ReadWholeFile(c.path, bytes), c.code) << c.name;
    EXPECT_EQ(bytes.size(), c.size) << c.name;
  }
}

TEST(PictureFiles, AFileTakesItsNameOnlyWhenCommittedWhole)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("keep.jpg", "earlier");
  {
    ReplacingFile dropped(drive / "keep.jpg");
    ASSERT_TRUE(dropped.Write("new", 3));
  }
  EXPECT_EQ(drive.ReadFile("keep.jpg"), "earlier");
  ReplacingFile written(drive / "keep.jpg");
  ASSERT_TRUE(written.Write("new", 3));
  EXPECT_TRUE(written.Commit());
  EXPECT_EQ(drive.ReadFile("keep.jpg"), "new");
  for (const auto& entry : std::filesystem::directory_iterator(drive.Root()))  // no scratch file left beside it
    EXPECT_FALSE(entry.path().string().ends_with(".writing")) << entry.path();

  ReplacingFile nowhere(drive / "no such folder/x.jpg");
  EXPECT_EQ(nowhere.Get(), nullptr);
  EXPECT_FALSE(nowhere.Write("x", 1));
  EXPECT_FALSE(nowhere.Commit());
  EXPECT_EQ(ReplacingFile({}).Get(), nullptr);
}

TEST(PictureFiles, JpegWrittenAndReadBackThroughLibjpeg)
{
  vetra::testing::TempDrive drive;
  std::vector<std::uint8_t> rgb(40 * 24 * 3);
  for (std::size_t i = 0; i < rgb.size(); i += 3) rgb[i] = 200, rgb[i + 1] = 40, rgb[i + 2] = 90;
  {
    ReplacingFile file(drive / "out.jpg");
    ASSERT_TRUE(EncodeJpeg(file.Get(), {40, 24, rgb.data(), 75}));
    ASSERT_TRUE(file.Commit());
  }
  std::FILE* in = std::fopen((drive / "out.jpg").c_str(), "rb");
  ASSERT_NE(in, nullptr);
  const auto colour = DecodeJpegRgb(in);
  std::rewind(in);
  const auto indexed = DecodeJpegIndexed(in, 16);
  std::fclose(in);
  ASSERT_TRUE(colour && indexed);
  EXPECT_EQ(std::pair(colour->width, colour->height), std::pair(40, 24));
  for (int channel = 0; channel < 3; ++channel) EXPECT_NEAR(colour->pixels[channel], rgb[channel], 6) << channel;
  // Indexed: one byte a pixel into a map of at most the colours asked for.
  EXPECT_EQ(indexed->pixels.size(), 40u * 24u);
  ASSERT_LE(indexed->red.size(), 16u);
  EXPECT_NEAR(indexed->red[indexed->pixels[0]], 200, 12);

  // libjpeg's fatal errors come back as a failed result with its message.
  drive.WriteFile("not.jpg", "this is no picture");
  in = std::fopen((drive / "not.jpg").c_str(), "rb");
  std::string message;
  EXPECT_FALSE(DecodeJpegRgb(in, &message));
  std::fclose(in);
  EXPECT_FALSE(message.empty());
  EXPECT_FALSE(EncodeJpeg(nullptr, {40, 24, rgb.data(), 75}));
  EXPECT_FALSE(EncodeJpeg(stdout, {0, 24, rgb.data(), 75}));
}

}  // namespace
}  // namespace vetra::image
