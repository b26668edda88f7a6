#pragma once
// What the control tests share: a window system reset around each test, a log for what the
// windows are told, and the colour a window shows on the composed screen.

#include <gtest/gtest.h>

#include "platform/gdi/display.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"
#include "platform/ui/tests/probe.h"

namespace vetra::ui::testing {

class WindowFixture : public ::testing::Test {
protected:
  void SetUp() override { ResetForTests(); }
  void TearDown() override { ResetForTests(); }

  // The colour on screen at a client point of a window, after everything is painted.
  static win::COLORREF ScreenColor(win::CWnd& wnd, win::POINT client)
  {
    win::detail::PaintAll();
    gdi::ComposeScreen();
    wnd.ClientToScreen(&client);
    return gdi::ColorrefFromPixel(gdi::Screen()->Get(client.x, client.y));
  }

  MessageLog log;
};

}  // namespace vetra::ui::testing
