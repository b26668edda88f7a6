#include "platform/web/script_timers.h"

#include <algorithm>

namespace vetra::web {

int ScriptTimers::Add(std::uint64_t now, std::uint64_t delay, bool repeat, std::string code)
{
  if (m_timers.size() >= kMaxTimers || code.size() > kMaxTimerTextBytes - m_textBytes) return 0;
  m_textBytes += code.size();
  ScriptTimer timer;
  timer.id = ++m_lastId;
  timer.due = now + delay;
  // An interval of 0 would run again at once for ever; it waits a millisecond instead.
  timer.interval = repeat ? std::max<std::uint64_t>(delay, 1) : delay;
  timer.repeat = repeat;
  timer.code = std::move(code);
  m_timers.push_back(std::move(timer));
  return m_timers.back().id;
}

bool ScriptTimers::Remove(int id)
{
  const auto found = std::ranges::find(m_timers, id, &ScriptTimer::id);
  if (found == m_timers.end()) return false;
  m_textBytes -= found->code.size();
  m_timers.erase(found);
  return true;
}

bool ScriptTimers::Contains(int id) const
{
  return std::ranges::any_of(m_timers, [id](const ScriptTimer& t) { return t.id == id; });
}

std::optional<ScriptTimer> ScriptTimers::TakeDue(std::uint64_t now)
{
  auto earliest = m_timers.end();
  for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
    if (it->due <= now && (earliest == m_timers.end() || it->due < earliest->due)) earliest = it;
  }
  if (earliest == m_timers.end()) return std::nullopt;
  ScriptTimer taken = *earliest;
  if (earliest->repeat) {
    earliest->due += earliest->interval;
    // Keep the timer after the others due at the same time.
    std::rotate(earliest, earliest + 1, m_timers.end());
  } else {
    m_textBytes -= earliest->code.size();
    m_timers.erase(earliest);
  }
  return taken;
}

std::optional<std::uint64_t> ScriptTimers::NextDue() const
{
  std::optional<std::uint64_t> next;
  for (const ScriptTimer& t : m_timers) {
    if (!next || t.due < *next) next = t.due;
  }
  return next;
}

}  // namespace vetra::web
