// The Tolvex program run as its own process against a drive, driven by a session script.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/named_mutex.h"
#include "platform/base/testing/full_disk.h"
#include "platform/base/testing/temp_drive.h"
#include "programs/printlayout/capture_print_dlg.h"
#include "programs/printlayout/tests/test_pictures.h"
#include "tools/samples/printlayout_sample.h"

namespace tolvex {
namespace {

namespace fs = std::filesystem;

class TolvexProcess : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(vetra::samples::WritePrintLayoutSample({}, drive / "Vetra/Fenmark/Temp"));
    drive.WriteFile("Vetra/Fenmark/Temp/print.bmp", testing::MakeBmp(1017, 708, 32, testing::Pattern));
    const auto button = [](int, int) { return testing::Rgb{200, 200, 200}; };
    drive.WriteFile("Vetra/Fenmark/Img/Print/ok_button.bmp", testing::MakeBmp(52, 24, 24, button));
    drive.WriteFile("Vetra/Fenmark/Img/Print/cancel_button.bmp", testing::MakeBmp(52, 24, 24, button));
  }

  // The one PDF printed, as pdfinfo describes it.
  std::string PrintedPdfInfo() const
  {
    std::vector<fs::path> pdfs;
    if (fs::exists(drive / "prints"))
      for (const auto& entry : fs::directory_iterator(drive / "prints")) pdfs.push_back(entry.path());
    if (pdfs.size() != 1) return "printed " + std::to_string(pdfs.size()) + " files";
    const fs::path info = drive / "pdfinfo.txt";
    if (std::system(("pdfinfo '" + pdfs[0].string() + "' > '" + info.string() + "'").c_str()) != 0) return "pdfinfo failed";
    return vetra::testing::ReadWholeFile(info);
  }

  // Runs the program with a script; returns its exit status.
  int Run(const std::string& script, const std::string& arguments = "1 2 3 4") const
  {
    drive.WriteFile("Tolvex.script", script);
    const std::string command = "VETRA_SCRIPT='" + (drive / "Tolvex.script").string() + "' VETRA_PRINT_DIR='" +
                                (drive / "prints").string() + "' '" + TOLVEX_PROGRAM + "' " + arguments + " 2>'" +
                                (drive / "stderr.txt").string() + "' >'" + (drive / "caption.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Errors() const { return vetra::testing::ReadWholeFile(drive / "stderr.txt"); }

  vetra::testing::TempDrive drive;
};

TEST_F(TolvexProcess, PrintButtonPrintsOneA4PageToThePdfPrinter)
{
  EXPECT_EQ(Run("wait 200\nclick 216 315\nwait 200\n"), 0);
  EXPECT_EQ(Errors().find("[Tolvex]"), std::string::npos) << Errors();  // no message box
  const std::string text = PrintedPdfInfo();
  const auto pages = text.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << text;
  EXPECT_EQ(std::stoi(text.substr(pages + 6)), 1) << text;
  EXPECT_NE(text.find("(A4)"), std::string::npos) << text;
}

TEST_F(TolvexProcess, OnAFullDiskThePrintIsSaidToFailAndTheDialogStaysOpen)
{
  int status = 0;
  {
    const vetra::testing::FullDisk disk(40 * 1024);
    ASSERT_TRUE(disk.Active());
    status = Run("wait 200\nclick 216 315\nwait 200\ncaption\nquit\n");
  }
  EXPECT_EQ(status, 0);  // ended by the script's quit
  const std::string errors = Errors();
  EXPECT_NE(errors.find("print1.bmp"), std::string::npos) << errors;            // the page's copy of the capture
  EXPECT_NE(errors.find("인쇄를 마치지 못했습니다."), std::string::npos) << errors;  // the print itself
  EXPECT_EQ(vetra::testing::ReadWholeFile(drive / "caption.txt"), "프린트\n");  // still open after the click
  EXPECT_EQ(PrintedPdfInfo(), "printed 0 files");
}

TEST_F(TolvexProcess, PrinterChosenInTheSetupIsUsedAsChosen)
{
  const auto button = [](int, int) { return testing::Rgb{200, 200, 200}; };
  drive.WriteFile("Vetra/Fenmark/Img/Print/print_button1.bmp", testing::MakeBmp(88, 96, 24, button));
  EXPECT_EQ(Run("wait 100\nprint ok landscape PDF file\nclick 454 126\nclick 216 315\nwait 200\n"), 0);
  const std::string text = PrintedPdfInfo();
  EXPECT_NE(text.find("841.89 x 595"), std::string::npos) << text;  // A4 across: the portrait default is not applied
}

TEST_F(TolvexProcess, SecondCopyEndsWithoutReadingAnything)
{
  vetra::NamedMutex first(kInstanceMutexName);
  ASSERT_TRUE(first.Held());
  EXPECT_EQ(Run("wait 100\nclick 216 315\n"), 0);
  EXPECT_FALSE(fs::exists(drive / "Vetra/Fenmark/Temp/print1.bmp"));
  EXPECT_FALSE(fs::exists(drive / "prints"));
  EXPECT_EQ(Errors().find("[Tolvex]"), std::string::npos) << Errors();
}

}  // namespace
}  // namespace tolvex
