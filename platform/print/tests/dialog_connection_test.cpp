#include "platform/print/dialog_connection.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/base/testing/temp_drive.h"
#include "platform/print/printer_dc.h"
#include "platform/print/tests/pdf_probe.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/printer_catalogue.h"

namespace vetra::print {
namespace {

TEST(DialogConnection, DialogsOfferThePrintersAndMakeRealPrinterContexts)
{
  vetra::testing::TempDrive drive;
  ::setenv("VETRA_PRINT_DIR", (drive / "prints").c_str(), 1);
  ConnectPrintDialogs();

  std::vector<ui::PrinterInfo> printers = ui::AvailablePrinters();
  ASSERT_FALSE(printers.empty());
  EXPECT_EQ(printers.front().name, kPdfFilePrinter);

  win::DEVMODE settings = DefaultDevMode(DefaultPrinter());
  settings.dmOrientation = win::DMORIENT_LANDSCAPE;
  win::DEVNAMES names;
  names.device = printers.front().name;
  std::unique_ptr<win::CDC> dc = ui::MakePrinterDC(settings, names);
  auto* printer = dynamic_cast<win::CPrinterDC*>(dc.get());
  ASSERT_NE(printer, nullptr);
  ASSERT_GT(printer->StartDoc("report"), 0);
  printer->StartPage();
  printer->EndPage();
  ASSERT_GT(printer->EndDoc(), 0);

  auto files = testing::FilesIn(drive / "prints");
  ASSERT_EQ(files.size(), 1u);
  auto pages = testing::PdfPageSizes(files.front());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_GT(pages.front().width, pages.front().height);  // landscape reached the printer
  ::unsetenv("VETRA_PRINT_DIR");
  ui::SetPrinterCatalogue({});
  ui::SetPrinterDCMaker({});
}

}  // namespace
}  // namespace vetra::print
