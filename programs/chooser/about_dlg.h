#pragma once
// The chooser's about box, opened from its system menu.

#include "platform/ui/dialog.h"

namespace lumbrel {

class CAboutDlg : public win::CDialog {
public:
  explicit CAboutDlg(win::CWnd* parent = nullptr);
  static win::DialogTemplate AboutTemplate();
};

}  // namespace lumbrel
