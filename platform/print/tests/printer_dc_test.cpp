#include "platform/print/printer_dc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/clock.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/gdi/draw_log.h"
#include "platform/print/devmode_block.h"
#include "platform/print/cups_queue.h"
#include "platform/print/tests/pdf_probe.h"

namespace win {
namespace {

namespace fs = std::filesystem;
using vetra::print::testing::FilesIn;
using vetra::print::testing::PdfPageSizes;
using vetra::print::testing::RenderPdfPage;

constexpr double kA4Short = 595.276;
constexpr double kA4Long = 841.89;
constexpr long kRed = 0xFF0000;
constexpr long kBlue = 0x0000FF;
constexpr long kWhite = 0xFFFFFF;

DEVMODEA Settings(short orientation, short dpi, short copies = 1)
{
  DEVMODEA mode;
  mode.dmOrientation = orientation;
  mode.dmPrintQuality = dpi;
  mode.dmCopies = copies;
  return mode;
}

// A filled rectangle in MM_LOMETRIC units (y upwards, the page below y 0).
void FillLometric(CDC& dc, int left, int top, int right, int bottom, COLORREF color)
{
  const RECT rect{left, top, right, bottom};
  dc.FillSolidRect(&rect, color);
}

// The colour at a page position given in MM_LOMETRIC units, on a page rendered at one pixel
// per millimetre: the printable area starts 4.2 mm into the sheet. Scaling down may leave a
// channel a step off full, so each channel is rounded to 0 or 255.
long ColourAt(const vetra::print::testing::RenderedPage& page, int x, int y)
{
  const long colour = page.At((42 + x) / 10, (42 - y) / 10);
  if (colour < 0) return colour;
  long clean = 0;
  for (int shift : {16, 8, 0}) clean |= (((colour >> shift) & 0xFF) >= 128 ? 0xFFL : 0L) << shift;
  return clean;
}

class PrinterDc : public ::testing::Test {
protected:
  PrinterDc() { vetra::PinWallClockForTests(1'800'000'000); }
  ~PrinterDc() override
  {
    vetra::PinWallClockForTests(std::nullopt);
    vetra::print::SetCupsListerForTests({});
    vetra::print::SetCupsSubmitterForTests({});
    ::unsetenv("VETRA_PRINT_DIR");
  }

  fs::path PrintFolder() const { return m_drive / "Vetra/Prints"; }

  vetra::testing::TempDrive m_drive;
};

TEST_F(PrinterDc, TwoPagesGoIntoOnePdfWithEachDrawingInItsPlace)
{
  DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 50);
  auto dc = CreatePrinterDC("PDF file", &mode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSX), 50);
  dc->SetMapMode(MM_LOMETRIC);
  ASSERT_GT(dc->StartDoc("Vetra"), 0);
  ASSERT_GT(dc->StartPage(), 0);
  FillLometric(*dc, 500, -500, 1000, -1000, RGB(255, 0, 0));
  ASSERT_GT(dc->EndPage(), 0);
  ASSERT_GT(dc->StartPage(), 0);
  FillLometric(*dc, 1000, -2000, 1500, -2500, RGB(0, 0, 255));
  ASSERT_GT(dc->EndPage(), 0);
  ASSERT_GT(dc->EndDoc(), 0);

  const std::vector<fs::path> files = FilesIn(PrintFolder());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(dc->OutputPath(), files.front());
  EXPECT_EQ(files.front().extension(), ".pdf");
  EXPECT_EQ(files.front().filename().string().rfind("Vetra 20", 0), 0u) << files.front();
  const auto sizes = PdfPageSizes(files.front());
  ASSERT_EQ(sizes.size(), 2u);
  for (const auto& size : sizes) {
    EXPECT_NEAR(size.width, kA4Short, 0.5);
    EXPECT_NEAR(size.height, kA4Long, 0.5);
  }
  const auto first = RenderPdfPage(files.front(), 1, 25.4);
  const auto second = RenderPdfPage(files.front(), 2, 25.4);
  // The renderer rounds the sheet up to whole pixels.
  ASSERT_NEAR(first.width, 210, 1);
  ASSERT_NEAR(first.height, 297, 1);
  EXPECT_EQ(ColourAt(first, 750, -750), kRed);
  EXPECT_EQ(ColourAt(first, 450, -750), kWhite);
  EXPECT_EQ(ColourAt(first, 750, -1050), kWhite);
  EXPECT_EQ(ColourAt(first, 1250, -2250), kWhite);
  // Each page starts white: the first page's drawing is not on the second.
  EXPECT_EQ(ColourAt(second, 750, -750), kWhite);
  EXPECT_EQ(ColourAt(second, 1250, -2250), kBlue);
}

TEST_F(PrinterDc, LandscapeTurnsTheSheet)
{
  DEVMODEA mode = Settings(DMORIENT_LANDSCAPE, 254);
  auto dc = CreatePrinterDC("PDF file", &mode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc.get(), HORZRES), 2886);
  EXPECT_EQ(GetDeviceCaps(dc.get(), VERTRES), 2016);
  EXPECT_EQ(dc->GetDeviceCaps(PHYSICALWIDTH), 2970);
  ASSERT_GT(dc->StartDoc("Quillon"), 0);
  dc->StartPage();
  dc->SetMapMode(MM_LOMETRIC);
  FillLometric(*dc, 2500, -1500, 2800, -1900, RGB(255, 0, 0));
  dc->EndPage();
  ASSERT_GT(dc->EndDoc(), 0);

