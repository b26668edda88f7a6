// The chooser window against a drive holding the skin set: its buttons, file dialogs and
// conversions, its pictures and cursor, and what it does when pictures are missing.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/savedata/viewer_page.h"
#include "platform/base/clock.h"
#include "platform/base/file_names.h"
#include "platform/base/process.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/idle.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"
#include "programs/chooser/lumbrel_app.h"
#include "programs/chooser/lumbrel_dlg.h"
#include "tools/samples/ignition_sample.h"
#include "tools/samples/osc_sample.h"
#include "tools/samples/roadtest_sample.h"
#include "tools/samples/savedata_sample.h"
#include "tools/samples/scan_sample.h"
#include "tools/skins/skin_set.h"

namespace lumbrel {
namespace {

namespace fs = std::filesystem;
using savedata::ViewerPage;

const std::string kViewerCommand = "C:\\Vetra\\Fenmark\\Viewer.exe c:\\Vetra\\TempE\\ScriptTemp.html";
// The saved-data folder below the drive, as Linux names it.
const std::string kSaveFolder = "Vetra/저장데이터";
const std::string kSkinDir = "Vetra/Fenmark/Img/SaveData/";

// A point inside button 1..5 (all are 264 by 48 in the skin set).
win::POINT InButton(int button) { return {300, ChooserButtons()[static_cast<std::size_t>(button - 1)].topLeft.y + 24}; }
constexpr win::POINT kInClose{420, 450};
constexpr win::POINT kNowhere{40, 300};

// Recordings made by the sample writers, as the recorders store them.
std::string WrittenBy(const std::function<bool(const fs::path&)>& write, const fs::path& scratch)
{
  EXPECT_TRUE(write(scratch));
  return vetra::testing::ReadWholeFile(scratch);
}

class ChooserWindowTest : public ::testing::Test {
protected:
  // The chooser's skin pictures, drawn once and copied onto every test's drive.
  static void SetUpTestSuite()
  {
    vetra::testing::TempDrive skinDrive;
    ASSERT_TRUE(vetra::skins::WriteSkinSet().ok);
    skins = fs::temp_directory_path() / ("chooser-skins-" + std::to_string(::getpid()));
    fs::remove_all(skins);
    fs::copy(skinDrive / kSkinDir, skins, fs::copy_options::recursive);
  }
  static void TearDownTestSuite() { fs::remove_all(skins); }

  void PutSkins() const
  {
    fs::remove_all(drive / kSkinDir);
    fs::create_directories(drive / kSkinDir);
    fs::copy(skins, drive / kSkinDir, fs::copy_options::recursive);
  }

  void SetUp() override
  {
    vetra::ui::ResetForTests();
    vetra::ui::ClearMessageBoxes();
    vetra::ui::ClearFileDialogLog();
    vetra::SetProcessStarterForTests([this](const std::string& commandLine) {
      started.push_back(commandLine);
      return true;
    });
    PutSkins();
    fs::create_directories(drive / kSaveFolder);
    fs::create_directories(drive / "Vetra/Morvit/Record");
    StartUp("");
  }

  void TearDown() override
  {
    window.reset();
    vetra::ui::ResetForTests();
    vetra::SetProcessStarterForTests({});
  }

  CLumbrelDlg& Open()
  {
    window = std::make_unique<CLumbrelDlg>();
    EXPECT_TRUE(window->Create(CLumbrelDlg::ChooserTemplate()));
    window->ShowWindow(win::SW_SHOW);
    vetra::ui::Pump();
    return *window;
  }

  win::COLORREF Pixel(win::POINT p)
  {
    vetra::ui::Pump();
    win::CClientDC dc(window.get());
    return dc.GetPixel(p.x, p.y);
  }

  // Saves a saved-data archive (or, for a road test, the recording itself) below the drive.
  std::string Save(const std::string& relative, const std::string& bytes)
  {
    drive.WriteFile(relative, bytes);
    std::string path = vetra::Cp949("c:\\" + relative);
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }

