#pragma once
// The print dialog of the printed report: the default printer preset to landscape, then the
// user's choice of printer and copies.
#include <string>

#include "platform/ui/cwnd.h"

namespace morvit {

struct PrinterChoice {
  bool ok = false;       // false: no printer, or the dialog was cancelled
  std::string printer;   // code page 949
  int copies = 1;
  short orientation = 2; // landscape unless the user changed it
};

PrinterChoice AskForPrinter(win::CWnd* parent);

}  // namespace morvit