  const auto sizes = PdfPageSizes(dc->OutputPath());
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_NEAR(sizes[0].width, kA4Long, 0.5);
  EXPECT_NEAR(sizes[0].height, kA4Short, 0.5);
  const auto page = RenderPdfPage(dc->OutputPath(), 1, 25.4);
  ASSERT_NEAR(page.width, 297, 1);
  EXPECT_EQ(ColourAt(page, 2650, -1700), kRed);
  EXPECT_EQ(ColourAt(page, 2650, -1400), kWhite);
}

TEST_F(PrinterDc, DrawingStaysInsideThePrintableArea)
{
  DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 50);
  auto dc = CreatePrinterDC("PDF file", &mode);
  dc->StartDoc("Vetra");
  dc->StartPage();
  FillLometric(*dc, -1000, 1000, 100000, -100000, RGB(0, 0, 255));
  dc->EndPage();
  ASSERT_GT(dc->EndDoc(), 0);
  const auto page = RenderPdfPage(dc->OutputPath(), 1, 25.4);
  // Page pixels 1 mm in from the sheet's edges, and its middle.
  EXPECT_EQ(ColourAt(page, 630, 32), kWhite);
  EXPECT_EQ(ColourAt(page, -32, -1500), kWhite);
  EXPECT_EQ(ColourAt(page, 2038, -2908), kWhite);
  EXPECT_EQ(ColourAt(page, 1050, -1500), kBlue);
}

TEST_F(PrinterDc, CopiesArePagesInAFileAndAnOptionForAQueue)
{
  std::vector<vetra::print::CupsJob> jobs;
  std::vector<std::size_t> pagesSent;
  vetra::print::SetCupsListerForTests([] { return std::vector<vetra::print::CupsQueue>{{"Laser", true}}; });
  vetra::print::SetCupsSubmitterForTests([&](const vetra::print::CupsJob& job) {
    jobs.push_back(job);
    pagesSent.push_back(PdfPageSizes(job.pdf).size());
    return true;
  });
  for (const char* printer : {"PDF file", "Laser"}) {
    DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30, 3);
    auto dc = CreatePrinterDC(printer, &mode);
    ASSERT_NE(dc, nullptr) << printer;
    ASSERT_GT(dc->StartDoc("Vetra"), 0);
    dc->StartPage();
    dc->EndPage();
    ASSERT_GT(dc->EndDoc(), 0) << printer;
  }
  const std::vector<fs::path> files = FilesIn(PrintFolder());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(PdfPageSizes(files.front()).size(), 3u);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].queue, "Laser");
  EXPECT_EQ(jobs[0].copies, 3);
  EXPECT_TRUE(jobs[0].collate);
  EXPECT_EQ(jobs[0].titleUtf8, "Vetra");
  EXPECT_EQ(pagesSent, std::vector<std::size_t>{1});
  EXPECT_FALSE(fs::exists(jobs[0].pdf)) << "the spooled copy is removed";
}

