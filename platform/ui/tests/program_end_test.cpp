// A process that ends through exit() while windows are still up (a library ending it from inside
// the message loop) ends cleanly: every window ends once, while the window system still stands.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/ui/dialog.h"
#include "platform/ui/testing.h"
#include "platform/ui/window_system.h"

namespace {

using namespace win;

TEST(ProgramEnd, ExitWithWindowsStillUpEndsCleanly)
{
  const pid_t child = ::fork();
  if (child == 0) {
    vetra::ui::ResetForTests();
    // Windows the system owns (as a dialog's controls are), a top-level one and its child.
    auto& system = detail::WindowSystem::Get();
    auto top = std::make_unique<CWnd>();
    if (!top->CreateEx(0, "Plain", "left up", WS_POPUP | WS_VISIBLE, CRect(10, 10, 200, 100), nullptr, 0)) std::_Exit(3);
    auto inside = std::make_unique<CWnd>();
    if (!inside->CreateEx(0, "Plain", "inside", WS_CHILD | WS_VISIBLE, CRect(5, 5, 50, 50), top.get(), 1)) std::_Exit(3);
    for (CWnd* wnd : {top.get(), inside.get()}) system.State(wnd->m_hWnd)->systemOwned = true;
    system.AdoptObject(std::move(inside));
    system.AdoptObject(std::move(top));
    std::exit(0);
  }
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
