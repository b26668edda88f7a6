// The Tolvex program run as its own process against a drive, driven by a session script.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/named_mutex.h"
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

  // Runs the program with a script; returns its exit status.
  int Run(const std::string& script, const std::string& arguments = "1 2 3 4") const
  {
    drive.WriteFile("Tolvex.script", script);
    const std::string command = "VETRA_SCRIPT='" + (drive / "Tolvex.script").string() + "' VETRA_PRINT_DIR='" +
                                (drive / "prints").string() + "' '" + TOLVEX_PROGRAM + "' " + arguments + " 2>'" +
                                (drive / "stderr.txt").string() + "'";
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
  std::vector<fs::path> pdfs;
  if (fs::exists(drive / "prints"))
    for (const auto& entry : fs::directory_iterator(drive / "prints")) pdfs.push_back(entry.path());
  ASSERT_EQ(pdfs.size(), 1u);
  const fs::path info = drive / "pdfinfo.txt";
  ASSERT_EQ(std::system(("pdfinfo '" + pdfs[0].string() + "' > '" + info.string() + "'").c_str()), 0);
  const std::string text = vetra::testing::ReadWholeFile(info);
  const auto pages = text.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << text;
  EXPECT_EQ(std::stoi(text.substr(pages + 6)), 1) << text;
  EXPECT_NE(text.find("(A4)"), std::string::npos) << text;
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