TEST_F(PrinterDc, CopiesInAFileFollowTheCollateSetting)
{
  struct Case {
    short collate;
    std::vector<long> expected;  // the colour of each page of the file
  };
  const Case cases[] = {
      {DMCOLLATE_TRUE, {kRed, kBlue, kRed, kBlue}},
      {DMCOLLATE_FALSE, {kRed, kRed, kBlue, kBlue}},
  };
  for (const Case& c : cases) {
    DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 20, 2);
    mode.dmCollate = c.collate;
    auto dc = CreatePrinterDC("PDF file", &mode);
    dc->StartDoc("Vetra");
    for (const COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
      dc->StartPage();
      dc->SetMapMode(MM_LOMETRIC);
      FillLometric(*dc, 0, 0, 2000, -2800, colour);
      dc->EndPage();
    }
    ASSERT_GT(dc->EndDoc(), 0) << c.collate;
    std::vector<long> colours;
    for (int page = 1; page <= static_cast<int>(PdfPageSizes(dc->OutputPath()).size()); ++page) {
      colours.push_back(ColourAt(RenderPdfPage(dc->OutputPath(), page, 25.4), 1000, -1000));
    }
    EXPECT_EQ(colours, c.expected) << "collate " << c.collate;
    EXPECT_EQ(FilesIn(dc->OutputPath().parent_path()).size(), 1u) << "only the PDF is left";
    fs::remove(dc->OutputPath());
  }
}

TEST_F(PrinterDc, ADefaultCupsQueueIsTheDefaultPrinter)
{
  vetra::print::SetCupsListerForTests([] { return std::vector<vetra::print::CupsQueue>{{"Laser", true}}; });
  bool refused = false;
  vetra::print::SetCupsSubmitterForTests([&](const vetra::print::CupsJob&) { return !(refused = true); });
  auto dc = CreatePrinterDC(nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->Printer().name, "Laser");
  dc->StartDoc("Vetra");
  dc->StartPage();
  EXPECT_EQ(dc->EndDoc(), SP_ERROR) << "a refused job is a failed document";
  EXPECT_TRUE(refused);
  EXPECT_TRUE(FilesIn(PrintFolder()).empty());
}

TEST_F(PrinterDc, AnUnfinishedDocumentLeavesNothing)
{
  struct Case {
    const char* what;
    int (*finish)(std::unique_ptr<CPrinterDC>&);
    int expected;
  };
  const Case cases[] = {
      {"aborted", [](std::unique_ptr<CPrinterDC>& dc) { return dc->AbortDoc(); }, 1},
      {"aborted through the handle", [](std::unique_ptr<CPrinterDC>& dc) { return AbortDoc(dc.get()); }, 1},
      {"DC destroyed", [](std::unique_ptr<CPrinterDC>& dc) { dc.reset(); return 1; }, 1},
  };
  for (const Case& c : cases) {
    DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30);
    auto dc = CreatePrinterDC("PDF file", &mode);
    ASSERT_GT(dc->StartDoc("Vetra"), 0) << c.what;
    dc->StartPage();
    FillLometric(*dc, 0, 0, 100, 100, RGB(255, 0, 0));
    dc->EndPage();
    dc->StartPage();
    EXPECT_EQ(c.finish(dc), c.expected) << c.what;
    EXPECT_TRUE(FilesIn(PrintFolder()).empty()) << c.what;
  }
}

TEST_F(PrinterDc, OperationsOutOfTurnFail)
{
  DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30);
  auto dc = CreatePrinterDC("PDF file", &mode);
  EXPECT_EQ(dc->StartPage(), SP_ERROR);
  EXPECT_EQ(dc->EndPage(), SP_ERROR);
  EXPECT_EQ(dc->EndDoc(), SP_ERROR);
  EXPECT_EQ(dc->AbortDoc(), SP_ERROR);
  ASSERT_GT(dc->StartDoc("Vetra"), 0);
  EXPECT_EQ(dc->StartDoc("Vetra"), SP_ERROR);
  EXPECT_EQ(dc->EndPage(), SP_ERROR);
  ASSERT_GT(dc->StartPage(), 0);
  EXPECT_EQ(dc->StartPage(), SP_ERROR);
  // Ending the document ends the open page.
  EXPECT_GT(dc->EndDoc(), 0);
  EXPECT_EQ(PdfPageSizes(dc->OutputPath()).size(), 1u);

  CDC memory;
  memory.CreateCompatibleDC(nullptr);
  DOCINFOA info;
  EXPECT_EQ(StartDoc(&memory, &info), SP_ERROR);
  EXPECT_EQ(EndDoc(nullptr), SP_ERROR);
  EXPECT_EQ(CreatePrinterDC("No such printer", nullptr), nullptr);
}