  std::vector<std::string> WorkingCopies() const
  {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(drive / "Vetra/TempE")) {
      if (entry.path().filename() != "ScriptTemp.html") names.push_back(entry.path().filename().string());
    }
    return names;
  }

  vetra::testing::TempDrive drive;
  std::unique_ptr<CLumbrelDlg> window;
  std::vector<std::string> started;
  static inline fs::path skins;
};

TEST_F(ChooserWindowTest, EachButtonOpensItsDialogConvertsTheChoiceAndStaysOpen)
{
  const fs::path scratch = drive / "scratch";
  vetra::samples::OscOptions osc = vetra::samples::DemoOscOptions();
  osc.steps = 700;
  vetra::samples::IgnitionOptions ig1;
  ig1.kind = vetra::samples::IgnitionKind::Primary;
  ig1.frameCount = 8;
  vetra::samples::IgnitionOptions ig2 = ig1;
  ig2.kind = vetra::samples::IgnitionKind::Secondary;
  vetra::samples::ScanOptions scan;
  scan.itemCount = 4;
  scan.sampleCount = 30;
  vetra::samples::RoadTestOptions road;
  road.channels = 2;
  road.packed = true;

  struct Case {
    int button;
    std::string file;       // below the drive
    std::string recording;  // the recording the working copy must hold
    bool packed;            // kept in a saved-data archive
    std::string folder;     // the dialog's start folder
    std::string filter;     // the filter entry the user picks
    int kind;
    std::string suffix;     // of the working copy
  };
  const std::vector<Case> cases = {
      {1, kSaveFolder + "/engine.OSC", vetra::samples::OscBytes(osc), true, vetra::Cp949("c:\\Vetra\\저장데이터"), "*.OSC", 1, "Temp.Osc"},
      {2, kSaveFolder + "/coil.ig1", WrittenBy([&](const fs::path& p) { return vetra::samples::WriteIgnitionSample(ig1, p); }, scratch), true, vetra::Cp949("c:\\Vetra\\저장데이터"), "*.IG1", 2, "Temp.Ig1"},
      {3, kSaveFolder + "/spark.IG2", WrittenBy([&](const fs::path& p) { return vetra::samples::WriteIgnitionSample(ig2, p); }, scratch), true, vetra::Cp949("c:\\Vetra\\저장데이터"), "*.IG2", 3, "Temp.Ig2"},
      {4, kSaveFolder + "/sensor.HSN", WrittenBy([&](const fs::path& p) { return vetra::samples::WriteScanSample(scan, p); }, scratch), true, vetra::Cp949("c:\\Vetra\\저장데이터"), "*.SCN;*HSN", 4, "Temp.Hsn"},
      {5, "Vetra/Morvit/Record/drive.RES", WrittenBy([&](const fs::path& p) { return vetra::samples::WriteRoadTestSample(road, p); }, scratch), false, "C:\\Vetra\\Morvit\\Record\\", "*.RES;*.DAT", 5, "Temp.Res"},
  };

  CLumbrelDlg& chooser = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    fs::remove_all(drive / "Vetra/TempE");
    fs::create_directories(drive / "Vetra/TempE");
    started.clear();
    const std::string path = Save(c.file, c.packed ? vetra::samples::MakeSaveDataArchive(c.recording) : c.recording);

    vetra::ui::QueueFileDialogAnswer({path, c.filter});
    vetra::ui::Click(chooser, InButton(c.button));

    const vetra::ui::FileDialogRecord& dialog = vetra::ui::FileDialogLog().back();
    EXPECT_TRUE(dialog.open);
    EXPECT_EQ(dialog.filter, ButtonFilter(c.button));
    EXPECT_EQ(dialog.folder, c.folder);
    EXPECT_EQ(dialog.filterIndex, 1);  // the type's own entry lists the file
    const std::vector<std::string> copies = WorkingCopies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_TRUE(copies[0].ends_with(c.suffix)) << copies[0];
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + copies[0]), c.recording);
    EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(c.kind, path, copies[0]));
    EXPECT_EQ(started, std::vector<std::string>{kViewerCommand});
    EXPECT_TRUE(chooser.IsWindowVisible());
    vetra::ui::AdvanceClock(kBusyMs);  // the pause after a chosen file
  }
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
}

