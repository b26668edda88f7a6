#include "platform/print/printer_catalogue.h"

#include <cstdlib>
#include <string>

#include "platform/base/text.h"
#include "platform/print/cups_queue.h"

namespace vetra::print {

namespace {

bool EnvironmentSays(const char* name, std::string_view value)
{
  const char* set = std::getenv(name);
  return set != nullptr && value == set;
}

bool MayAskCups()
{
  if (HasCupsListerForTests()) return true;
  return !EnvironmentSays("VETRA_HEADLESS", "1") || EnvironmentSays("VETRA_PRINT_CUPS", "1");
}

}  // namespace

std::vector<PrinterInfo> ListPrinters()
{
  std::vector<PrinterInfo> printers;
  PrinterInfo pdf{std::string(kPdfFilePrinter), PrinterKind::PdfFile, false};
  const std::vector<CupsQueue> queues = MayAskCups() ? ListCupsQueues() : std::vector<CupsQueue>{};
  bool haveDefault = false;
  for (const CupsQueue& queue : queues) {
    // A queue that happens to be called "PDF file" would be unreachable behind ours.
    if (EqualsNoCase(queue.name, kPdfFilePrinter)) continue;
    PrinterInfo info{Cp949(queue.name), PrinterKind::Cups, queue.isDefault && !haveDefault};
    haveDefault = haveDefault || info.isDefault;
    if (info.isDefault) {
      printers.insert(printers.begin(), std::move(info));
    } else {
      printers.push_back(std::move(info));
    }
  }
  if (haveDefault) {
    printers.push_back(std::move(pdf));
  } else {
    pdf.isDefault = true;
    printers.insert(printers.begin(), std::move(pdf));
  }
  return printers;
}

PrinterInfo DefaultPrinter()
{
  return ListPrinters().front();
}

std::optional<PrinterInfo> FindPrinter(std::string_view name)
{
  std::vector<PrinterInfo> printers = ListPrinters();
  if (name.empty()) return printers.front();
  for (PrinterInfo& printer : printers) {
    if (EqualsNoCase(printer.name, name)) return std::move(printer);
  }
  // A device mode keeps only the first 31 bytes of a long queue name.
  for (PrinterInfo& printer : printers) {
    if (name.size() == win::CCHDEVICENAME - 1 && EqualsNoCase(CutCp949(printer.name, name.size()), name)) return std::move(printer);
  }
  return std::nullopt;
}

win::DEVMODEA DefaultDevMode(const PrinterInfo& printer)
{
  win::DEVMODEA mode;
  win::SetDevModeName(mode, printer.name);
  return mode;
}

}  // namespace vetra::print