TEST_F(PrinterDc, WhereTheFileGoes)
{
  m_drive.WriteFile("Out/keep.txt", "x");
  struct Case {
    const char* what;
    const char* printDir;    // VETRA_PRINT_DIR below the drive, or null
    const char* dcOutput;    // CreateDC's output
    const char* docOutput;   // DOCINFO's lpszOutput
    const char* expected;    // below the drive; a trailing '/' means "a new file in that folder"
  };
  const Case cases[] = {
      {"the drive's print folder", nullptr, nullptr, nullptr, "Vetra/Prints/"},
      {"the folder the environment names", "Elsewhere", nullptr, nullptr, "Elsewhere/"},
      {"the DC's output file", nullptr, "c:\\OUT\\dc.pdf", nullptr, "Out/dc.pdf"},
      {"the document's output file", nullptr, "c:\\Out\\dc.pdf", "c:\\out\\doc.pdf", "Out/doc.pdf"},
  };
  for (const Case& c : cases) {
    if (c.printDir) ::setenv("VETRA_PRINT_DIR", (m_drive / c.printDir).c_str(), 1);
    DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30);
    auto dc = CreatePrinterDC("PDF file", &mode, c.dcOutput);
    DOCINFOA info;
    info.lpszDocName = "Vetra";
    info.lpszOutput = c.docOutput;
    ASSERT_GT(dc->StartDoc(&info), 0) << c.what;
    dc->StartPage();
    dc->EndPage();
    ASSERT_GT(dc->EndDoc(), 0) << c.what;
    const std::string expected = c.expected;
    if (expected.back() == '/') {
      EXPECT_EQ(dc->OutputPath().parent_path(), m_drive / expected.substr(0, expected.size() - 1)) << c.what;
    } else {
      EXPECT_EQ(dc->OutputPath(), m_drive / expected) << c.what;
    }
    EXPECT_EQ(PdfPageSizes(dc->OutputPath()).size(), 1u) << c.what;
    ::unsetenv("VETRA_PRINT_DIR");
  }
}

TEST_F(PrinterDc, ADocumentThatCannotBeWrittenDoesNotStart)
{
  DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30);
  auto dc = CreatePrinterDC("PDF file", &mode, "c:\\Missing\\report.pdf");
  EXPECT_EQ(dc->StartDoc("Vetra"), SP_ERROR);
  EXPECT_FALSE(fs::exists(m_drive / "Missing"));
}

TEST_F(PrinterDc, SameNameTwiceGetsANumber)
{
  for (int i = 0; i < 2; ++i) {
    DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30);
    auto dc = CreatePrinterDC("PDF file", &mode);
    dc->StartDoc("Vetra");
    dc->StartPage();
    ASSERT_GT(dc->EndDoc(), 0);
  }
  std::vector<std::string> names;
  for (const fs::path& file : FilesIn(PrintFolder())) names.push_back(file.filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_NE(names[0].find(" (2).pdf"), std::string::npos) << names[0];
}

TEST_F(PrinterDc, SettingsChangedInALockedBlockReachTheDc)
{
  GlobalMemory block = DevModeBlock(vetra::print::DefaultDevMode(vetra::print::DefaultPrinter()));
  DEVMODEA* mode = LockDevMode(block);
  ASSERT_NE(mode, nullptr);
  mode->dmOrientation = DMORIENT_LANDSCAPE;
  block.Unlock();
  auto dc = CreatePrinterDC(DevModeName(*mode).c_str(), mode);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(dc->GetDeviceCaps(HORZRES), 2886);
  EXPECT_EQ(dc->GetDeviceCaps(VERTRES), 2016);

  GlobalMemory tooSmall = GlobalAlloc(GHND, 8);
  EXPECT_EQ(LockDevMode(tooSmall), nullptr);
}

TEST_F(PrinterDc, TheJobIsInTheDrawLog)
{
  vetra::gdi::ScopedDrawLog log;
  DEVMODEA mode = Settings(DMORIENT_PORTRAIT, 30);
  auto dc = CreatePrinterDC("PDF file", &mode);
  dc->StartDoc("Quillon");
  dc->StartPage();
  dc->MoveTo(0, 0);
  dc->EndPage();
  dc->EndDoc();
  std::vector<std::string> steps;
  for (const auto& call : log.Calls()) {
    if (call.dc == "Printer") steps.push_back(call.op + (call.text.empty() ? "" : " " + call.text));
  }
  EXPECT_EQ(steps, (std::vector<std::string>{"StartDoc Quillon", "StartPage", "MoveTo", "EndPage", "EndDoc"}));
}

}  // namespace
}  // namespace win
