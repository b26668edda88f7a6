#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/file_names.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"
#include "platform/gdi/draw_log.h"
#include "platform/ui/app.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/file_dialog_folders.h"
#include "platform/ui/idle.h"
#include "platform/ui/input.h"
#include "platform/ui/list_box.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/printer_catalogue.h"
#include "platform/ui/script.h"
#include "platform/ui/testing.h"

namespace {

using namespace win;
using vetra::Cp949;
using vetra::ui::FileFilter;

// The recording filter of the chooser's scan-tool button, exactly as the chooser writes it.
const std::string kScanFilter =
    "Scan (*.SCN,*.HSN)|*.SCN;*HSN|Records (*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT)|"
    "*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT||";
const std::string kOscFilter = "Osc (*.OSC)|*.OSC|Records|*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT||";

TEST(FileFilters, FiltersAreReadAsTheCallersWriteThem)
{
  const struct {
    std::string text;
    std::vector<std::vector<std::string>> patterns;
  } cases[] = {
      {kScanFilter, {{"*.SCN", "*HSN"}, {"*.OSC", "*.IG2", "*.IG1", "*.SCN", "*.HSN", "*.RES", "*.DAT"}}},
      {"JPG File (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP", {{"*.JPG"}, {"*.BMP"}}},  // no closing bars
      {"JPG File (*.JPG)|*.JPG|", {{"*.JPG"}}},
      {"", {}},
  };
  for (const auto& c : cases) {
    const std::vector<FileFilter> filters = vetra::ui::ParseFileFilters(c.text);
    ASSERT_EQ(filters.size(), c.patterns.size()) << c.text;
    for (std::size_t i = 0; i < filters.size(); ++i) EXPECT_EQ(filters[i].patterns, c.patterns[i]) << c.text;
  }
  EXPECT_EQ(vetra::ui::FilterIndexOf(vetra::ui::ParseFileFilters(kScanFilter), "*.scn;*hsn"), 1);
}

TEST(FileFilters, NamesMatchPatternsWithoutRegardToCase)
{
  const struct {
    std::string name;
    std::string pattern;
    bool matches;
  } cases[] = {
      {"x.osc", "*.OSC", true},
      {"X.OSC", "*.osc", true},
      {"x.osc.bak", "*.OSC", false},
      {"x.ig1", "*.OSC", false},
      {"car.HSN", "*HSN", true},  // the pattern without a dot takes any name that ends so
      {"carhsn", "*HSN", true},
      {"car.hsn1", "*HSN", false},
      {Cp949("엔진.osc"), "*.OSC", true},
      {"a1.dat", "a?.DAT", true},
      {Cp949("가.dat"), "?.DAT", true},  // a double-byte character is one character
      {"ab.dat", "a?.DAT", true},
      {"abc.dat", "a?.DAT", false},
      // A character kept from a Linux name is one character however many bytes it took there.
      {vetra::NameFromLinux("café.OSC"), "caf?.OSC", true},
      {vetra::NameFromLinux("café.OSC"), "caf??.OSC", false},
      {vetra::NameFromLinux("a\xF0\x9F\x98\x80.osc"), "a?.OSC", true},   // four bytes
      {vetra::NameFromLinux("\xC0\xFA\xC0\xE5.OSC"), "??.OSC", true},  // 저장 written in code page 949
      {vetra::NameFromLinux("caf\xE9.OSC"), "caf?.OSC", true},          // a byte that is no UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(vetra::ui::MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
  FileFilter all;
  all.patterns = {"*.*"};
  EXPECT_TRUE(vetra::ui::MatchesFilter("README", all));
}

class CommonDialogs : public ::testing::Test {
protected:
  void SetUp() override
  {
    vetra::ui::ResetForTests();
    drive.WriteFile("Vetra/Data/x.osc", "osc");
    drive.WriteFile("Vetra/Data/old.JPG", "jpg");
    drive.WriteFile("Vetra/Data/notes.txt", "txt");
  }
  void TearDown() override
  {
    vetra::ui::ResetForTests();
    vetra::ui::SetPrinterCatalogue(nullptr);
    vetra::ui::SetPrinterDCMaker(nullptr);
    detail::MainWindowSlot() = nullptr;
  }
  vetra::testing::TempDrive drive;
};

TEST_F(CommonDialogs, OpenDialogTakesTheQueuedPathAndFilterAndMovesTheCurrentFolder)
{
  const std::string start = vetra::CurrentDirectory();
  const struct {
    const char* what;
    vetra::ui::FileDialogAnswer answer;
    DWORD flags;
    std::string path;
    int filterIndex;
    bool folderMoves;
    const char* startFolder = "c:\\Vetra\\Data";
  } cases[] = {
      {"drive path and filter", {"c:\\Vetra\\Data\\x.osc", "*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT"}, 0,
       "c:\\Vetra\\Data\\x.osc", 2, true},
      {"name in the start folder, filter found by the name", {"x.osc", ""}, 0, "c:\\Vetra\\Data\\x.osc", 1, true},
      {"start folder written with a closing backslash", {"x.osc", ""}, 0, "C:\\Vetra\\Data\\x.osc", 1, true,
       "C:\\Vetra\\Data\\"},
      {"a file only the second filter lists", {"road.RES", ""}, 0, "c:\\Vetra\\Data\\road.RES", 2, true},
      {"linux path inside the drive", {(drive / "Vetra/Data/x.osc").string(), "*.OSC"}, OFN_NOCHANGEDIR,
       "C:\\Vetra\\Data\\x.osc", 1, false},
      {"name in the root of the Linux file system", {"x.osc", ""}, OFN_NOCHANGEDIR, "/x.osc", 1, false, "/"},
  };
  for (const auto& c : cases) {
    vetra::ChangeCurrentDirectory(start);
    CFileDialog dialog(TRUE, "", "", c.flags, kOscFilter.c_str());
    dialog.m_ofn.lpstrInitialDir = c.startFolder;
    vetra::ui::QueueFileDialogAnswer(c.answer);
    ASSERT_EQ(dialog.DoModal(), IDOK) << c.what;
    EXPECT_EQ(dialog.GetPathName(), c.path) << c.what;
    EXPECT_EQ(static_cast<int>(dialog.m_ofn.nFilterIndex), c.filterIndex) << c.what;
    EXPECT_EQ(vetra::EqualsNoCase(vetra::CurrentDirectory(), "C:\\Vetra\\Data"), c.folderMoves) << c.what;
  }
  CFileDialog root(TRUE, "", "", OFN_NOCHANGEDIR, kOscFilter.c_str());
  vetra::ui::QueueFileDialogAnswer({"/x.osc", ""});
  ASSERT_EQ(root.DoModal(), IDOK);
  EXPECT_EQ(root.GetFolderPath(), "/");
  EXPECT_EQ(vetra::ui::FileDialogLog().front().folder, "c:\\Vetra\\Data");
  EXPECT_EQ(vetra::ui::FileDialogLog().back().title, Cp949("열기"));
}

TEST_F(CommonDialogs, CancelledOrUnansweredDialogChoosesNothing)
{
  const std::string start = vetra::CurrentDirectory();
  CFileDialog dialog(TRUE, "", "", 0, kOscFilter.c_str());
  dialog.m_ofn.lpstrInitialDir = "c:\\Vetra\\Data";
  vetra::ui::QueueFileDialogAnswer({});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // headless with nothing queued
  EXPECT_EQ(dialog.GetPathName(), "");
  EXPECT_EQ(vetra::CurrentDirectory(), start);
  ASSERT_EQ(vetra::ui::FileDialogLog().size(), 2u);
  EXPECT_EQ(vetra::ui::FileDialogLog()[0].path, "");
}

TEST_F(CommonDialogs, SaveDialogAsksBeforeReplacingAFile)
{
  const struct {
    const char* name;
    int answer;  // to the replace question; 0 when none is asked
    INT_PTR result;
  } cases[] = {
      {"new.jpg", 0, IDOK},
      {"old.JPG", IDYES, IDOK},
      {"old.JPG", IDNO, IDCANCEL},
      {"old.jpg", 0, IDCANCEL},  // nobody answers: the file is kept
  };
  for (const auto& c : cases) {
    vetra::ui::ClearMessageBoxes();
    CFileDialog dialog(FALSE, "", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP");
    dialog.m_ofn.lpstrInitialDir = "c:\\Vetra\\Data";
    dialog.m_ofn.lpstrTitle = "File to save as";
    if (c.answer) vetra::ui::QueueMessageBoxAnswer(c.answer);
    vetra::ui::QueueFileDialogAnswer({c.name, "*.BMP"});
    EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
    const bool asked = !vetra::ui::MessageBoxLog().empty();
    EXPECT_EQ(asked, std::string(c.name) != "new.jpg") << c.name;
    if (asked) {
      EXPECT_EQ(vetra::ui::MessageBoxLog().back().caption, "File to save as");
    }
    if (c.result == IDOK) {
      EXPECT_EQ(dialog.GetFileName(), c.name);  // no extension is added
      EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
    }
  }
}

// A name typed without an extension: no default extension adds nothing, an empty one adds the
// chosen filter's, any other adds itself; a name with its own extension keeps it, and a file to
// open that exists as typed is taken as typed.
TEST_F(CommonDialogs, ANameWithoutAnExtensionTakesTheDefaultOne)
{
  drive.WriteFile("Vetra/Data/README", "text");
  const std::string pictures = "JPG File (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP|All (*.*)|*.*||";
  const struct {
    const char* what;
    BOOL open;
    const char* defExt;
    vetra::ui::FileDialogAnswer answer;
    const char* name;
  } cases[] = {
      {"no default extension", FALSE, nullptr, {"road1", ""}, "road1"},
      {"empty: the JPG filter's", FALSE, "", {"road1", "*.JPG"}, "road1.JPG"},
      {"empty: the chosen filter's", FALSE, "", {"road1", "*.BMP"}, "road1.BMP"},
      {"empty: a filter of every file adds nothing", FALSE, "", {"road1", "*.*"}, "road1"},
      {"empty: the name's own extension stays", FALSE, "", {"road1.png", ""}, "road1.png"},
      {"a given one", FALSE, "txt", {"road1", "*.BMP"}, "road1.txt"},
      {"open: the chosen filter's", TRUE, "", {"x", ""}, "x.OSC"},
      {"open: a file that exists as typed", TRUE, "", {"README", ""}, "README"},
  };
  for (const auto& c : cases) {
    CFileDialog dialog(c.open, c.defExt, "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, c.open ? kOscFilter.c_str() : pictures.c_str());
    dialog.m_ofn.lpstrInitialDir = "c:\\Vetra\\Data";
    vetra::ui::QueueFileDialogAnswer(c.answer);
    ASSERT_EQ(dialog.DoModal(), IDOK) << c.what;
    EXPECT_EQ(dialog.GetPathName(), std::string("c:\\Vetra\\Data\\") + c.name) << c.what;
  }
  // The replace question names the file that would be replaced.
  CFileDialog save(FALSE, "", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "JPG File (*.JPG)|*.JPG|");
  save.m_ofn.lpstrInitialDir = "c:\\Vetra\\Data";
  vetra::ui::ClearMessageBoxes();
  vetra::ui::QueueMessageBoxAnswer(IDNO);
  vetra::ui::QueueFileDialogAnswer({"old", ""});
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  ASSERT_EQ(vetra::ui::MessageBoxLog().size(), 1u);
  EXPECT_EQ(vetra::ui::MessageBoxLog()[0].text, "old.JPG" + Cp949("이(가) 이미 있습니다.\n바꾸시겠습니까?"));
}

TEST_F(CommonDialogs, DialogOnScreenListsTheFilesOfTheChosenFilter)
{
  // The dialog window itself, as it shows when nothing is queued on screen.
  std::vector<std::string> shown;
  vetra::ui::WhenIdle([&] {
    CWnd* dialog = CWnd::GetActiveWindow();
    ASSERT_NE(dialog, nullptr);
    auto* entries = dynamic_cast<CListBox*>(dialog->GetDlgItem(1120));
    ASSERT_NE(entries, nullptr);
    for (int i = 0; i < entries->GetCount(); ++i) {
      std::string text;
      entries->GetText(i, text);
      shown.push_back(text);
    }
    entries->SetCurSel(1);  // x.osc
    dialog->SendMessage(WM_COMMAND, MAKELONG(1120, LBN_SELCHANGE), reinterpret_cast<LPARAM>(entries->m_hWnd));
    dialog->SendMessage(WM_COMMAND, IDOK, 0);
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string name;
  ASSERT_TRUE(vetra::ui::RunFileDialogWindow(true, "Open", folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, name, nullptr));
  EXPECT_EQ(shown, (std::vector<std::string>{"[..]", "x.osc"}));
  EXPECT_EQ(name, "x.osc");
  EXPECT_EQ(filterIndex, 1);
}

TEST_F(CommonDialogs, DoubleClickOnAnEntryOpensIt)
{
  // Up to the parent folder, back into Data, then the file: each by a double click on its row.
  drive.WriteFile("Vetra/Data/Sub/y.osc", "osc");
  std::vector<std::string> folders;
  vetra::ui::WhenIdle([&] {
    CWnd* dialog = CWnd::GetActiveWindow();
    ASSERT_NE(dialog, nullptr);
    auto* entries = dynamic_cast<CListBox*>(dialog->GetDlgItem(1120));
    ASSERT_NE(entries, nullptr);
    const auto doubleClick = [&](const std::string& text) {
      const int row = entries->FindStringExact(-1, text.c_str());
      ASSERT_GE(row, 0) << text;
      const int h = entries->GetItemHeight();
      entries->SetTopIndex(row);
      const POINT at{10, (row - entries->GetTopIndex()) * h + h / 2};
      vetra::ui::Click(*entries, at);
      vetra::ui::Click(*entries, at);
    };
    doubleClick("[..]");
    folders.push_back(dialog->GetDlgItem(1137)->GetWindowText());
    doubleClick("[Data]");
    doubleClick("[Sub]");
    folders.push_back(dialog->GetDlgItem(1137)->GetWindowText());
    doubleClick("y.osc");
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string name;
  ASSERT_TRUE(vetra::ui::RunFileDialogWindow(true, "Open", folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, name, nullptr));
  EXPECT_EQ(name, "y.osc");
  EXPECT_EQ(folder, "C:\\Vetra\\Data\\Sub");
  EXPECT_EQ(folders, (std::vector<std::string>{"C:\\Vetra", "C:\\Vetra\\Data\\Sub"}));
}

// What a test reads and does in the file dialog window, as a user at the keyboard would.
struct FileDialogProbe {
  CWnd* dialog;
  std::vector<std::string> Rows() const
  {
    std::vector<std::string> rows;
    auto* entries = dynamic_cast<CListBox*>(dialog->GetDlgItem(1120));
    for (int i = 0; entries && i < entries->GetCount(); ++i) {
      std::string text;
      entries->GetText(i, text);
      rows.push_back(text);
    }
    return rows;
  }
  std::string Folder() const
  {
    std::string text;
    dialog->GetDlgItemText(1137, text);  // the "look in" list shows the folder
    return text;
  }
  std::string Name() const
  {
    std::string text;
    dialog->GetDlgItemText(1152, text);
    return text;
  }
  // Types a name and presses Open.
  void Type(const std::string& text) const
  {
    dialog->SetDlgItemText(1152, text.c_str());
    dialog->SendMessage(WM_COMMAND, IDOK, 0);
  }
  void Choose(const std::string& row) const
  {
    auto* entries = dynamic_cast<CListBox*>(dialog->GetDlgItem(1120));
    entries->SetCurSel(entries->FindStringExact(-1, row.c_str()));
    dialog->SendMessage(WM_COMMAND, MAKELONG(1120, LBN_DBLCLK), reinterpret_cast<LPARAM>(entries->m_hWnd));
  }
};

// A folder of the Linux file system outside drive C, removed afterwards.
struct LinuxFolder {
  explicit LinuxFolder(const vetra::testing::TempDrive& drive)
      : path(drive.Root().parent_path() / (drive.Root().filename().string() + "-linux"))
  {
    std::filesystem::create_directories(path);
  }
  ~LinuxFolder() { std::filesystem::remove_all(path); }
  void Write(const std::string& name) const { std::ofstream(path / name) << "x"; }
  std::filesystem::path path;
};

TEST_F(CommonDialogs, TypedPatternsFilterTypedFoldersOpenAndOnlyAFileEndsTheDialog)
{
  drive.WriteFile("Vetra/Data/rec.IG1", "ig1");
  drive.WriteFile("Vetra/Data/Sub/y.osc", "osc");
  const LinuxFolder outside(drive);
  const std::string cafe = "café.OSC", cp949Bytes = "\xC0\xFA\xC0\xE5.OSC";  // 저장.OSC written in code page 949
  outside.Write(cafe);
  outside.Write(cp949Bytes);
  const std::string outsideSpelled = vetra::TextFromLinux(outside.path.string());
  struct Seen {
    std::vector<std::string> rows;
    std::string folder, name;
    bool open = false;
  };
  std::vector<Seen> seen;
  vetra::ui::WhenIdle([&] {
    const FileDialogProbe probe{CWnd::GetActiveWindow()};
    ASSERT_NE(probe.dialog, nullptr);
    const HWND hwnd = probe.dialog->m_hWnd;
    const auto look = [&] { seen.push_back({probe.Rows(), probe.Folder(), probe.Name(), IsWindow(hwnd) != FALSE}); };
    probe.Type("*.IG1");
    look();
    probe.Type(outside.path.string());  // a Linux folder
    look();
    probe.Type("c:\\vetra\\data\\..\\DATA\\sub");  // a drive folder, spelled loosely
    look();
    probe.Type("none.osc");  // no such file: said, and the dialog stays
    look();
    probe.Type(outsideSpelled + "/" + vetra::NameFromLinux(cp949Bytes));
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string name;
  ASSERT_TRUE(vetra::ui::RunFileDialogWindow(true, "Open", folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, name, nullptr));
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].rows, (std::vector<std::string>{"[..]", "[Sub]", "rec.IG1"}));
  EXPECT_EQ(seen[0].name, "*.IG1");
  EXPECT_TRUE(seen[0].open);
  EXPECT_EQ(seen[1].folder, outsideSpelled);
  EXPECT_EQ(seen[1].rows, (std::vector<std::string>{"[..]", vetra::NameFromLinux(cafe), vetra::NameFromLinux(cp949Bytes)}));
  EXPECT_EQ(seen[2].folder, "C:\\Vetra\\Data\\Sub");  // the folder's own spelling
  EXPECT_EQ(seen[2].rows, (std::vector<std::string>{"[..]", "y.osc"}));
  EXPECT_TRUE(seen[3].open);
  ASSERT_FALSE(vetra::ui::MessageBoxLog().empty());
  EXPECT_NE(vetra::ui::MessageBoxLog().back().text.find(Cp949("파일을 찾을 수 없습니다")), std::string::npos);
  // The chosen file in its folder: its name leads back to the file.
  EXPECT_EQ(folder, outsideSpelled);
  EXPECT_EQ(vetra::MapPath(folder + "/" + name), outside.path / cp949Bytes);
  EXPECT_EQ(vetra::Utf8(name), "저장.OSC");
}

TEST_F(CommonDialogs, NamesTheCodePageCannotSpellAreTypedOrPastedAsTheUserSeesThem)
{
  const LinuxFolder outside(drive);
  outside.Write("café.OSC");
  outside.Write("cafe.OSC");
  const std::string outsideSpelled = vetra::TextFromLinux(outside.path.string());
  const struct {
    bool open;
    bool pasted;
    const char* name;  // as the user types it, and the Linux file it names
  } cases[] = {
      {true, false, "café.OSC"},
      {true, true, "café.OSC"},
      {false, false, "café 2.JPG"},  // a new file, saved
      {false, true, "café 2.JPG"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> patternRows;
    vetra::ui::WhenIdle([&] {
      const FileDialogProbe probe{CWnd::GetActiveWindow()};
      ASSERT_NE(probe.dialog, nullptr);
      if (c.open) {
        vetra::ui::TypeOnDesktop("caf?.OSC");  // one character in place of the é
        vetra::ui::PressKeys("return");
        patternRows = probe.Rows();
      }
      if (c.pasted) {
        vetra::ui::SetClipboardUtf8(c.name);
        vetra::ui::PressKeys("ctrl+v");
      } else {
        vetra::ui::TypeOnDesktop(c.name);
      }
      vetra::ui::PressKeys("return");
    });
    std::string folder = outsideSpelled;
    int filterIndex = 1;
    std::string name;
    const std::string what = std::string(c.open ? "open " : "save ") + (c.pasted ? "pasted " : "typed ") + c.name;
    ASSERT_TRUE(vetra::ui::RunFileDialogWindow(c.open, "File", folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, name, nullptr)) << what;
    EXPECT_EQ(vetra::MapPath(folder + "/" + name), outside.path / c.name) << what;
    if (c.open) {
      EXPECT_EQ(patternRows, (std::vector<std::string>{"[..]", "cafe.OSC", vetra::NameFromLinux("café.OSC")})) << what;
    }
  }
}

TEST_F(CommonDialogs, BackspaceInTheListGoesUpAFolderAndInTheNameBoxEditsTheName)
{
  std::vector<std::string> folders;
  std::string name;
  vetra::ui::WhenIdle([&] {
    const FileDialogProbe probe{CWnd::GetActiveWindow()};
    ASSERT_NE(probe.dialog, nullptr);
    vetra::ui::Type("ab");
    vetra::ui::PressKeys("backspace");
    name = probe.Name();
    folders.push_back(probe.Folder());
    vetra::ui::PressKeys("shift+tab");  // the list
    ASSERT_EQ(CWnd::GetFocus(), probe.dialog->GetDlgItem(1120));
    for (int i = 0; i < 4; ++i) {
      vetra::ui::PressKeys("backspace");
      folders.push_back(probe.Folder());
    }
    probe.dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string fileName;
  EXPECT_FALSE(vetra::ui::RunFileDialogWindow(true, "Open", folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, fileName, nullptr));
  EXPECT_EQ(name, "a");
  // Past the drive's root to the computer, where there is nothing above.
  EXPECT_EQ(folders, (std::vector<std::string>{"C:\\Vetra\\Data", "C:\\Vetra", "C:\\", Cp949("내 컴퓨터"), Cp949("내 컴퓨터")}));
}

TEST(FileDialogFolders, DrivesAreDriveCTheHomeFolderEachMountedMediumAndTheRoot)
{
  vetra::testing::TempDrive drive;
  const LinuxFolder outside(drive);
  for (const char* folder : {"home", "media/kim/USB", "media/CD", "mnt/backup"}) std::filesystem::create_directories(outside.path / folder);
  std::ofstream(outside.path / "mnt/readme") << "not a medium";
  const std::string root = outside.path.string();
  const vetra::ui::MediaFolders media{root + "/home", {root + "/media/kim", root + "/run/media/kim", root + "/media", root + "/mnt"}};
  EXPECT_EQ(vetra::ui::FileDialogDrives(media),
            (std::vector<std::string>{"C:\\", root + "/home", root + "/media/kim/USB", root + "/media/CD", root + "/mnt/backup", "/"}));

  const struct {
    std::string folder, parent;
  } parents[] = {{"C:\\Vetra", "C:\\"}, {"C:\\", ""}, {"/home/kim/", "/home"}, {"/home", "/"}, {"/", ""}, {"", ""}};
  for (const auto& c : parents) EXPECT_EQ(vetra::ui::ParentFolder(c.folder), c.parent) << c.folder;
}

TEST_F(CommonDialogs, UpFolderAndLookInReachTheLinuxDrives)
{
  const LinuxFolder home(drive);
  std::filesystem::create_directories(home.path / "Downloads");
  std::ofstream(home.path / "Downloads/road.RES") << "res";
  const std::string homeSpelled = vetra::TextFromLinux(home.path.string());
  const std::string previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", home.path.c_str(), 1);
  std::vector<std::string> computerRows, lookIn, folders;
  bool upEnabledInComputer = true;
  vetra::ui::WhenIdle([&] {
    const FileDialogProbe probe{CWnd::GetActiveWindow()};
    ASSERT_NE(probe.dialog, nullptr);
    probe.Choose("[..]");  // C:\ ...
    probe.Choose("[..]");  // ... and above it the computer with its drives
    computerRows = probe.Rows();
    folders.push_back(probe.Folder());
    upEnabledInComputer = probe.dialog->GetDlgItem(1141)->IsWindowEnabled();
    probe.Choose("[" + homeSpelled + "]");
    probe.Choose("[Downloads]");
    auto* look = dynamic_cast<CComboBox*>(probe.dialog->GetDlgItem(1137));
    for (int i = 0; i < look->GetCount(); ++i) {
      std::string row;
      look->GetLBText(i, row);
      lookIn.push_back(row);
    }
    probe.dialog->SendMessage(WM_COMMAND, MAKELONG(1141, BN_CLICKED), 0);  // up
    folders.push_back(probe.Folder());
    look->SetCurSel(1);  // drive C
    probe.dialog->SendMessage(WM_COMMAND, MAKELONG(1137, CBN_SELCHANGE), reinterpret_cast<LPARAM>(look->m_hWnd));
    folders.push_back(probe.Folder());
    probe.Type(homeSpelled + "/Downloads/road.RES");
  });
  std::string folder = "c:\\Vetra";
  int filterIndex = 1;
  std::string name;
  const bool chosen = vetra::ui::RunFileDialogWindow(true, "Open", folder, vetra::ui::ParseFileFilters(kScanFilter), filterIndex, name, nullptr);
  ::setenv("HOME", previousHome.c_str(), 1);
  ASSERT_TRUE(chosen);
  EXPECT_THAT(computerRows, ::testing::IsSupersetOf({std::string("[C:\\]"), "[" + homeSpelled + "]", std::string("[/]")}));
  EXPECT_FALSE(upEnabledInComputer);
  // The look-in list: the computer, the drives, and the folders down to this one below its drive.
  ASSERT_GE(lookIn.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(lookIn.begin(), lookIn.begin() + 4),
            (std::vector<std::string>{Cp949("내 컴퓨터"), "C:\\", homeSpelled, homeSpelled + "/Downloads"}));
  EXPECT_EQ(lookIn.back(), "/");
  EXPECT_EQ(folders, (std::vector<std::string>{Cp949("내 컴퓨터"), homeSpelled, "C:\\"}));
  EXPECT_EQ(folder + "/" + name, homeSpelled + "/Downloads/road.RES");
}

TEST_F(CommonDialogs, DroppedTypeListShowsItsLongestEntryWhole)
{
  // The chooser's oscilloscope filter: its all-types entry is far wider than the field.
  const std::string filter = Cp949("오실로스코프 파일(*.OSC)|*.OSC|기록데이터 (*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT)|"
                                   "*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT||");
  int listWidth = 0, textWidth = 0;
  vetra::ui::WhenIdle([&] {
    CWnd* dialog = CWnd::GetActiveWindow();
    ASSERT_NE(dialog, nullptr);
    auto* types = dynamic_cast<CComboBox*>(dialog->GetDlgItem(1136));
    types->ShowDropDown(TRUE);
    ASSERT_NE(types->GetDroppedList(), nullptr);
    CRect list;
    types->GetDroppedList()->GetClientRect(&list);
    listWidth = list.Width();
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(types->GetFont());
    textWidth = dc.GetTextExtent(Cp949("기록데이터 (*.OSC;*.IG2;*.IG1;*.SCN;*.HSN;*.RES;*.DAT)")).cx;
    types->ShowDropDown(FALSE);
    dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string name;
  EXPECT_FALSE(vetra::ui::RunFileDialogWindow(true, "Open", folder, vetra::ui::ParseFileFilters(filter), filterIndex, name, nullptr));
  EXPECT_GT(textWidth, 0);
  EXPECT_GE(listWidth, textWidth + 4);  // the row's margin and the text
}

// The labels and buttons mark the letters Alt reaches them by: the "&" is not shown, the letter
// is underlined.
TEST_F(CommonDialogs, FileDialogLabelsShowTheLettersAltReachesThemBy)
{
  std::vector<std::string> texts;
  int underlines = 0;
  vetra::ui::WhenIdle([&] {
    CWnd* dialog = CWnd::GetActiveWindow();
    ASSERT_NE(dialog, nullptr);
    vetra::gdi::ScopedDrawLog log;
    for (CWnd* child : dialog->GetChildren()) {
      child->Invalidate(FALSE);
      child->UpdateWindow();
    }
    for (const auto& call : log.Calls()) {
      if (call.op == "DrawText") texts.push_back(vetra::Utf8(call.text));
      if (call.op == "LineTo") ++underlines;
    }
    dialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string name;
  EXPECT_FALSE(vetra::ui::RunFileDialogWindow(true, Cp949("열기"), folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, name, nullptr));
  EXPECT_THAT(texts, ::testing::IsSupersetOf({"찾는 위치(I):", "파일 이름(N):", "파일 형식(T):", "열기(O)"}));
  for (const std::string& text : texts) EXPECT_EQ(text.find('&'), std::string::npos) << text;
  EXPECT_GE(underlines, 4);
}

TEST_F(CommonDialogs, AltAndTheMarkedLettersReachTheTypeListLookInNameBoxAndOpen)
{
  std::vector<int> holders;
  vetra::ui::WhenIdle([&] {
    for (const char* key : {"alt+t", "alt+i", "alt+n"}) {
      vetra::ui::PressKeys(key);
      holders.push_back(CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0);
    }
    vetra::ui::PressKeys("x");
    vetra::ui::PressKeys("alt+o");
  });
  std::string folder = "c:\\Vetra\\Data";
  int filterIndex = 1;
  std::string name;
  drive.WriteFile("Vetra/Data/x", "x");
  ASSERT_TRUE(vetra::ui::RunFileDialogWindow(true, Cp949("열기"), folder, vetra::ui::ParseFileFilters(kOscFilter), filterIndex, name, nullptr));
  EXPECT_EQ(holders, (std::vector<int>{1136, 1137, 1152}));
  EXPECT_EQ(name, "x");
}

TEST_F(CommonDialogs, PrintDialogOnScreenOffersTheCatalogueOrientationAndCopies)
{
  vetra::ui::SetPrinterCatalogue([] {
    return std::vector<vetra::ui::PrinterInfo>{{"Office", "cups", "ipp", 1, 9}, {"PDF file", "vetra-pdf", "FILE:", 1, 9}};
  });
  std::vector<std::string> printers;
  vetra::ui::WhenIdle([&] {
    CWnd* dialog = CWnd::GetActiveWindow();
    ASSERT_NE(dialog, nullptr);
    auto* choice = dynamic_cast<CComboBox*>(dialog->GetDlgItem(1139));
    ASSERT_NE(choice, nullptr);
    for (int i = 0; i < choice->GetCount(); ++i) {
      std::string name;
      choice->GetLBText(i, name);
      printers.push_back(name + (i == choice->GetCurSel() ? " *" : ""));
    }
    choice->SetCurSel(0);
    dialog->CheckDlgButton(1056, BST_UNCHECKED);
    dialog->CheckDlgButton(1057, BST_CHECKED);
    dialog->SetDlgItemText(1154, "3");
    dialog->SendMessage(WM_COMMAND, IDOK, 0);
  });
  vetra::ui::PrintChoice choice;
  choice.printer = "PDF file";
  ASSERT_TRUE(vetra::ui::RunPrintDialogWindow(false, choice, nullptr));
  EXPECT_EQ(printers, (std::vector<std::string>{"Office", "PDF file *"}));
  EXPECT_EQ(choice.printer, "Office");
  EXPECT_EQ(choice.orientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(choice.copies, 3);
}

// Landscape is chosen with the keyboard alone: Tab reaches the orientation group, an arrow moves
// the check, Return confirms; in the print dialog Tab then goes on to the copies.
TEST_F(CommonDialogs, PrintDialogsChooseTheOrientationByKeyboard)
{
  vetra::ui::SetPrinterCatalogue([] { return std::vector<vetra::ui::PrinterInfo>{{"PDF file", "vetra-pdf", "FILE:", 1, 9}}; });
  for (const bool setup : {true, false}) {
    SCOPED_TRACE(setup ? "print setup" : "print");
    int afterTab = 0;
    vetra::ui::WhenIdle([&] {
      for (const char* key : {"tab", "right"}) vetra::ui::PressKeys(key);
      afterTab = CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0;
      if (!setup) {
        vetra::ui::PressKeys("tab");
        EXPECT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), 1154);  // the copies
      }
      vetra::ui::PressKeys("return");
    });
    vetra::ui::PrintChoice choice;
    choice.printer = "PDF file";
    ASSERT_TRUE(vetra::ui::RunPrintDialogWindow(setup, choice, nullptr));
    EXPECT_EQ(afterTab, 1057);
    EXPECT_EQ(choice.orientation, DMORIENT_LANDSCAPE);
  }
}

// The copies step from the number in their box, typed or not: the arrow keys in the box and the
// arrows beside it.
TEST_F(CommonDialogs, PrintDialogCopiesStepFromTheTypedNumber)
{
  vetra::ui::SetPrinterCatalogue([] { return std::vector<vetra::ui::PrinterInfo>{{"PDF file", "vetra-pdf", "FILE:", 1, 9}}; });
  const struct {
    const char* name;
    std::function<void(CWnd&)> step;
    int copies;
  } cases[] = {
      {"up arrow in the box", [](CWnd&) { vetra::ui::PressKeys("up"); }, 4},
      {"down arrow in the box", [](CWnd&) { vetra::ui::PressKeys("down"); }, 2},
      {"upper arrow beside it",
       [](CWnd& dialog) {
         CRect arrows;
         dialog.GetDlgItem(1155)->GetWindowRect(&arrows);
         const CPoint upper(arrows.CenterPoint().x, arrows.top + 2);
         vetra::ui::InjectButton(upper, 0, true);
         vetra::ui::InjectButton(upper, 0, false);
       },
       4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    vetra::ui::WhenIdle([&] {
      CWnd* dialog = CWnd::GetActiveWindow();
      ASSERT_NE(dialog, nullptr);
      dialog->GetDlgItem(1154)->SetFocus();
      dialog->SendDlgItemMessage(1154, EM_SETSEL, 0, -1);
      vetra::ui::InjectText("3");
      c.step(*dialog);
      vetra::ui::PressKeys("return");
    });
    vetra::ui::PrintChoice choice;
    choice.printer = "PDF file";
    ASSERT_TRUE(vetra::ui::RunPrintDialogWindow(false, choice, nullptr));
    EXPECT_EQ(choice.copies, c.copies);
  }
}

TEST_F(CommonDialogs, DefaultPrinterAndPrintDialogAnswers)
{
  PRINTDLG query;
  query.Flags = PD_RETURNDEFAULT;
  ASSERT_TRUE(PrintDlg(&query));
  DEVMODE* settings = GlobalLock(query.hDevMode);
  ASSERT_NE(settings, nullptr);
  EXPECT_STREQ(settings->dmDeviceName, vetra::ui::kPdfPrinterName);
  EXPECT_EQ(settings->dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_TRUE(vetra::ui::PrintDialogLog().empty());  // nothing was shown

  // The road-test report: landscape preset, then the dialog.
  settings->dmOrientation = DMORIENT_LANDSCAPE;
  CPrintDialog print(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE);
  print.m_pd.hDevMode = query.hDevMode;
  vetra::ui::QueuePrintDialogAnswer({true, "", 2, 0});
  ASSERT_EQ(print.DoModal(), IDOK);
  EXPECT_EQ(print.GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(print.GetCopies(), 2);
  EXPECT_EQ(print.GetDeviceName(), vetra::ui::kPdfPrinterName);
  EXPECT_EQ(print.DoModal(), IDCANCEL);  // nothing queued
  vetra::ui::QueuePrintDialogAnswer({false});
  EXPECT_EQ(print.DoModal(), IDCANCEL);

  // Print setup picks another printer of the catalogue.
  vetra::ui::SetPrinterCatalogue([] {
    return std::vector<vetra::ui::PrinterInfo>{{"Office", "cups", "ipp", 1, 9}, {"PDF file", "vetra-pdf", "FILE:", 1, 9}};
  });
  CPrintDialog setup(TRUE);
  ASSERT_TRUE(setup.GetDefaults());
  EXPECT_EQ(setup.GetDeviceName(), "Office");
  vetra::ui::QueuePrintDialogAnswer({true, "pdf FILE", 0, DMORIENT_LANDSCAPE});
  ASSERT_EQ(setup.DoModal(), IDOK);
  EXPECT_EQ(setup.GetDeviceName(), "PDF file");
  EXPECT_EQ(setup.GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_TRUE(vetra::ui::PrintDialogLog().back().setup);

  // The printing layer makes the device context with the settings chosen.
  std::vector<std::string> made;
  vetra::ui::SetPrinterDCMaker([&](const DEVMODE& chosen, const DEVNAMES& names) {
    made.push_back(vetra::Format("%s %s %d", names.device.c_str(), chosen.dmOrientation == DMORIENT_LANDSCAPE ? "landscape" : "portrait", chosen.dmCopies));
    auto dc = std::make_unique<CDC>();
    dc->CreateCompatibleDC(nullptr);
    return dc;
  });
  CPrintDialog report(FALSE, PD_USEDEVMODECOPIESANDCOLLATE);
  vetra::ui::QueuePrintDialogAnswer({true, "Office", 2, DMORIENT_LANDSCAPE});
  ASSERT_EQ(report.DoModal(), IDOK);
  EXPECT_NE(report.GetPrinterDC(), nullptr);
  EXPECT_NE(report.CreatePrinterDC(), nullptr);
  EXPECT_EQ(made, (std::vector<std::string>{"Office landscape 2", "Office landscape 2"}));
  vetra::ui::SetPrinterDCMaker(nullptr);

  vetra::ui::SetPrinterCatalogue([] { return std::vector<vetra::ui::PrinterInfo>{}; });
  PRINTDLG none;
  none.Flags = PD_RETURNDEFAULT;
  EXPECT_FALSE(PrintDlg(&none));
  EXPECT_EQ(none.hDevMode, nullptr);
}

// Opens a file dialog and then a print dialog when clicked, as the programs do.
class Opener : public CWnd {
public:
  void OnLButtonUp(UINT, CPoint) override
  {
    CFileDialog dialog(TRUE, "", "", 0, kScanFilter.c_str(), this);
    dialog.m_ofn.lpstrInitialDir = "c:\\Vetra\\Data";
    if (dialog.DoModal() == IDOK) chosen.push_back(dialog.GetPathName() + vetra::Format(" %d", dialog.m_ofn.nFilterIndex));
    CPrintDialog print(FALSE);
    if (print.DoModal() == IDOK) chosen.push_back(vetra::Format("copies %d", print.GetCopies()));
  }
  std::vector<std::string> chosen;
};

TEST_F(CommonDialogs, SessionScriptAnswersFileAndPrintDialogs)
{
  Opener window;
  ASSERT_TRUE(window.CreateEx(0, "Opener", "Opener", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
  detail::MainWindowSlot() = &window;
  vetra::ui::StartSessionScript(vetra::ui::SessionScript(
      "file c:\\Vetra\\Data\\car.HSN *.SCN;*HSN\n"
      "print 3 landscape PDF file\n"
      "click 10 10\n"
      "file cancel\n"
      "print cancel\n"
      "click 10 10\n"
      "file x.osc\n"
      "click 10 10\n"
      "quit\n",
      "dialogs.script"));
  while (AfxPumpMessage()) {
  }
  EXPECT_EQ(window.chosen, (std::vector<std::string>{"c:\\Vetra\\Data\\car.HSN 1", "copies 3", "c:\\Vetra\\Data\\x.osc 2"}));
  EXPECT_EQ(vetra::ui::PrintDialogLog().front().orientation, DMORIENT_LANDSCAPE);
}

}  // namespace
