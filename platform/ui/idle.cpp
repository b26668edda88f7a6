#include "platform/ui/idle.h"

#include <cstdlib>
#include <deque>
#include <string>

#include "platform/base/clock.h"

namespace vetra::ui {

namespace {

struct IdleState {
  std::deque<std::function<void()>> actions;
  std::optional<std::uint64_t> limit;
  std::uint64_t base = 0;
};

IdleState& State()
{
  static IdleState state;
  return state;
}

}  // namespace

void WhenIdle(std::function<void()> action) { State().actions.push_back(std::move(action)); }
void ClearIdleActions() { State().actions.clear(); }
bool IdleActionsWaiting() { return !State().actions.empty(); }

bool RunIdleAction()
{
  auto& actions = State().actions;
  if (actions.empty()) return false;
  auto action = std::move(actions.front());
  actions.pop_front();
  action();
  return true;
}

std::uint64_t HeadlessLimitMs()
{
  auto& state = State();
  if (!state.limit) {
    state.limit = 5000;
    if (const char* env = std::getenv("VETRA_HEADLESS_LIMIT")) {
      char* end = nullptr;
      const unsigned long long value = std::strtoull(env, &end, 10);
      if (end && end != env && *end == '\0') state.limit = value;
    }
  }
  return *state.limit;
}

void SetHeadlessLimitMs(std::uint64_t ms) { State().limit = ms; }
void RestartHeadlessLimit() { State().base = MonotonicMs(); }
std::uint64_t HeadlessDeadline() { return State().base + HeadlessLimitMs(); }

void AdvanceVirtualClockTo(std::uint64_t when)
{
  const std::uint64_t now = MonotonicMs();
  if (IsVirtualClock() && when > now) AdvanceVirtualClock(when - now);
}

}  // namespace vetra::ui
