// A desktop whose session bus takes connections and never answers (a frozen dbus-daemon), with the
// input-method daemon running and GIO offered a file-system daemon client that asks the session
// bus as it starts, as gvfs on most desktops does: the display starts all the same. It runs in a
// process of its own, which an alarm ends should it hang.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/base/testing/silent_server.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/testing.h"

namespace vetra::ui::testing {
namespace {

bool DisplayStartsOnASilentSessionBus()
{
  const vetra::testing::TempDrive folder;
  const std::string bus = (folder / "bus").string();
  setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + bus).c_str(), 1);
  setenv("GIO_EXTRA_MODULES", SESSION_BUS_VFS_FOLDER, 1);
  const vetra::testing::SilentServer silentBus(bus);
  if (!silentBus.Listening()) return false;
  alarm(10);
  ResetForTests();
  const std::unique_ptr<Display> display = CreateSdlDisplay();
  return display != nullptr;
}

TEST(SilentSessionBusOnScreen, TheDisplayStartsBesideTheInputMethodDaemon)
{
  ASSERT_NE(std::getenv("VETRA_TEST_IBUS_PID"), nullptr) << "runs with the desktop's input-method daemon";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::_Exit(DisplayStartsOnASilentSessionBus() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vetra::ui::testing
