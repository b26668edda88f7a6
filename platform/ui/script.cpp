#include "platform/ui/script.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "platform/base/clock.h"
#include "platform/base/file_names.h"
#include "platform/base/regular_file.h"
#include "platform/base/text.h"
#include "platform/ui/app.h"
#include "platform/ui/file_dialog_answers.h"
#include "platform/ui/idle.h"
#include "platform/ui/input.h"
#include "platform/ui/message_box.h"
#include "platform/ui/print_dialog.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {

std::unique_ptr<SessionScript>& Active()
{
  static std::unique_ptr<SessionScript> script;
  return script;
}

std::vector<std::string> Words(const std::string& line)
{
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The rest of the line after its first word.
std::string Rest(const std::string& line)
{
  const std::size_t start = line.find_first_not_of(" \t");
  const std::size_t gap = line.find_first_of(" \t", start);
  if (gap == std::string::npos) return {};
  const std::size_t rest = line.find_first_not_of(" \t", gap);
  return rest == std::string::npos ? std::string() : line.substr(rest);
}

bool ToInt(const std::string& text, int& value)
{
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (!end || end == text.c_str() || *end != '\0') return false;
  value = static_cast<int>(v);
  return true;
}

// Client coordinates of the program's main window become screen coordinates.
win::POINT ToScreen(int x, int y)
{
  win::POINT p{x, y};
  win::CWnd* main = win::AfxGetMainWnd();
  if (!main || !main->m_hWnd) main = win::CWnd::GetActiveWindow();
  if (main && main->m_hWnd) main->ClientToScreen(&p);
  return p;
}

}  // namespace

SessionScript::SessionScript(std::string text, std::string origin) : m_origin(std::move(origin))
{
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_lines.push_back(line);
  }
}

SessionScript::Step SessionScript::Next()
{
  if (m_waiting) {
    if (MonotonicMs() < m_waitUntil) return {Step::Kind::WaitUntil, m_waitUntil};
    m_waiting = false;
  }
  while (m_next < m_lines.size()) {
    const std::size_t number = ++m_next;
    const std::string& line = m_lines[number - 1];
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    Run(line, number);
    if (m_waiting) return {Step::Kind::WaitUntil, m_waitUntil};
    return {Step::Kind::Ran, 0};
  }
  return {Step::Kind::Finished, 0};
}

