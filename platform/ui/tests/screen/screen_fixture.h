#pragma once
// What the on-screen tests of the window system share: the SDL back end on the test's private X
// display (scripts/on-screen), and a message loop that runs until a condition holds.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "platform/base/testing/x_input.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/testing.h"
#include "platform/ui/window_system.h"

namespace vetra::ui::testing {

class ScreenFixture : public ::testing::Test {
protected:
  void SetUp() override
  {
    ResetForTests();
    std::unique_ptr<Display> sdl = CreateSdlDisplay();
    ASSERT_TRUE(sdl) << "no X display: run under scripts/on-screen";
    win::detail::WindowSystem::Get().SetDisplay(std::move(sdl));
  }
  void TearDown() override { ResetForTests(); }

  // Runs the message loop (real input, real time) until `done` holds or `timeout` passes;
  // whether it held.
  static bool RunUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds timeout = std::chrono::seconds(15))
  {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      Pump();
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= end) return false;
      win::detail::WindowSystem::Get().WaitForInput();
    }
  }

  // The X window of a top-level window once it is on screen (its picture shown).
  static std::string XWindowOf(win::CWnd& wnd)
  {
    std::optional<std::string> id;
    RunUntil([&] {
      id = vetra::testing::WaitForXWindow(wnd.GetWindowText().c_str(), std::chrono::milliseconds(0));
      return id.has_value();
    });
    return id.value_or("");
  }
};

}  // namespace vetra::ui::testing
