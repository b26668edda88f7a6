#pragma once
// The print button of a viewer control: its screen area goes into the print capture file and
// the print-layout program is started on it, unless that program's window is already open.
#include <string>
#include <string_view>

#include "platform/ui/cwnd.h"

namespace vetra::capture {

inline constexpr char kPrintCapturePath[] = "c:\\Vetra\\Fenmark\\Temp\\print.bmp";
inline constexpr char kPrintLayoutCommand[] = "C:\\Vetra\\Fenmark\\Tolvex.exe";
inline constexpr char kPrintWindowTitle[] = "Print";
// The size of a viewer control on its page, and so of every capture.
inline constexpr int kCaptureWidth = 1017;
inline constexpr int kCaptureHeight = 708;

// Copies the capture area at the window's top-left corner from the screen (whatever shows
// there, including what covers the window) into `path`. 1 written, 0 failed.
int CaptureToFile(win::CWnd& control, std::string_view path = kPrintCapturePath);

// Messages of a failed print, code page 949.
std::string CaptureFailedText(std::string_view path);
std::string PrintStartFailedText(std::string_view commandLine);

enum class PrintOutcome {
  started,          // capture written, the print-layout program started
  printWindowOpen,  // capture written, the program's window is open already: nothing started
  captureFailed,    // no capture: reported, nothing started (it would print a stale picture)
  startFailed,      // capture written, the program could not be started: reported
};
// The whole print button: capture, then the start of the print-layout program. Failures are
// shown in an OK message box.
PrintOutcome PrintControl(win::CWnd& control);

}  // namespace vetra::capture
