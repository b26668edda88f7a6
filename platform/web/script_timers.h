#pragma once
// The page's setTimeout and setInterval timers, driven by the system's monotonic clock.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vetra::web {

// The most timers a page may have waiting, and the most text those given as text may hold
// together: a page's script cannot grow them past these (its functions are in its heap).
inline constexpr std::size_t kMaxTimers = 1000;
inline constexpr std::size_t kMaxTimerTextBytes = 1024 * 1024;

struct ScriptTimer {
  int id = 0;
  std::uint64_t due = 0;
  std::uint64_t interval = 0;
  bool repeat = false;
  std::string code;  // a timer given as text; empty when the engine keeps a function for it
};

class ScriptTimers {
public:
  // The new timer's id (1 and up), or 0, adding nothing, when kMaxTimers are waiting or the
  // text would take the waiting timers' text past kMaxTimerTextBytes.
  int Add(std::uint64_t now, std::uint64_t delay, bool repeat, std::string code);
  bool Remove(int id);
  // The earliest timer due at `now` (ties in the order they were set); an interval is put back
  // for its next turn, a timeout removed.
  std::optional<ScriptTimer> TakeDue(std::uint64_t now);
  std::optional<std::uint64_t> NextDue() const;
  bool Contains(int id) const;
  std::size_t Count() const { return m_timers.size(); }
  void Clear()
  {
    m_timers.clear();
    m_textBytes = 0;
  }

private:
  std::vector<ScriptTimer> m_timers;
  int m_lastId = 0;
  std::size_t m_textBytes = 0;  // the code of the waiting timers given as text
};

}  // namespace vetra::web
