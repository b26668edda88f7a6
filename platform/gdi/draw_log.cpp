#include "platform/gdi/draw_log.h"

namespace vetra::gdi {

namespace {
DrawLog* g_scoped = nullptr;
}

std::string DrawCall::ToString() const
{
  std::string out = op + "(";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) out += ",";
    out += std::to_string(args[i]);
  }
  if (!text.empty()) out += (args.empty() ? "\"" : ",\"") + text + "\"";
  out += ")";
  if (!dc.empty()) out = dc + ": " + out;
  return out;
}

std::vector<DrawCall> DrawLog::Find(std::string_view op) const
{
  std::vector<DrawCall> found;
  for (const auto& call : m_calls) {
    if (call.op == op) found.push_back(call);
  }
  return found;
}

std::string DrawLog::Text() const
{
  std::string out;
  for (const auto& call : m_calls) out += call.ToString() + "\n";
  return out;
}

ScopedDrawLog::ScopedDrawLog() : m_previous(g_scoped)
{
  g_scoped = &m_log;
}

ScopedDrawLog::~ScopedDrawLog()
{
  g_scoped = m_previous;
}

DrawLog* ActiveScopedLog()
{
  return g_scoped;
}

}  // namespace vetra::gdi
