#include "platform/ui/system_colors.h"

#include <array>

#include "platform/gdi/gdi_wrappers.h"

namespace win {

COLORREF GetSysColor(int index)
{
  switch (index) {
    case COLOR_SCROLLBAR: return RGB(212, 208, 200);
    case COLOR_BACKGROUND: return RGB(58, 110, 165);
    case COLOR_ACTIVECAPTION: return RGB(10, 36, 106);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(212, 208, 200);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(212, 208, 200);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(64, 64, 64);
    case COLOR_3DLIGHT: return RGB(212, 208, 200);
    default: return RGB(0, 0, 0);
  }
}

HBRUSH GetSysColorBrush(int index)
{
  static std::array<HBRUSH, 32> brushes{};
  if (index < 0 || index >= static_cast<int>(brushes.size())) return nullptr;
  if (!brushes[static_cast<std::size_t>(index)]) brushes[static_cast<std::size_t>(index)] = CreateSolidBrush(GetSysColor(index));
  return brushes[static_cast<std::size_t>(index)];
}

}  // namespace win
