#pragma once
// The print-setup dialog of the print dialog's printer button: printer and orientation.

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/cwnd.h"

namespace tolvex {

struct PrinterSettings {
  std::string printer;  // code page 949, as the dialog lists it
  short orientation = 1;  // 1 portrait, 2 landscape
};

// Shows the dialog starting from `current`, offering `printers` (the default one first); the
// choice, or nothing when the user cancels.
std::optional<PrinterSettings> RunPrintSetup(const PrinterSettings& current, const std::vector<std::string>& printers,
                                             win::CWnd* parent);

}  // namespace tolvex
