#pragma once
// The chooser program as a dialog program: with a saved-data file on its command line it converts
// it without showing a window and ends with the conversion's status; without one it runs the
// chooser window until the user closes it.

#include "platform/ui/app.h"

namespace lumbrel {

class CLumbrelApp : public win::CWinApp {
public:
  CLumbrelApp() : win::CWinApp("Lumbrel") {}
  win::BOOL InitInstance() override;
};

}  // namespace lumbrel
