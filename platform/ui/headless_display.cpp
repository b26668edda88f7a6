// The headless display: a virtual screen of 1024 by 768 and a virtual clock. When a message loop
// has nothing to do it runs the next idle action or script step, or lets virtual time run to the
// next timer, and quits once the program has been idle for the headless limit.

#include <algorithm>
#include <iostream>

#include "platform/base/clock.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/display_factory.h"
#include "platform/ui/idle.h"
#include "platform/ui/script.h"

namespace vetra::ui {

namespace {

class HeadlessDisplay final : public Display {
public:
  HeadlessDisplay()
  {
    UseVirtualClock(true);
    RestartHeadlessLimit();
  }

  bool IsHeadless() const override { return true; }
  win::SIZE ScreenSize() const override { return {1024, 768}; }

  void Wait(std::optional<std::uint64_t> nextTimerDue) override
  {
    if (RunIdleAction()) {
      // Wakes the loop that waits, so that a modal loop the action ended (EndDialog) returns
      // even when the action left no message behind.
      win::PostMessage(nullptr, win::WM_NULL);
      return;
    }
    if (SessionScript* script = ActiveSessionScript()) {
      const SessionScript::Step step = script->Next();
      if (step.kind == SessionScript::Step::Kind::Ran) return;
      if (step.kind == SessionScript::Step::Kind::WaitUntil) {
        AdvanceVirtualClockTo(nextTimerDue ? std::min(*nextTimerDue, step.until) : step.until);
        return;
      }
      StopSessionScript();
      RestartHeadlessLimit();
      return;
    }
    const std::uint64_t deadline = HeadlessDeadline();
    if (nextTimerDue && *nextTimerDue <= deadline) {
      AdvanceVirtualClockTo(*nextTimerDue);
      return;
    }
    AdvanceVirtualClockTo(deadline);
    std::cerr << "headless: idle for " << HeadlessLimitMs() << " ms, quitting\n";
    win::PostQuitMessage(0);
    RestartHeadlessLimit();
  }
};

}  // namespace

std::unique_ptr<Display> CreateHeadlessDisplay() { return std::make_unique<HeadlessDisplay>(); }

std::unique_ptr<Display> CreateDefaultDisplay()
{
  const char* headless = std::getenv("VETRA_HEADLESS");
  if (headless && *headless && std::string(headless) != "0") return CreateHeadlessDisplay();
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(x && *x) && !(wayland && *wayland)) return CreateHeadlessDisplay();
  if (std::unique_ptr<Display> sdl = CreateSdlDisplay()) return sdl;
  // A display was named and is not there: said, and no program runs unseen on it.
  std::cerr << "cannot open display " << (x && *x ? x : wayland) << "\n";
  return nullptr;
}

}  // namespace vetra::ui
