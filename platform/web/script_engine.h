#pragma once
// The page's JavaScript engine (Duktape) with the objects pages use: window, document (title,
// getElementById, all), location, history, alert, the timers, element ids as globals, and the
// page's controls, whose properties and methods go to their automation tables. A script error is
// written to the trace and ends only that script.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/variant.h"
#include "platform/web/dom.h"
#include "platform/web/event_rewrite.h"
#include "platform/web/script_heap.h"
#include "platform/web/script_host.h"
#include "platform/web/script_timers.h"

struct duk_hthread;

namespace vetra::web {

class ScriptEngine {
public:
  // A script whose own running time (time spent in message boxes and in controls' properties and
  // methods aside) exceeds `timeLimit` is stopped as a script error, and so is one that asks for
  // memory past kScriptHeapBytes.
  explicit ScriptEngine(ScriptHost& host, std::chrono::milliseconds timeLimit = kScriptTimeLimit);
  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // Runs a script block as global code. `origin` names it in error traces. False on error.
  bool Run(std::string_view code, std::string_view origin);

  // Makes an element reachable as a global named by its id, in document.all and through
  // getElementById. A name the page's script already uses is left to the script.
  void BindElement(const Node& element);
  // The same for an OBJECT element whose control is the host's object number `index`.
  void BindControl(const Node& element, std::size_t index);

  // Handlers of control events: a <script for=ID event=NAME(params)> block, and the global
  // functions that "function ID::NAME" definitions became.
  bool AddEventHandler(std::string_view elementId, std::string_view eventName,
                       std::string_view parameters, std::string_view body);
  void AddNamedEventHandlers(const std::vector<NamedEventHandler>& handlers);
  void DispatchEvent(std::string_view elementId, std::string_view eventName,
                     std::span<const win::COleVariant> args);

  // An element's inline handler (body onload): the attribute's code run as a function; else the
  // function the script stored in window.<name>.
  void RunInlineHandler(std::string_view code, std::string_view windowProperty, std::string_view origin);

  // Runs every timer due at `now`, in the order they fall due.
  void RunDueTimers(std::uint64_t now);
  std::optional<std::uint64_t> NextTimerDue() const { return m_timers.NextDue(); }

  // True while page script runs (the host then defers navigation and timers).
  bool Running() const { return m_depth > 0; }

  // Used by the engine's own native functions.
  ScriptHost& Host() { return m_host; }
  ScriptHeap& Heap() { return m_heap; }
  ScriptTimers& Timers() { return m_timers; }
  void ReportError(std::string_view origin);
  bool CallProtected(int argumentCount, std::string_view origin);
  // Held while page script waits on the host (a message box, a control's handler): the time
  // does not count against the script.
  class HostCall {
  public:
    explicit HostCall(ScriptEngine& engine);
    ~HostCall();
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;

  private:
    ScriptEngine& m_engine;
  };
  // Asked by the engine between instructions; once true it stays true until the outermost
  // script has ended, so that no catch block of the page can keep the script alive.
  bool Overdue();

  // The scripts run while one of these lives (the page's load, one round of timers, one control
  // event) together may run twice the time one script may, so the window gets its turn again
  // however many scripts a page has; a page with one runaway script still runs the others.
  // Once that time is spent, the turn's scripts still to come do not start (each a script
  // error) and RunDueTimers leaves the timers still due to the next round. A turn begun inside
  // another is part of it.
  class Turn {
  public:
    explicit Turn(ScriptEngine& engine);
    ~Turn();
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

  private:
    ScriptEngine& m_engine;
    bool m_outermost;
  };

private:
  void InstallGlobals();
  void RunTimer(const struct ScriptTimer& timer);
  void Publish(const std::string& id);
  void Enter();
  void Leave();
  // True once the running turn's time is spent (a script already running ends at its own
  // deadline, which never lies beyond its turn's).
  bool TurnSpent() const;
  // False, with a script error in the trace, when `origin` may not start for that.
  bool MayStart(std::string_view origin) const;
  void PauseClock();
  void ResumeClock();

  ScriptHost& m_host;
  ScriptHeap m_heap{kScriptHeapBytes, kScriptHeapReserveBytes};  // outlives the engine, which frees into it
  duk_hthread* m_ctx = nullptr;
  ScriptTimers m_timers;
  std::vector<NamedEventHandler> m_namedHandlers;
  int m_depth = 0;
  std::chrono::milliseconds m_timeLimit;
  std::optional<std::chrono::steady_clock::duration> m_turnLeft;  // none outside a turn
  std::chrono::steady_clock::duration m_allowed{};  // what the running script may use in all
  std::chrono::steady_clock::time_point m_deadline;
  bool m_overdue = false;
  bool m_paused = false;
  std::chrono::steady_clock::time_point m_pausedAt;
  int m_hostCalls = 0;
};

}  // namespace vetra::web
