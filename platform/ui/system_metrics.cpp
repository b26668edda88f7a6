#include "platform/ui/system_metrics.h"

#include "platform/ui/window_system.h"

namespace win {

int GetSystemMetrics(int index)
{
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
      return detail::WindowSystem::Get().Display().ScreenSize().cx;
    case SM_CYSCREEN:
      return detail::WindowSystem::Get().Display().ScreenSize().cy;
    case SM_CYFULLSCREEN:
      return detail::WindowSystem::Get().Display().ScreenSize().cy - GetSystemMetrics(SM_CYCAPTION);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CYMENU:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    default:
      return 0;
  }
}

}  // namespace win
