// The display changes the process's environment for a moment as it starts (to keep SDL's own
// input-method client off the desktop, to keep GIO off the desktop's file-system daemon).
// setenv and unsetenv are unsafe while another thread may read the environment, and the
// desktop's input-method client runs GLib threads (its connection, its file monitor) once it
// exists: so the environment must change while the process has no other thread. The calls are
// watched here on their way to the C library.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/ui/display_factory.h"
#include "platform/ui/testing.h"

namespace {

std::atomic<bool> g_watching{false};  // while the display starts
std::atomic<int> g_changes{0};
std::atomic<int> g_mostThreads{0};

int ThreadsOfProcess()
{
  int count = 0;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator("/proc/self/task", error); !error && it != std::filesystem::directory_iterator();
       it.increment(error)) {
    ++count;
  }
  return count;
}

void NoteChange()
{
  if (!g_watching) return;
  ++g_changes;
  const int threads = ThreadsOfProcess();
  int most = g_mostThreads.load();
  while (threads > most && !g_mostThreads.compare_exchange_weak(most, threads)) {
  }
}

template <typename Function>
Function Next(const char* name)
{
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int setenv(const char* name, const char* value, int overwrite)
{
  static const auto real = Next<int (*)(const char*, const char*, int)>("setenv");
  NoteChange();
  return real(name, value, overwrite);
}

extern "C" int unsetenv(const char* name)
{
  static const auto real = Next<int (*)(const char*)>("unsetenv");
  NoteChange();
  return real(name);
}

namespace vetra::ui::testing {
namespace {

TEST(EnvironmentOnScreen, TheDisplayChangesTheEnvironmentOnlyWhileNoOtherThreadRuns)
{
  ASSERT_NE(std::getenv("VETRA_TEST_IBUS_PID"), nullptr) << "runs with the desktop's input-method daemon";
  ASSERT_EQ(ThreadsOfProcess(), 1) << "the test starts with the process's only thread";
  ResetForTests();
  g_watching = true;
  std::unique_ptr<Display> display = CreateSdlDisplay();
  g_watching = false;
  ASSERT_TRUE(display) << "no X display: run under scripts/on-screen";
  // Our own input-method client runs, so SDL was kept from starting one.
  EXPECT_GT(g_changes.load(), 0);
  EXPECT_EQ(g_mostThreads.load(), 1);
  display.reset();
  ResetForTests();
}

}  // namespace
}  // namespace vetra::ui::testing
