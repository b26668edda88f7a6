#include "platform/print/page_geometry.h"

#include "platform/gdi/gdi_types.h"

namespace vetra::print {

namespace {

// Tenths of a millimetre to pixels, rounded to the nearest pixel.
int ToPixels(int lometric, int dpi)
{
  return static_cast<int>((static_cast<long long>(lometric) * dpi + 127) / 254);
}

// Pixels to whole millimetres, rounded.
int ToMillimetres(int pixels, int dpi)
{
  return static_cast<int>((static_cast<long long>(pixels) * 254 + dpi * 5) / (static_cast<long long>(dpi) * 10));
}

}  // namespace

PageGeometry A4Page(bool landscape, int dpi)
{
  if (dpi < kLowestDpi || dpi > kHighestDpi) dpi = kPrinterDpi;
  PageGeometry page;
  page.dpi = dpi;
  const int across = landscape ? kA4HeightLometric : kA4WidthLometric;
  const int down = landscape ? kA4WidthLometric : kA4HeightLometric;
  page.sheetWidth = ToPixels(across, dpi);
  page.sheetHeight = ToPixels(down, dpi);
  page.offsetX = ToPixels(kBorderLometric, dpi);
  page.offsetY = page.offsetX;
  page.width = page.sheetWidth - 2 * page.offsetX;
  page.height = page.sheetHeight - 2 * page.offsetY;
  page.sheetWidthPoints = across / 254.0 * kPointsPerInch;
  page.sheetHeightPoints = down / 254.0 * kPointsPerInch;
  return page;
}

int PageCaps(const PageGeometry& page, int index)
{
  switch (index) {
    case win::HORZRES: return page.width;
    case win::VERTRES: return page.height;
    case win::HORZSIZE: return ToMillimetres(page.width, page.dpi);
    case win::VERTSIZE: return ToMillimetres(page.height, page.dpi);
    case win::LOGPIXELSX:
    case win::LOGPIXELSY: return page.dpi;
    case win::PHYSICALWIDTH: return page.sheetWidth;
    case win::PHYSICALHEIGHT: return page.sheetHeight;
    case win::PHYSICALOFFSETX: return page.offsetX;
    case win::PHYSICALOFFSETY: return page.offsetY;
    case win::TECHNOLOGY: return win::DT_RASPRINTER;
    default: return -1;
  }
}

}  // namespace vetra::print