// A name typed without its extension opens the file of the chosen type.
TEST_F(ChooserWindowTest, ANameTypedWithoutItsExtensionOpensTheFileOfTheChosenType)
{
  CLumbrelDlg& chooser = Open();
  const std::string path = Save(kSaveFolder + "/engine.OSC", vetra::samples::MakeSaveDataArchive("oscilloscope"));
  vetra::ui::QueueFileDialogAnswer({"engine", ""});
  vetra::ui::Click(chooser, InButton(1));
  EXPECT_EQ(vetra::ui::FileDialogLog().back().path, path);
  ASSERT_EQ(WorkingCopies().size(), 1u);
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(1, path, WorkingCopies()[0]));
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
}

TEST_F(ChooserWindowTest, FiltersOfferTheTypeFirstAndAllSevenSecond)
{
  EXPECT_EQ(vetra::Utf8(ButtonFilter(4)),
            "스캔툴 파일 (*.SCN,*.HSN)|*.SCN;*HSN|기록데이터 (*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT)|"
            "*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT||");
  const std::string allKinds = vetra::Cp949(
      "|기록데이터 (*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT)|*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT||");
  const char* own[] = {"오실로스코프 파일(*.OSC)|*.OSC", "점화1차 파일 (*.IG1)|*.IG1", "점화2차 파일 (*.IG2)|*.IG2",
                       "스캔툴 파일 (*.SCN,*.HSN)|*.SCN;*HSN", "로드텍 파일 (*.RES,*.DAT)|*.RES;*.DAT"};
  for (int button = 1; button <= kButtonCount; ++button) {
    EXPECT_EQ(ButtonFilter(button), vetra::Cp949(own[button - 1]) + allKinds) << button;
  }
}

TEST_F(ChooserWindowTest, TheFileDecidesTheKindNotTheButton)
{
  struct Case {
    std::string file;
    std::string expectedPage;  // empty: nothing is converted
    std::string message;       // UTF-8; empty: none
  };
  CLumbrelDlg& chooser = Open();
  const std::string ig2 = Save(kSaveFolder + "/spark.ig2", vetra::samples::MakeSaveDataArchive("secondary"));
  vetra::ui::QueueFileDialogAnswer({ig2, "*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT"});
  vetra::ui::Click(chooser, InButton(1));
  ASSERT_EQ(WorkingCopies().size(), 1u);
  EXPECT_TRUE(WorkingCopies()[0].ends_with("Temp.Ig2"));
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(3, ig2, WorkingCopies()[0]));
  EXPECT_EQ(vetra::ui::FileDialogLog().back().filterIndex, 2);

  // A file of no known type: the message, and nothing converted.
  vetra::ui::AdvanceClock(kBusyMs);
  started.clear();
  fs::remove_all(drive / "Vetra/TempE");
  fs::create_directories(drive / "Vetra/TempE");
  const std::string notes = Save(kSaveFolder + "/notes.OSCX", "text");
  vetra::ui::QueueFileDialogAnswer({notes, ""});
  vetra::ui::Click(chooser, InButton(1));
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::Utf8(vetra::ui::MessageBoxLog()[0].text), "알 수 없는 파일 형식입니다.");
  EXPECT_TRUE(fs::is_empty(drive / "Vetra/TempE"));
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(chooser.IsWindowVisible());
}