void SessionScript::Run(const std::string& line, std::size_t number)
{
  const std::vector<std::string> words = Words(line);
  const std::string command = ToLowerAscii(words[0]);
  auto complain = [&](const std::string& why) {
    std::cerr << m_origin << ":" << number << ": " << why << ": " << line << "\n";
  };
  int x = 0, y = 0;
  const bool hasPoint = words.size() >= 3 && ToInt(words[1], x) && ToInt(words[2], y);
  const int button = words.size() >= 4 && ToLowerAscii(words[3]) == "right" ? 1 : 0;

  if (command == "wait") {
    int ms = 0;
    if (words.size() < 2 || !ToInt(words[1], ms) || ms < 0) return complain("wait needs milliseconds");
    m_waiting = true;
    m_waitUntil = MonotonicMs() + static_cast<std::uint64_t>(ms);
  } else if (command == "move") {
    if (!hasPoint) return complain("move needs X Y");
    InjectMouseMove(ToScreen(x, y));
  } else if (command == "click" || command == "press" || command == "release") {
    if (!hasPoint) return complain(command + " needs X Y");
    const win::POINT p = ToScreen(x, y);
    InjectMouseMove(p);
    if (command != "release") InjectButton(p, button, true);
    if (command != "press") InjectButton(p, button, false);
  } else if (command == "dblclick") {
    if (!hasPoint) return complain("dblclick needs X Y");
    const win::POINT p = ToScreen(x, y);
    InjectMouseMove(p);
    for (int i = 0; i < 2; ++i) {
      InjectButton(p, button, true);
      InjectButton(p, button, false);
    }
  } else if (command == "wheel") {
    int notches = 0;
    if (!hasPoint || words.size() < 4 || !ToInt(words[3], notches)) return complain("wheel needs X Y N");
    // One turn carries at most what the message's 16-bit field holds.
    constexpr int kMostNotches = 0x7FFF / win::WHEEL_DELTA;
    if (notches < -kMostNotches || notches > kMostNotches) return complain("wheel turns at most 273 notches at once");
    const win::POINT p = ToScreen(x, y);
    InjectMouseMove(p);
    InjectWheel(p, -notches * win::WHEEL_DELTA);
  } else if (command == "key") {
    const std::optional<KeyChord> chord = words.size() >= 2 ? ParseKeyChord(words[1]) : std::nullopt;
    if (!chord) return complain("unknown key");
    InjectKeyChord(*chord);
  } else if (command == "type") {
    InjectDesktopText(Rest(line));
  } else if (command == "answer") {
    const int answer = words.size() >= 2 ? MessageBoxAnswerFromName(words[1]) : 0;
    if (!answer) return complain("answer needs IDOK, IDCANCEL, IDYES or IDNO");
    QueueMessageBoxAnswer(answer);
  } else if (command == "file") {
    if (words.size() < 2) return complain("file needs a path");
    if (words.size() == 2 && ToLowerAscii(words[1]) == "cancel") QueueFileDialogAnswer({});
    else QueueFileDialogAnswer({TextFromLinux(words[1]), words.size() >= 3 ? words[2] : std::string()});
  } else if (command == "print") {
    PrintDialogAnswer answer;
    std::size_t next = 1;
    if (next < words.size() && ToLowerAscii(words[next]) == "cancel") {
      answer.ok = false;
    } else {
      if (next < words.size() && ToLowerAscii(words[next]) == "ok") ++next;
      int copies = 0;
      if (next < words.size() && ToInt(words[next], copies)) {
        if (copies < 1) return complain("print needs at least 1 copy");
        answer.copies = copies;
        ++next;
      }
      if (next < words.size() && (ToLowerAscii(words[next]) == "portrait" || ToLowerAscii(words[next]) == "landscape")) {
        answer.orientation = ToLowerAscii(words[next]) == "portrait" ? win::DMORIENT_PORTRAIT : win::DMORIENT_LANDSCAPE;
        ++next;
      }
      for (; next < words.size(); ++next) answer.printer += (answer.printer.empty() ? "" : " ") + Cp949(words[next]);
    }
    QueuePrintDialogAnswer(std::move(answer));
  } else if (command == "screenshot") {
    if (words.size() < 2) return complain("screenshot needs a file name");
    const bool screen = words.size() >= 3 && ToLowerAscii(words[2]) == "screen";
    if (!WriteScreenshot(words[1], screen)) complain("could not write the screenshot");
  } else if (command == "caption") {
    win::CWnd* active = win::CWnd::GetActiveWindow();
    if (!active) active = win::AfxGetMainWnd();
    std::cout << (active && active->m_hWnd ? Utf8(active->GetWindowText()) : std::string()) << std::endl;
  } else if (command == "quit") {
    win::PostQuitMessage(0);
  } else {
    complain("unknown command");
  }
}

SessionScript* ActiveSessionScript() { return Active().get(); }

void StartSessionScript(SessionScript script)
{
  Active() = std::make_unique<SessionScript>(std::move(script));
}

void StopSessionScript() { Active().reset(); }

void StartSessionScriptFromEnvironment(const std::string& programName)
{
  const char* env = std::getenv("VETRA_SCRIPT");
  if (!env || !*env) return;
  std::filesystem::path path(env);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    path /= programName + ".script";
    if (!std::filesystem::exists(path, error)) return;  // no script for this program
  }
  const std::optional<std::string> text = vetra::ReadRegularFile(path);
  if (!text) {
    std::cerr << "VETRA_SCRIPT: cannot read " << path.string() << "\n";
    return;
  }
  StartSessionScript(SessionScript(*text, path.string()));
}

}  // namespace vetra::ui
