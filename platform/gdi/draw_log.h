#pragma once
// A record of drawing calls for tests: each call with its arguments in logical units and its text
// in CP949 bytes. Any device context can log into one; a ScopedDrawLog catches the calls of every
// device context while it lives (for example those a window paints into).

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vetra::gdi {

struct DrawCall {
  std::string dc;               // name of the device context (the window system names its DCs)
  std::string op;               // "LineTo", "BitBlt", "TextOut", "SelectFont", ...
  std::vector<long long> args;  // in logical units, in the call's argument order
  std::string text;             // CP949 text (TextOut) or face name (SelectFont)

  // "op(a,b,c)" or "op(a,b,"text")", for readable failures.
  std::string ToString() const;
  friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

class DrawLog {
public:
  void Add(DrawCall call) { m_calls.push_back(std::move(call)); }
  const std::vector<DrawCall>& Calls() const { return m_calls; }
  std::vector<DrawCall> Find(std::string_view op) const;
  void Clear() { m_calls.clear(); }
  // One line per call.
  std::string Text() const;

private:
  std::vector<DrawCall> m_calls;
};

// While alive, every device context also logs into this log (innermost one wins).
class ScopedDrawLog {
public:
  ScopedDrawLog();
  ~ScopedDrawLog();
  ScopedDrawLog(const ScopedDrawLog&) = delete;
  ScopedDrawLog& operator=(const ScopedDrawLog&) = delete;

  DrawLog& Log() { return m_log; }
  const std::vector<DrawCall>& Calls() const { return m_log.Calls(); }
  std::vector<DrawCall> Find(std::string_view op) const { return m_log.Find(op); }

private:
  DrawLog m_log;
  DrawLog* m_previous = nullptr;
};

// The log of the innermost ScopedDrawLog, or null.
DrawLog* ActiveScopedLog();

}  // namespace vetra::gdi
