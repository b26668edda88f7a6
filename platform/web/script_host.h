#pragma once
// What the script engine asks of the page that runs it. Texts are UTF-8, the engine's encoding.

#include <chrono>
#include <cstddef>
#include <string>

namespace win {
class COleControlObject;
}

namespace vetra::web {

// How long a page's script may run without handing control back before it is stopped (and the
// scripts of one turn together twice that: ScriptEngine::Turn).
inline constexpr std::chrono::milliseconds kScriptTimeLimit{10000};
// The most memory a page's script may take in its engine (far more than the pages' scripts use),
// and what the engine's own work between scripts may take beyond it.
inline constexpr std::size_t kScriptHeapBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kScriptHeapReserveBytes = 4 * 1024 * 1024;

class ScriptHost {
public:
  virtual ~ScriptHost() = default;
  virtual void Alert(const std::string& text) = 0;
  virtual std::string Title() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::string Location() const = 0;
  // Navigation and history moves take effect once the running script has finished.
  virtual void NavigateLater(const std::string& address) = 0;
  virtual void HistoryLater(int delta) = 0;
  // The control of the page's OBJECT element number `index`, or nullptr once it is gone.
  virtual win::COleControlObject* ControlAt(std::size_t index) = 0;
};

}  // namespace vetra::web
