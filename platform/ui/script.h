#pragma once
// Session scripts: a text of commands that drives a program as a user would, headless or on
// screen (the command reference is SCRIPTS.md). VETRA_SCRIPT names the script file, or a folder
// in which each program runs "<program name>.script".

#include <cstdint>
#include <string>
#include <vector>

namespace vetra::ui {

class SessionScript {
public:
  SessionScript(std::string text, std::string origin);

  struct Step {
    enum class Kind { Finished, Ran, WaitUntil };
    Kind kind = Kind::Finished;
    std::uint64_t until = 0;  // monotonic milliseconds for WaitUntil
  };
  // Runs the next command, or says how long the current wait still lasts.
  Step Next();
  const std::string& Origin() const { return m_origin; }

private:
  void Run(const std::string& line, std::size_t number);
  std::vector<std::string> m_lines;
  std::size_t m_next = 0;
  std::uint64_t m_waitUntil = 0;
  bool m_waiting = false;
  std::string m_origin;
};

// The script the program runs now (null when none).
SessionScript* ActiveSessionScript();
void StartSessionScript(SessionScript script);
void StopSessionScript();
// Reads VETRA_SCRIPT for the program of this name; a missing script file is reported on stderr.
void StartSessionScriptFromEnvironment(const std::string& programName);

// Writes a PNG of the main window as it shows on screen (or of the whole screen).
bool WriteScreenshot(const std::string& path, bool wholeScreen);

}  // namespace vetra::ui
