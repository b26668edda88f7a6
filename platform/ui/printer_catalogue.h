#pragma once
// The printers the print dialogs offer. The printing layer installs its catalogue (the system's
// printers and the PDF file printer) and the maker of printer device contexts; until it does,
// one printer is offered: "PDF file", and no device context can be made.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/cdc.h"

namespace win {
struct DEVMODE;
struct DEVNAMES;
}  // namespace win

namespace vetra::ui {

inline constexpr const char* kPdfPrinterName = "PDF file";

struct PrinterInfo {
  std::string name;    // code page 949, unique
  std::string driver;
  std::string port;
  short orientation = 1;  // DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE: the printer's own default
  short paperSize = 9;    // DMPAPER_A4
};

// Lists the printers, the default printer first; an empty list means there is no printer.
using PrinterCatalogue = std::function<std::vector<PrinterInfo>()>;
void SetPrinterCatalogue(PrinterCatalogue catalogue);
std::vector<PrinterInfo> AvailablePrinters();

// Makes the device context of a printer with the settings chosen in a print dialog; null when
// it cannot be made.
using PrinterDCMaker = std::function<std::unique_ptr<win::CDC>(const win::DEVMODE& settings, const win::DEVNAMES& names)>;
void SetPrinterDCMaker(PrinterDCMaker maker);
std::unique_ptr<win::CDC> MakePrinterDC(const win::DEVMODE& settings, const win::DEVNAMES& names);

}  // namespace vetra::ui
