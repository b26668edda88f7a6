#include "platform/print/page_geometry.h"

#include <gtest/gtest.h>

#include "platform/gdi/gdi_types.h"

namespace vetra::print {
namespace {

struct CapsCase {
  bool landscape;
  int dpi;
  int index;
  int expected;
};

TEST(PageGeometry, AnswersTheDeviceCapabilitiesOfAnA4Sheet)
{
  const CapsCase cases[] = {
      {false, 254, win::HORZRES, 2016},       {false, 254, win::VERTRES, 2886},
      {false, 254, win::HORZSIZE, 202},       {false, 254, win::VERTSIZE, 289},
      {false, 254, win::PHYSICALWIDTH, 2100}, {false, 254, win::PHYSICALHEIGHT, 2970},
      {false, 254, win::PHYSICALOFFSETX, 42}, {false, 254, win::PHYSICALOFFSETY, 42},
      {false, 254, win::LOGPIXELSX, 254},     {false, 254, win::LOGPIXELSY, 254},
      {true, 254, win::HORZRES, 2886},        {true, 254, win::VERTRES, 2016},
      {true, 254, win::PHYSICALWIDTH, 2970},  {true, 254, win::PHYSICALHEIGHT, 2100},
      {true, 254, win::HORZSIZE, 289},        {false, 254, win::TECHNOLOGY, win::DT_RASPRINTER},
      // A coarser raster keeps the sheet's size in millimetres.
      {false, 127, win::PHYSICALWIDTH, 1050}, {false, 127, win::PHYSICALOFFSETX, 21},
      {false, 127, win::HORZSIZE, 202},       {true, 127, win::VERTRES, 1008},
      // Resolutions out of range fall back to 254.
      {false, 0, win::LOGPIXELSX, 254},       {false, 5000, win::HORZRES, 2016},
      {false, 254, win::BITSPIXEL, -1},
  };
  for (const CapsCase& c : cases) {
    EXPECT_EQ(PageCaps(A4Page(c.landscape, c.dpi), c.index), c.expected)
        << (c.landscape ? "landscape" : "portrait") << " " << c.dpi << " dpi, index " << c.index;
  }
}

TEST(PageGeometry, SheetInPointsIsA4)
{
  const PageGeometry portrait = A4Page(false, 254);
  EXPECT_NEAR(portrait.sheetWidthPoints, 595.276, 0.01);
  EXPECT_NEAR(portrait.sheetHeightPoints, 841.89, 0.01);
  const PageGeometry landscape = A4Page(true, 100);
  EXPECT_NEAR(landscape.sheetWidthPoints, 841.89, 0.01);
  EXPECT_NEAR(landscape.sheetHeightPoints, 595.276, 0.01);
}

}  // namespace
}  // namespace vetra::print
