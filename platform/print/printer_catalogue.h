#pragma once
// The printers the system offers: the CUPS print queues and "PDF file", which writes the pages
// into a PDF file (see print_output.h for where). The list always holds "PDF file"; the default
// printer comes first (CUPS's default queue, else "PDF file").
//
// Tests never reach a real printer: in a headless run (VETRA_HEADLESS=1) CUPS is asked only when
// VETRA_PRINT_CUPS=1 is set too, or when a test has put its own queue list in place.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/print/print_types.h"

namespace vetra::print {

inline constexpr std::string_view kPdfFilePrinter = "PDF file";

enum class PrinterKind { PdfFile, Cups };

struct PrinterInfo {
  std::string name;  // code page 949, as shown in the print dialogs and kept in DEVMODE
  PrinterKind kind = PrinterKind::PdfFile;
  bool isDefault = false;
};

std::vector<PrinterInfo> ListPrinters();
PrinterInfo DefaultPrinter();
// The printer of that name (case does not matter); an empty name is the default printer.
std::optional<PrinterInfo> FindPrinter(std::string_view name);

// A printer's own settings: its name, portrait, A4, one copy, 254 dots per inch.
win::DEVMODEA DefaultDevMode(const PrinterInfo& printer);

}  // namespace vetra::print
