#pragma once
// The yardstick a viewer's repaint is held against: one memcpy of the control's whole frame
// (1017 by 708 pixels of four bytes), timed in the same run as the figure set beside it, so the
// ratio stays meaningful on a slow or busy machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vetra::bench {

inline constexpr int kFrameWidth = 1017;
inline constexpr int kFrameHeight = 708;

// Seconds of one memcpy of the frame: the median of many copies between warm buffers.
inline double FrameMemcpySeconds()
{
  const std::size_t pixels = static_cast<std::size_t>(kFrameWidth) * kFrameHeight;
  std::vector<std::uint32_t> from(pixels, 0x123456), to(pixels, 0);
  std::vector<double> times;
  for (int k = 0; k < 201; ++k) {
    const auto start = std::chrono::steady_clock::now();
    std::memcpy(to.data(), from.data(), pixels * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + 100, times.end());
  return times[100];
}

// Times every tick of a benchmark loop and sets its counters: "tick_ms" the mean tick,
// "memcpy_us" the frame memcpy, "x_memcpy" the mean tick in frame memcpys.
class TickTimer {
public:
  TickTimer() : m_memcpy(FrameMemcpySeconds()) {}

  template <typename Tick>
  void Time(Tick&& tick)
  {
    const auto start = std::chrono::steady_clock::now();
    tick();
    m_total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ++m_ticks;
  }

  void Report(benchmark::State& state) const
  {
    if (m_ticks == 0) return;
    const double mean = m_total / static_cast<double>(m_ticks);
    state.counters["tick_ms"] = mean * 1e3;
    state.counters["memcpy_us"] = m_memcpy * 1e6;
    state.counters["x_memcpy"] = mean / m_memcpy;
  }

private:
  double m_memcpy;
  double m_total = 0;
  long long m_ticks = 0;
};

}  // namespace vetra::bench
