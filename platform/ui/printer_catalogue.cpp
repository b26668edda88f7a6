#include "platform/ui/printer_catalogue.h"

#include "platform/ui/print_dialog.h"

namespace vetra::ui {

namespace {

std::vector<PrinterInfo> PdfOnly()
{
  PrinterInfo pdf;
  pdf.name = kPdfPrinterName;
  pdf.driver = "vetra-pdf";
  pdf.port = "FILE:";
  return {pdf};
}

PrinterCatalogue& Catalogue()
{
  static PrinterCatalogue catalogue = PdfOnly;
  return catalogue;
}

PrinterDCMaker& Maker()
{
  static PrinterDCMaker maker;
  return maker;
}

}  // namespace

void SetPrinterCatalogue(PrinterCatalogue catalogue) { Catalogue() = catalogue ? std::move(catalogue) : PdfOnly; }

std::vector<PrinterInfo> AvailablePrinters() { return Catalogue()(); }

void SetPrinterDCMaker(PrinterDCMaker maker) { Maker() = std::move(maker); }

std::unique_ptr<win::CDC> MakePrinterDC(const win::DEVMODE& settings, const win::DEVNAMES& names)
{
  return Maker() ? Maker()(settings, names) : nullptr;
}

}  // namespace vetra::ui
