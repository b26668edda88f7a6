#include "controls/roadtest/windows/printer_choice.h"

#include "platform/ui/print_dialog.h"

namespace morvit {

PrinterChoice AskForPrinter(win::CWnd* parent)
{
  win::CPrintDialog dialog(win::FALSE,
                           win::PD_NOSELECTION | win::PD_NOPAGENUMS | win::PD_USEDEVMODECOPIESANDCOLLATE | win::PD_HIDEPRINTTOFILE,
                           parent);
  // The default printer's settings, turned to landscape, are what the dialog shows; without a
  // default printer it shows its own.
  if (dialog.GetDefaults()) {
    if (win::DEVMODE* mode = dialog.GetDevMode()) mode->dmOrientation = win::DMORIENT_LANDSCAPE;
  }
  if (dialog.DoModal() != win::IDOK) return {};
  PrinterChoice choice;
  choice.ok = true;
  choice.printer = dialog.GetDeviceName();
  choice.copies = dialog.GetCopies();
  if (const win::DEVMODE* mode = dialog.GetDevMode()) choice.orientation = mode->dmOrientation;
  return choice;
}

}  // namespace morvit
