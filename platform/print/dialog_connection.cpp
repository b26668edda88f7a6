#include "platform/print/dialog_connection.h"

#include "platform/print/printer_catalogue.h"
#include "platform/print/printer_dc.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/printer_catalogue.h"

namespace vetra::print {

void ConnectPrintDialogs()
{
  ui::SetPrinterCatalogue([] {
    std::vector<ui::PrinterInfo> printers;
    for (const PrinterInfo& printer : ListPrinters()) {
      ui::PrinterInfo shown;
      shown.name = printer.name;
      shown.orientation = DefaultDevMode(printer).dmOrientation;
      printers.push_back(std::move(shown));
    }
    return printers;
  });
  ui::SetPrinterDCMaker([](const win::DEVMODE& settings, const win::DEVNAMES& names) -> std::unique_ptr<win::CDC> {
    const std::string& device = names.device.empty() ? win::DevModeName(settings) : names.device;
    return win::CreatePrinterDC(device.c_str(), &settings,
                                names.output.empty() ? nullptr : names.output.c_str());
  });
}

}  // namespace vetra::print
