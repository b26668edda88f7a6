#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>

#include "platform/base/testing/temp_drive.h"
#include "platform/gdi/png_writer.h"

namespace vetra::gdi {
namespace {

TEST(Png, WritesPixelsThatReadBack)
{
  vetra::testing::TempDrive drive;
  Bitmap32 bitmap(3, 2, 0x102030);
  bitmap.At(2, 1) = 0xFF8000;
  const std::string path = (drive / "shot.png").string();
  ASSERT_TRUE(WritePng(bitmap, path));

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(rgb[0], 0x10);
  EXPECT_EQ(rgb[2], 0x30);
  EXPECT_EQ(rgb[15], 0xFF);
  EXPECT_EQ(rgb[16], 0x80);
}

TEST(Png, FailureLeavesNoFile)
{
  vetra::testing::TempDrive drive;
  EXPECT_FALSE(WritePng(Bitmap32(2, 2), (drive / "missing/shot.png").string()));
  EXPECT_FALSE(WritePng(Bitmap32(), (drive / "empty.png").string()));
  EXPECT_FALSE(std::filesystem::exists(drive / "empty.png"));
}

}  // namespace
}  // namespace vetra::gdi
