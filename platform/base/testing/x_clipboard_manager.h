#pragma once
// A desktop clipboard manager for on-screen tests (run under scripts/on-screen): another process
// that owns CLIPBOARD_MANAGER and, when a program that ends asks it to keep the clipboard
// (SAVE_TARGETS), fetches TARGETS and image/png from the clipboard's owner and answers, as the
// clipboard managers of desktops do.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

namespace vetra::testing {

class XClipboardManager {
public:
  enum class Conduct {
    Keeps,       // fetches the picture, keeps it, answers
    EndsMidway,  // asks for the picture and ends at once, answering nothing
  };

  // Starts the manager and waits until it owns CLIPBOARD_MANAGER. Start it while the test has
  // no other threads (before the display is made): it runs in a forked process.
  explicit XClipboardManager(Conduct conduct = Conduct::Keeps);
  ~XClipboardManager();
  XClipboardManager(const XClipboardManager&) = delete;
  XClipboardManager& operator=(const XClipboardManager&) = delete;

  bool Running() const { return m_ready; }

  // The image/png bytes the manager kept once it answered a request to keep the clipboard;
  // nothing when it did not answer within `timeout`.
  std::optional<std::string> KeptPicture(std::chrono::milliseconds timeout = std::chrono::seconds(15));

  // Waits up to `timeout` for the manager to end; whether it did.
  bool Ended(std::chrono::milliseconds timeout = std::chrono::seconds(15));

private:
  pid_t m_pid = -1;
  int m_status = -1;
  bool m_ready = false;
  std::string m_keptFile;
};

}  // namespace vetra::testing
