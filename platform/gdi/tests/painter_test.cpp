#include <gtest/gtest.h>

#include "platform/gdi/painter.h"

namespace vetra::gdi {
namespace {

TEST(Painter, FillIsClipped)
{
  Bitmap32 bitmap(4, 4);
  Painter painter(bitmap, {1, 1}, {0, 0, 2, 2});
  painter.FillRect({-5, -5, 10, 10}, 0xFF0000);
  EXPECT_EQ(bitmap.At(0, 0), 0u);
  EXPECT_EQ(bitmap.At(1, 1), 0xFF0000u);
  EXPECT_EQ(bitmap.At(2, 2), 0xFF0000u);
  EXPECT_EQ(bitmap.At(3, 3), 0u);
}

}  // namespace
}  // namespace vetra::gdi
