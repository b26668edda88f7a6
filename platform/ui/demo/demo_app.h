#pragma once
// What the demo programs share: the look of their one dialog and an application that shows it
// modally and ends when it closes.

#include <string>
#include <utility>
#include <vector>

#include "platform/base/text.h"
#include "platform/ui/app.h"
#include "platform/ui/dialog.h"

namespace vetra::ui::demo {

// A centred modal dialog in the Korean system font, its size in dialog units.
inline win::DialogTemplate DemoDialogTemplate(std::string title, int width, int height,
                                              std::vector<win::DialogItem> items)
{
  return win::DialogTemplate{
      std::move(title),
      win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU | win::WS_VISIBLE | win::DS_MODALFRAME | win::DS_CENTER,
      0, 0, width, height, Cp949("굴림"), 9, std::move(items)};
}

template <class Dialog>
class DialogApp : public win::CWinApp {
public:
  win::BOOL InitInstance() override
  {
    Dialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    return win::FALSE;
  }
};

}  // namespace vetra::ui::demo
