#pragma once
// Time for the whole system. The monotonic clock drives timers: real time on screen, a virtual
// clock that only tests and session scripts advance when headless. The wall clock (dates, file
// times, random seeds) is real unless a test pins it.

#include <cstdint>
#include <ctime>
#include <optional>

#include "platform/base/win_types.h"

namespace vetra {

// Milliseconds since the clock started.
std::uint64_t MonotonicMs();

// Switches the monotonic clock to virtual time (starting where it stands) or back to real time.
void UseVirtualClock(bool isVirtual);
bool IsVirtualClock();
// Moves virtual time forward; no effect on a real clock.
void AdvanceVirtualClock(std::uint64_t ms);

// Seconds since 1970.
std::time_t WallClockNow();
// Pins the wall clock for tests; std::nullopt releases it.
void PinWallClockForTests(std::optional<std::time_t> when);

}  // namespace vetra

namespace win {

DWORD GetTickCount();
void GetLocalTime(SYSTEMTIME& out);
std::time_t time(std::time_t* out);

}  // namespace win
