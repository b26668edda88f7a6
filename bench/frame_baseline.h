#pragma once
// The yardstick a viewer's repaint is held against: one memcpy of the control's whole frame
// (1017 by 708 pixels of four bytes), timed in the same run as the figure set beside it, so the
// ratio stays meaningful on a slow or busy machine. Both are timed on the thread's own processor
// clock (user and system time): other programs sharing the processor do not count.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

namespace vetra::bench {

inline constexpr int kFrameWidth = 1017;
inline constexpr int kFrameHeight = 708;

// Seconds of processor time this thread has used.
inline double ThreadSeconds()
{
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds of one memcpy of the frame: the median of many copies between warm buffers.
inline double FrameMemcpySeconds()
{
  const std::size_t pixels = static_cast<std::size_t>(kFrameWidth) * kFrameHeight;
  std::vector<std::uint32_t> from(pixels, 0x123456), to(pixels, 0);
  std::vector<double> times;
  for (int k = 0; k < 201; ++k) {
    const double start = ThreadSeconds();
    std::memcpy(to.data(), from.data(), pixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    times.push_back(ThreadSeconds() - start);
  }
  std::nth_element(times.begin(), times.begin() + 100, times.end());
  return times[100];
}

// Times every tick of a benchmark loop and sets its counters: "tick_ms" the mean tick,
// "memcpy_us" the frame memcpy, "x_memcpy" the mean tick in frame memcpys, and the worst single
// tick beside them, "worst_ms" and "x_worst" (processor time).
//
// A run is made of passes: the same ticks, each pass from the same starting state, which the
// caller restores whenever NewPass() says one begins. A shared or virtual machine now and then
// stalls a thread for tens of milliseconds, and such a stall does not strike the same tick in
// every pass; so each tick counts with its fastest pass, and the worst tick is the slowest of
// those. A tick that is slow by its own work is slow in every pass and shows.
class TickTimer {
public:
  static constexpr int kPassTicks = 60;
  static constexpr int kPasses = 5;
  // Iterations of a benchmark that runs every pass through.
  static constexpr int kIterations = kPassTicks * kPasses;

  TickTimer() : m_memcpy(FrameMemcpySeconds()), m_best(kPassTicks, 0.0) {}

  // True when the tick about to run begins a new pass (not the first).
  bool NewPass()
  {
    if (m_index < kPassTicks) return false;
    m_index = 0;
    ++m_passes;
    return true;
  }

  template <typename Tick>
  void Time(Tick&& tick)
  {
    const double start = ThreadSeconds();
    tick();
    const double seconds = ThreadSeconds() - start;
    m_total += seconds;
    ++m_ticks;
    double& best = m_best[static_cast<std::size_t>(m_index % kPassTicks)];
    best = m_passes == 0 ? seconds : std::min(best, seconds);
    ++m_index;
  }

  void Report(benchmark::State& state) const
  {
    if (m_ticks == 0) return;
    const double mean = m_total / static_cast<double>(m_ticks);
    const double worst = *std::max_element(m_best.begin(), m_best.end());
    state.counters["tick_ms"] = mean * 1e3;
    state.counters["memcpy_us"] = m_memcpy * 1e6;
    state.counters["x_memcpy"] = mean / m_memcpy;
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["x_worst"] = worst / m_memcpy;
  }

private:
  double m_memcpy;
  std::vector<double> m_best;  // each tick of a pass at its fastest
  double m_total = 0;
  long long m_ticks = 0;
  int m_index = 0;
  int m_passes = 0;
};

}  // namespace vetra::bench