TEST_F(ChooserWindowTest, ARecordingOutsideTheDriveWithANameCodePage949CannotSpellIsShown)
{
  CLumbrelDlg& chooser = Open();
  const fs::path usb = drive.Root().parent_path() / (drive.Root().filename().string() + "-usb");
  fs::create_directories(usb);
  const std::string archive = vetra::samples::MakeSaveDataArchive("oscilloscope");
  {
    std::ofstream(usb / "café.OSC", std::ios::binary) << archive;
  }
  const std::string path = vetra::TextFromLinux((usb / "café.OSC").string());
  vetra::ui::QueueFileDialogAnswer({path, ""});
  vetra::ui::Click(chooser, InButton(1));
  fs::remove_all(usb);
  ASSERT_EQ(WorkingCopies().size(), 1u);
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/" + WorkingCopies()[0]), "oscilloscope");
  EXPECT_EQ(drive.ReadFile("Vetra/TempE/ScriptTemp.html"), ViewerPage(1, path, WorkingCopies()[0]));
  EXPECT_NE(vetra::Utf8(drive.ReadFile("Vetra/TempE/ScriptTemp.html")).find("café.OSC"), std::string::npos);
  EXPECT_TRUE(vetra::ui::MessageBoxLog().empty());
}

TEST_F(ChooserWindowTest, CancelDoesNothingAndAChoiceMakesTheButtonsRestBriefly)
{
  CLumbrelDlg& chooser = Open();
  vetra::ui::Click(chooser, InButton(2));  // nobody answers: cancelled
  ASSERT_EQ(vetra::ui::FileDialogLog().size(), 1u);
  EXPECT_TRUE(vetra::ui::FileDialogLog()[0].path.empty());
  EXPECT_TRUE(fs::is_empty(drive / "Vetra/TempE"));
  EXPECT_TRUE(started.empty());
  EXPECT_FALSE(chooser.IsBusy());

  const std::string osc = Save(kSaveFolder + "/a.osc", vetra::samples::MakeSaveDataArchive("a"));
  vetra::ui::QueueFileDialogAnswer({osc, ""});
  vetra::ui::Click(chooser, InButton(1));
  EXPECT_TRUE(chooser.IsBusy());
  vetra::ui::Click(chooser, InButton(1));  // within the pause: no dialog
  EXPECT_EQ(vetra::ui::FileDialogLog().size(), 2u);
  vetra::ui::AdvanceClock(kBusyMs);
  EXPECT_FALSE(chooser.IsBusy());
  vetra::ui::Click(chooser, InButton(1));
  EXPECT_EQ(vetra::ui::FileDialogLog().size(), 3u);
  EXPECT_EQ(started.size(), 1u);
  EXPECT_TRUE(chooser.IsWindowVisible());
}

TEST_F(ChooserWindowTest, HoverAndPressShowTheirPicturesAndTheHand)
{
  CLumbrelDlg& chooser = Open();
  EXPECT_EQ(chooser.ButtonRect(1), (win::RECT{172, 124, 172 + 264, 124 + 48}));
  const win::POINT face{InButton(1).x, InButton(1).y};
  const win::COLORREF normal = Pixel(face);
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);

  vetra::ui::MoveMouse(chooser, InButton(1));
  EXPECT_EQ(chooser.HoveredButton(), 1);
  const win::COLORREF hover = Pixel(face);
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Hand);

  vetra::ui::Press(chooser, InButton(1));
  EXPECT_EQ(chooser.PressedButton(), 1);
  const win::COLORREF pressed = Pixel(face);
  EXPECT_NE(normal, hover);
  EXPECT_NE(hover, pressed);
  EXPECT_NE(normal, pressed);

  // Held on the close area the pressed picture stays; anywhere else it goes.
  vetra::ui::MoveMouse(chooser, kInClose);
  EXPECT_EQ(chooser.PressedButton(), 1);
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Hand);
  vetra::ui::MoveMouse(chooser, kNowhere);
  EXPECT_EQ(chooser.PressedButton(), 0);
  EXPECT_EQ(chooser.HoveredButton(), 0);
  EXPECT_EQ(Pixel(face), normal);
  EXPECT_EQ(vetra::ui::CurrentCursor(), vetra::ui::CursorShape::Arrow);
  vetra::ui::Release(chooser, kNowhere);

  vetra::ui::Click(chooser, kInClose);
  EXPECT_FALSE(chooser.IsWindowVisible());
  EXPECT_TRUE(vetra::ui::FileDialogLog().empty());
}

