#pragma once
// Where a printed page lies on the sheet: an A4 sheet rastered at a resolution, its printable
// area inside a border the printer cannot reach, in device pixels. At 254 dots per inch one
// MM_LOMETRIC unit (0.1 mm) is one pixel.

#include "platform/base/win_types.h"

namespace vetra::print {

inline constexpr int kPrinterDpi = 254;
inline constexpr int kLowestDpi = 10;
inline constexpr int kHighestDpi = 600;
// A4 in tenths of a millimetre, portrait.
inline constexpr int kA4WidthLometric = 2100;
inline constexpr int kA4HeightLometric = 2970;
// The unprintable border on every side: a sixth of an inch, as laser printers commonly keep.
inline constexpr int kBorderLometric = 42;
inline constexpr double kPointsPerInch = 72.0;

struct PageGeometry {
  int dpi = kPrinterDpi;
  int sheetWidth = 0;   // PHYSICALWIDTH, pixels
  int sheetHeight = 0;  // PHYSICALHEIGHT
  int offsetX = 0;      // PHYSICALOFFSETX: left edge of the printable area
  int offsetY = 0;      // PHYSICALOFFSETY
  int width = 0;        // HORZRES: printable area
  int height = 0;       // VERTRES
  double sheetWidthPoints = 0;   // the sheet in PDF points
  double sheetHeightPoints = 0;
};

// An A4 sheet; `dpi` outside kLowestDpi..kHighestDpi (0 or negative included) means 254.
PageGeometry A4Page(bool landscape, int dpi);

// A device-capability index answered for a printer page (HORZRES, VERTRES, HORZSIZE, VERTSIZE,
// LOGPIXELSX/Y, PHYSICALWIDTH/HEIGHT, PHYSICALOFFSETX/Y); -1 for any other index.
int PageCaps(const PageGeometry& page, int index);

}  // namespace vetra::print
