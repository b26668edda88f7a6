#pragma once
// The page's setTimeout and setInterval timers, driven by the system's monotonic clock.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vetra::web {

struct ScriptTimer {
  int id = 0;
  std::uint64_t due = 0;
  std::uint64_t interval = 0;
  bool repeat = false;
  std::string code;  // a timer given as text; empty when the engine keeps a function for it
};

class ScriptTimers {
public:
  int Add(std::uint64_t now, std::uint64_t delay, bool repeat, std::string code);
  bool Remove(int id);
  // The earliest timer due at `now` (ties in the order they were set); an interval is put back
  // for its next turn, a timeout removed.
  std::optional<ScriptTimer> TakeDue(std::uint64_t now);
  std::optional<std::uint64_t> NextDue() const;
  bool Contains(int id) const;
  void Clear() { m_timers.clear(); }

private:
  std::vector<ScriptTimer> m_timers;
  int m_lastId = 0;
};

}  // namespace vetra::web