// The system menu's about entry shows the about box with its texts and its OK button, centred
// over the chooser; OK closes it.
TEST_F(ChooserWindowTest, TheAboutEntryShowsTheAboutBox)
{
  CLumbrelDlg& chooser = Open();
  std::vector<std::string> shown;
  bool centred = false;
  vetra::ui::WhenIdle([&] {
    const win::HWND about = win::FindWindowA(nullptr, vetra::Cp949("Lumbrel 정보").c_str());
    if (!about) return;
    win::CWnd* box = win::CWnd::FromHandle(about);
    for (win::CWnd* child : box->GetChildren()) {
      if (child->IsWindowVisible()) shown.push_back(child->GetWindowText());
    }
    win::CRect boxRect, chooserRect;
    box->GetWindowRect(&boxRect);
    chooser.GetWindowRect(&chooserRect);
    centred = std::abs(boxRect.CenterPoint().x - chooserRect.CenterPoint().x) <= 1 &&
              std::abs(boxRect.CenterPoint().y - chooserRect.CenterPoint().y) <= 1;
    box->PostMessage(win::WM_COMMAND, win::IDOK);
  });
  chooser.SendMessage(win::WM_SYSCOMMAND, 0x10);
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{vetra::Cp949("Lumbrel 버전 1.0"), vetra::Cp949("저장 데이터 보기"),
                                             vetra::Cp949("확인")}));
  EXPECT_TRUE(centred);
  EXPECT_EQ(win::FindWindowA(nullptr, vetra::Cp949("Lumbrel 정보").c_str()), nullptr);
}

TEST_F(ChooserWindowTest, MissingPicturesAreReportedAndTheWindowGoesOn)
{
  struct Case {
    std::vector<std::string> missing;
    std::vector<std::string> messages;
    std::size_t dialogs;  // opened by a click on button 3
  };
  const std::vector<Case> cases = {
      // Without its pressed picture the button takes its size from its hover picture.
      {{"button_d3.bmp"}, {"m_Ig2ButtonDownBmp Load Error"}, 1},
      {{"interface.bmp", "button_d01.bmp", "button_o01.bmp", "button_d2.bmp", "button_o02.bmp", "button_d3.bmp",
        "button_o03.bmp", "button_d4.bmp", "button_o04.bmp", "button_d5.bmp", "button_o05.bmp"},
       {"m_MainBmp Load Error", "m_OscButtonDownBmp Load Error", "m_OscButtonOverBmp Load Error",
        "m_Ig1ButtonDownBmp Load Error", "m_Ig1ButtonOverBmp Load Error", "m_Ig2ButtonDownBmp Load Error",
        "m_Ig2ButtonOverBmp Load Error", "m_ScnButtonDownBmp Load Error", "m_ScnButtonOverBmp Load Error",
        "m_MorvitButtonDownBmp Load Error", "m_MorvitButtonOverBmp Load Error"},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.messages.front());
    PutSkins();
    for (const std::string& file : c.missing) fs::remove(drive / (kSkinDir + file));
    vetra::ui::ClearMessageBoxes();
    CLumbrelDlg& chooser = Open();
    std::vector<std::string> shown;
    for (const auto& box : vetra::ui::MessageBoxLog()) shown.push_back(box.text);
    EXPECT_EQ(shown, c.messages);
    EXPECT_TRUE(chooser.IsWindowVisible());
    vetra::ui::Click(chooser, InButton(3));  // cancelled when it answers
    EXPECT_EQ(vetra::ui::FileDialogLog().size(), c.dialogs);
    vetra::ui::ClearFileDialogLog();
    window.reset();
  }
  // Without any picture the window keeps its size and shows the fill colour.
  win::CRect rect;
  Open().GetClientRect(&rect);
  EXPECT_EQ(rect.Width(), kSizeWithoutBackground.cx);
  EXPECT_EQ(rect.Height(), kSizeWithoutBackground.cy);
  EXPECT_EQ(Pixel(kNowhere), kChooserBackColor);
}

}  // namespace
}  // namespace lumbrel
