#include "programs/printlayout/print_setup.h"

#include <algorithm>
#include <cstring>

#include "platform/ui/print_dialog.h"
#include "platform/ui/printer_catalogue.h"

namespace tolvex {

std::optional<PrinterSettings> RunPrintSetup(const PrinterSettings& current, const std::vector<std::string>& printers,
                                             win::CWnd* parent)
{
  vetra::ui::SetPrinterCatalogue([printers] {
    std::vector<vetra::ui::PrinterInfo> list;
    for (const auto& name : printers) {
      vetra::ui::PrinterInfo info;
      info.name = name;
      list.push_back(info);
    }
    return list;
  });
  win::CPrintDialog dialog(win::TRUE,
                           win::PD_ALLPAGES | win::PD_USEDEVMODECOPIES | win::PD_NOPAGENUMS | win::PD_HIDEPRINTTOFILE | win::PD_NOSELECTION,
                           nullptr);
  auto settings = std::make_shared<win::DEVMODE>();
  const std::size_t length = std::min<std::size_t>(current.printer.size(), win::CCHDEVICENAME - 1);
  std::memcpy(settings->dmDeviceName, current.printer.data(), length);
  settings->dmOrientation = current.orientation;
  dialog.m_pd.hDevMode = settings;
  dialog.m_pd.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
  if (dialog.DoModal() != win::IDOK) return std::nullopt;
  PrinterSettings chosen;
  chosen.printer = dialog.GetDeviceName();
  if (const win::DEVMODE* mode = dialog.GetDevMode()) chosen.orientation = mode->dmOrientation;
  return chosen;
}

}  // namespace tolvex
