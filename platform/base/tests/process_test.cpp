#include "platform/base/process.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/file_names.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/text.h"

namespace vetra {
namespace {
namespace fs = std::filesystem;

// Places the reporting child program in the drive under `relative` (a link to the built one).
void InstallChild(const testing::TempDrive& drive, std::string_view relative)
{
  fs::path target = drive / relative;
  fs::create_directories(target.parent_path());
  fs::create_symlink(VETRA_TEST_CHILD_PROGRAM, target);
}

// What the child wrote, waiting a short while for it; nullopt when it never came.
std::optional<std::string> ChildReport(const testing::TempDrive& drive)
{
  fs::path report = drive / "child_command_line.txt";
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code ec;
    if (fs::exists(report, ec)) return testing::ReadWholeFile(report);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return std::nullopt;
}

// True when this process has no child at all, running or zombie.
bool NoChildren()
{
  int status = 0;
  return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

TEST(SplitCommandLine, SeparatesProgramAndRest)
{
  struct Case {
    const char* line;
    const char* program;
    const char* rest;
  };
  const Case cases[] = {
      {"C:\\Vetra\\Fenmark\\Viewer.exe c:\\Vetra\\TempE\\a.htm", "C:\\Vetra\\Fenmark\\Viewer.exe", "c:\\Vetra\\TempE\\a.htm"},
      {"\"C:\\Program Files\\x.exe\" \"a b\"  c ", "C:\\Program Files\\x.exe", "\"a b\"  c "},
      {"  prog.exe  two blanks", "prog.exe", " two blanks"},
      {"prog.exe", "prog.exe", ""},
      {"prog.exe ", "prog.exe", ""},
      {"\"unterminated quote", "unterminated quote", ""},
      {"\"C:\\a b\"x.exe rest", "C:\\a bx.exe", "rest"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    CommandLineParts parts = SplitCommandLine(c.line);
    EXPECT_EQ(parts.program, c.program) << c.line;
    EXPECT_EQ(parts.rest, c.rest) << c.line;
  }
}

TEST(CommandLineText, IsEverythingAfterTheProgramInCp949)
{
  struct Case {
    std::vector<std::string> argv;
    std::string text;
  };
  const Case cases[] = {
      {{"prog"}, ""},
      {{"prog", "\"a b\"  c"}, "\"a b\"  c"},
      {{"prog", "a", "b c"}, "a b c"},
      {{"prog", "c:\\자료\\측정 ℃.osc"}, Cp949("c:\\자료\\측정 ℃.osc")},
      // A Linux file whose name code page 949 cannot spell keeps a spelling that leads back to it.
      {{"prog", "/media/u/café.OSC"}, "/media/u/" + NameFromLinux("café.OSC")},
      {{"prog", "/media/u/\xC0\xFA.OSC"}, "/media/u/" + NameFromLinux("\xC0\xFA.OSC")},
  };
  for (const auto& c : cases) {
    std::vector<std::string> storage = c.argv;
    std::vector<char*> argv;
    for (auto& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);
    EXPECT_EQ(CommandLineText(static_cast<int>(storage.size()), argv.data()), c.text);
  }
}

TEST(CreateProcess, RestOfTheCommandLineReachesTheChildUnchanged)
{
  struct Case {
    const char* install;  // where the child program is placed in the drive
    std::string line;
    std::string expected;
  };
  const Case cases[] = {
      {"Vetra/Fenmark/Viewer.exe", "C:\\Vetra\\Fenmark\\Viewer.exe c:\\Vetra\\TempE\\1234Temp.htm",
       "c:\\Vetra\\TempE\\1234Temp.htm"},
      {"Vetra/Test Bin/Child.exe", "\"C:\\Vetra\\Test Bin\\Child.exe\" \"quoted path\" and  two  blanks ",
       "\"quoted path\" and  two  blanks "},
      {"Vetra/Fenmark/Viewer.exe", "c:\\VETRA\\fenmark\\viewer.EXE  leading blank", " leading blank"},
      {"Vetra/Fenmark/Viewer.exe", Cp949("C:\\Vetra\\Fenmark\\Viewer.exe c:\\Vetra\\자료 ˚Ω％★.htm"),
       Cp949("c:\\Vetra\\자료 ˚Ω％★.htm")},
      {"Vetra/Fenmark/Viewer.exe", "C:\\Vetra\\Fenmark\\Viewer.exe", ""},
      {"Vetra/Fenmark/Viewer.exe", "C:\\Vetra\\Fenmark\\Viewer.exe /media/u/" + NameFromLinux("\xC0\xFA café.OSC"),
       "/media/u/" + NameFromLinux("\xC0\xFA café.OSC")},
  };
  for (const auto& c : cases) {
    testing::TempDrive drive;
    InstallChild(drive, c.install);
    ASSERT_EQ(win::CreateProcessA(c.line), win::TRUE) << c.line;
    EXPECT_EQ(ChildReport(drive), c.expected) << c.line;
  }
  EXPECT_TRUE(NoChildren());
}

TEST(CreateProcess, FailedStartIsReported)
{
  testing::TempDrive drive;
  drive.WriteFile("Vetra/Fenmark/Plain.exe", "not a program");
  drive.WriteFile("Vetra/Fenmark/Script.exe", "not a program either");
  fs::permissions(drive / "Vetra/Fenmark/Script.exe", fs::perms::owner_exec, fs::perm_options::add);
  const char* lines[] = {
      "C:\\Vetra\\Fenmark\\Missing.exe page.htm",  // no such program
      "C:\\Vetra\\Fenmark\\Plain.exe page.htm",    // not executable
      "C:\\Vetra\\Fenmark\\Script.exe page.htm",   // executable but not a program
      "C:\\Vetra\\Fenmark page.htm",               // a folder
      "",
  };
  for (const char* line : lines) EXPECT_EQ(win::CreateProcessA(line), win::FALSE) << line;
  EXPECT_TRUE(NoChildren());
}

TEST(CreateProcess, TestStarterRecordsInsteadOfStarting)
{
  testing::TempDrive drive;
  std::vector<std::string> seen;
  SetProcessStarterForTests([&](const std::string& line) {
    seen.push_back(line);
    return line.find("fail") == std::string::npos;
  });
  EXPECT_EQ(win::CreateProcessA("C:\\Vetra\\Fenmark\\Viewer.exe a b"), win::TRUE);
  EXPECT_EQ(win::CreateProcessA(std::string_view("C:\\fail\0ignored", 15)), win::FALSE);
  SetProcessStarterForTests({});
  EXPECT_EQ(seen, (std::vector<std::string>{"C:\\Vetra\\Fenmark\\Viewer.exe a b", "C:\\fail"}));
  EXPECT_EQ(win::CreateProcessA("C:\\Vetra\\Fenmark\\Viewer.exe a b"), win::FALSE);  // nothing installed
}

}  // namespace
}  // namespace vetra
