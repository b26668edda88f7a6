#include "platform/base/clock.h"

#include <chrono>

namespace vetra {
namespace {

struct ClockState {
  bool isVirtual = false;
  std::uint64_t virtualMs = 0;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  std::optional<std::time_t> pinnedWall;
};

ClockState& State()
{
  static ClockState state;
  return state;
}

std::uint64_t RealMs()
{
  auto elapsed = std::chrono::steady_clock::now() - State().start;
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

}  // namespace

std::uint64_t MonotonicMs()
{
  return State().isVirtual ? State().virtualMs : RealMs();
}

void UseVirtualClock(bool isVirtual)
{
  ClockState& state = State();
  if (isVirtual == state.isVirtual) return;
  if (isVirtual) {
    state.virtualMs = RealMs();
  } else {
    // Real time continues from the virtual reading so that time never runs backwards.
    state.start = std::chrono::steady_clock::now() - std::chrono::milliseconds(state.virtualMs);
  }
  state.isVirtual = isVirtual;
}

bool IsVirtualClock()
{
  return State().isVirtual;
}

void AdvanceVirtualClock(std::uint64_t ms)
{
  if (State().isVirtual) State().virtualMs += ms;
}

std::time_t WallClockNow()
{
  if (State().pinnedWall) return *State().pinnedWall;
  return std::time(nullptr);
}

void PinWallClockForTests(std::optional<std::time_t> when)
{
  State().pinnedWall = when;
}

}  // namespace vetra

namespace win {

DWORD GetTickCount()
{
  return static_cast<DWORD>(vetra::MonotonicMs());
}

void GetLocalTime(SYSTEMTIME& out)
{
  std::time_t now = vetra::WallClockNow();
  std::tm parts{};
  localtime_r(&now, &parts);
  out.wYear = static_cast<WORD>(parts.tm_year + 1900);
  out.wMonth = static_cast<WORD>(parts.tm_mon + 1);
  out.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
  out.wDay = static_cast<WORD>(parts.tm_mday);
  out.wHour = static_cast<WORD>(parts.tm_hour);
  out.wMinute = static_cast<WORD>(parts.tm_min);
  out.wSecond = static_cast<WORD>(parts.tm_sec);
  out.wMilliseconds = 0;
}

std::time_t time(std::time_t* out)
{
  std::time_t now = vetra::WallClockNow();
  if (out != nullptr) *out = now;
  return now;
}

}  // namespace win
