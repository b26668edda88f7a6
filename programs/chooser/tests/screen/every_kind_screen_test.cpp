// On screen (SDL under Xvfb), as a user meets the product: a drive laid out by vetra-setup, the
// chooser started bare, one button per kind and its file dialog, then the page viewer with the
// kind's viewer in it. Each viewer is looked at through a session script; the oscilloscope's
// print button goes on to the print layout and its report.

#include <gtest/gtest.h>
#include <png.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "programs/chooser/tests/screen/program_runs.h"

namespace lumbrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using program_runs::RunShell;
using program_runs::WaitFor;

// The colours of a PNG, 0xRRGGBB row by row; empty when it cannot be read.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};
Picture ReadPng(const fs::path& path)
{
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) picture.pixels.push_back((rgb[i] << 16) | (rgb[i + 1] << 8) | rgb[i + 2]);
  return picture;
}

TEST(EveryKindOnScreen, TheChooserOpensEachKindInItsViewerAndTheOscilloscopeReportIsPrinted)
{
  ASSERT_NE(std::getenv("VETRA_TEST_ON_SCREEN"), nullptr) << "runs under scripts/on-screen";
  vetra::testing::TempDrive drive;
  ASSERT_EQ(RunShell("'" VETRA_SETUP_PROGRAM "' --build '" VETRA_BUILD_FOLDER "' >/dev/null"), 0);
  const fs::path reports = drive / "reports";
  fs::create_directories(reports);

  const struct {
    int button;  // 1..5, top to bottom
    const char* file;
    const char* caption;
    bool print;
  } kinds[] = {
      {1, "Sample.OSC", "Vetra 기록관리 : Sample.OSC - Viewer", true},
      {2, "Sample.IG1", "Vetra 기록관리 : Sample.IG1 - Viewer", false},
      {3, "Sample.IG2", "Vetra 기록관리 : Sample.IG2 - Viewer", false},
      {4, "Sample.SCN", "Vetra 기록관리 : Sample.SCN - Viewer", false},
      {5, "Sample.RES", "Vetra 기록관리 : Sample.RES - Viewer", false},
  };
  struct Road {
    fs::path shot;
    fs::path output;
  };
  std::vector<Road> roads;
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.file);
    const std::string folder = "scripts-" + std::to_string(kind.button);
    const Road road{drive / (std::string("viewer-") + kind.file + ".png"), drive / (std::string("output-") + kind.file + ".txt")};
    roads.push_back(road);
    // The chooser: its button for the kind (buttons stand 60 pixels apart), the file in the
    // folder its dialog opens in; it ends once the viewer is on its way.
    drive.WriteFile(folder + "/Lumbrel.script", "wait 500\nfile " + std::string(kind.file) + "\nclick 200 " +
                                                    std::to_string(140 + 60 * (kind.button - 1)) + "\nwait 500\nquit\n");
    // The viewer: its caption once the page is in, then (the page sets the viewer going 500 ms
    // after loading) a look and, for the oscilloscope, its print button.
    drive.WriteFile(folder + "/Viewer.script", "wait 1000\ncaption\nwait 4000\nscreenshot " + road.shot.string() + "\n" +
                                                   (kind.print ? "click 54 87\nwait 8000\n" : "") + "quit\n");
    // The print layout: OK in the print dialog, should one come, and its print button.
    drive.WriteFile(folder + "/Tolvex.script", "wait 2000\nprint ok\nclick 223 315\nwait 4000\nquit\n");

    const int status = RunShell("VETRA_PRINT_DIR='" + reports.string() + "' VETRA_SCRIPT='" + (drive / folder).string() +
                                "/' '" LUMBREL_PROGRAM "' >'" + road.output.string() + "' 2>&1");
    ASSERT_EQ(status, 0) << vetra::testing::ReadWholeFile(road.output);
    // The viewer runs on by itself (its output goes where the chooser's went). Once its caption
    // shows it has read the chooser's page, and the next kind may go while it works.
    EXPECT_TRUE(WaitFor([&] { return vetra::testing::ReadWholeFile(road.output).find(kind.caption) != std::string::npos; }, 90s))
        << vetra::testing::ReadWholeFile(road.output);
  }
  for (std::size_t i = 0; i < roads.size(); ++i) {
    SCOPED_TRACE(kinds[i].file);
    const Road& road = roads[i];
    ASSERT_TRUE(WaitFor([&] { return fs::exists(road.shot) && fs::file_size(road.shot) > 0; }, 90s))
        << vetra::testing::ReadWholeFile(road.output);
    std::this_thread::sleep_for(300ms);  // written whole
    const Picture picture = ReadPng(road.shot);
    ASSERT_GE(picture.width, 1017);
    ASSERT_GE(picture.height, 708);
    // The viewer's surface is drawn: its page area holds a picture of many colours, not a blank.
    std::set<std::uint32_t> colours;
    for (int y = picture.height - 700; y < picture.height; ++y) {
      for (int x = 0; x < 1017; ++x) colours.insert(picture.pixels[static_cast<std::size_t>(y) * picture.width + x]);
    }
    EXPECT_GT(colours.size(), 16u);
  }
  EXPECT_TRUE(WaitFor([&] {
    for (const auto& entry : fs::directory_iterator(reports)) {
      if (entry.path().extension() == ".pdf" && vetra::testing::ReadWholeFile(entry.path()).starts_with("%PDF-")) return true;
    }
    return false;
  }, 90s)) << "no report was printed";
  // The road's programs end by their scripts before the drive goes.
  WaitFor([&] { return RunShell("pgrep -f '" + (drive / "Vetra/Fenmark").string() + "' >/dev/null") != 0; }, 60s);
}

}  // namespace
}  // namespace lumbrel
