// What the window manager is told about our windows holds once they show their pictures: the
// native window it was told about is the one that shows them.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/ui/tests/screen_fixture.h"

namespace vetra::ui::testing {
namespace {

using namespace win;

using WindowManagerHints = ScreenFixture;

// A property of an X window, as xprop prints it.
std::string XProperty(const std::string& xWindow, const std::string& name)
{
  const std::string command = "xprop -id " + xWindow + " " + name + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  char buffer[512];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  return text;
}

// The window manager learns whose an owned window is, so it keeps it above its owner, also after
// both have shown their first pictures.
TEST_F(WindowManagerHints, AnOwnedWindowIsTheOwnersTransient)
{
  CountingWindow owner, owned;
  ASSERT_TRUE(owner.CreateTop("Owner", CRect(100, 100, 500, 400)));
  ASSERT_TRUE(PumpUntil([&] { return owner.paints > 0; }));
  ASSERT_TRUE(owned.CreateTop("Owned", CRect(150, 150, 350, 300),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0, &owner));
  std::optional<std::string> ownerId, ownedId;
  ASSERT_TRUE(PumpUntil([&] {
    if (!ownerId) ownerId = vetra::testing::WaitForXWindow("Owner", 0ms);
    if (!ownedId) ownedId = vetra::testing::WaitForXWindow("Owned", 0ms);
    return ownerId && ownedId && owned.paints > 0;
  }, 30s));
  char hex[32];
  std::snprintf(hex, sizeof hex, "0x%lx", std::stoul(*ownerId));
  const std::string expected = std::string("window id # ") + hex;
  std::string transientFor;
  EXPECT_TRUE(PumpUntil([&] {
    transientFor = XProperty(*ownedId, "WM_TRANSIENT_FOR");
    return transientFor.find(expected) != std::string::npos;
  }, 5s)) << transientFor << " (owner " << hex << ")";
  owned.DestroyWindow();
  owner.DestroyWindow();
}

}  // namespace
}  // namespace vetra::ui::testing
