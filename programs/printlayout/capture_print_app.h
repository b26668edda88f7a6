#pragma once
// The print-layout program's application object: runs the print dialog modally and ends with it.

#include "platform/ui/app.h"

namespace tolvex {

class CCapturePrintApp : public win::CWinApp {
public:
  CCapturePrintApp() : win::CWinApp("Tolvex") {}
  win::BOOL InitInstance() override;
};

}  // namespace tolvex
