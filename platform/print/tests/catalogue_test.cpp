#include "platform/print/printer_catalogue.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/base/testing/silent_server.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/print/cups_connection.h"
#include "platform/print/cups_queue.h"

namespace vetra::print {
namespace {

std::vector<std::string> Names(const std::vector<PrinterInfo>& printers)
{
  std::vector<std::string> names;
  for (const PrinterInfo& p : printers) names.push_back(p.name + (p.isDefault ? "*" : ""));
  return names;
}

class Catalogue : public ::testing::Test {
protected:
  ~Catalogue() override
  {
    SetCupsListerForTests({});
    ::unsetenv("VETRA_PRINT_CUPS");
  }
};

TEST_F(Catalogue, OrdersQueuesDefaultFirstAndAlwaysOffersPdfFile)
{
  struct Case {
    const char* what;
    std::vector<CupsQueue> queues;
    std::vector<std::string> expected;  // "*" marks the default
  };
  const Case cases[] = {
      {"no queues", {}, {"PDF file*"}},
      {"queues without a default", {{"Laser", false}, {"Ink", false}}, {"PDF file*", "Laser", "Ink"}},
      {"a default queue", {{"Laser", false}, {"Office", true}}, {"Office*", "Laser", "PDF file"}},
      {"two queues claim the default", {{"A", true}, {"B", true}}, {"A*", "B", "PDF file"}},
      {"a queue named like ours", {{"pdf FILE", true}, {"Laser", false}}, {"PDF file*", "Laser"}},
  };
  for (const Case& c : cases) {
    SetCupsListerForTests([&] { return c.queues; });
    EXPECT_EQ(Names(ListPrinters()), c.expected) << c.what;
    EXPECT_EQ(DefaultPrinter().name + "*", c.expected.front()) << c.what;
  }
}

TEST_F(Catalogue, FindsPrintersByNameWhateverTheCase)
{
  SetCupsListerForTests([] { return std::vector<CupsQueue>{{"Office_Laser_Printer_Second_Floor_East", true}}; });
  EXPECT_EQ(FindPrinter("")->name, "Office_Laser_Printer_Second_Floor_East");
  EXPECT_EQ(FindPrinter("pdf file")->kind, PrinterKind::PdfFile);
  EXPECT_EQ(FindPrinter("office_laser_printer_second_floor_east")->kind, PrinterKind::Cups);
  // The name a device mode keeps: its first 31 bytes.
  const win::DEVMODEA mode = DefaultDevMode(*FindPrinter(""));
  EXPECT_EQ(win::DevModeName(mode), "Office_Laser_Printer_Second_Flo");
  EXPECT_EQ(FindPrinter(win::DevModeName(mode))->name, "Office_Laser_Printer_Second_Floor_East");
  EXPECT_FALSE(FindPrinter("Nowhere").has_value());
}

TEST_F(Catalogue, DefaultSettingsArePortraitA4OneCopy)
{
  const win::DEVMODEA mode = DefaultDevMode(*FindPrinter("PDF file"));
  EXPECT_EQ(win::DevModeName(mode), "PDF file");
  EXPECT_EQ(mode.dmOrientation, win::DMORIENT_PORTRAIT);
  EXPECT_EQ(mode.dmPaperSize, win::DMPAPER_A4);
  EXPECT_EQ(mode.dmCopies, 1);
  EXPECT_EQ(mode.dmPrintQuality, 254);
}

TEST_F(Catalogue, WithoutACupsServerOnlyPdfFileIsOffered)
{
  const testing::TempDrive drive;
  // Ask the real library, pointed at a server socket that does not exist.
  ::setenv("VETRA_PRINT_CUPS", "1", 1);
  const std::string socket = (drive.Root() / "no-cupsd.sock").string();
  cupsSetServer(socket.c_str());
  EXPECT_EQ(Names(ListPrinters()), std::vector<std::string>{"PDF file*"});
  cupsSetServer(nullptr);
}

TEST_F(Catalogue, ACupsServerThatNeverAnswersLeavesOnlyPdfFileWithinTheLimit)
{
  using namespace std::chrono_literals;
  const testing::TempDrive drive;
  const testing::SilentServer cups(drive / "cupsd.sock");
  ASSERT_TRUE(cups.Listening());
  ::setenv("VETRA_PRINT_CUPS", "1", 1);
  cupsSetServer(cups.Path().c_str());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Names(ListPrinters()), std::vector<std::string>{"PDF file*"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, CupsConnection::kSilenceLimit + 3s);
  const int asked = cups.Connections();
  EXPECT_GE(asked, 1);
  // A print dialog asks for the list more than once; the server that just kept silent is not
  // waited for again each time.
  EXPECT_EQ(DefaultPrinter().name, "PDF file");
  EXPECT_EQ(cups.Connections(), asked);
  cupsSetServer(nullptr);
}

}  // namespace
}  // namespace vetra::print
