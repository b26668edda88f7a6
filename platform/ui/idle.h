#pragma once
// What a headless program does when it has nothing to do: run the next queued idle action
// (tests), the next step of its session script, or let virtual time run to the next timer, up to
// VETRA_HEADLESS_LIMIT milliseconds (default 5000) of idleness, after which it quits.

#include <cstdint>
#include <functional>
#include <optional>

namespace vetra::ui {

void WhenIdle(std::function<void()> action);
void ClearIdleActions();
// Runs one queued idle action; false when there was none.
bool RunIdleAction();
// Whether idle actions are queued (a test has scripted what happens next).
bool IdleActionsWaiting();

std::uint64_t HeadlessLimitMs();
void SetHeadlessLimitMs(std::uint64_t ms);
// The limit counts from now.
void RestartHeadlessLimit();
std::uint64_t HeadlessDeadline();

// Moves virtual time to `when` (no effect on a real clock or for a time already past).
void AdvanceVirtualClockTo(std::uint64_t when);

}  // namespace vetra::ui
