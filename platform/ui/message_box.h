#pragma once
// Message boxes. On screen the display shows them; headless (and whenever an answer is queued,
// as a session script does) they are answered from the answer queue, or by their default button
// when the queue is empty, and written to stderr in UTF-8 with their caption.

#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/ui/messages.h"

namespace win {

inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_RETRYCANCEL = 0x5;
inline constexpr UINT MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONSTOP = 0x10;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONWARNING = 0x30;
inline constexpr UINT MB_ICONASTERISK = 0x40;
inline constexpr UINT MB_ICONINFORMATION = 0x40;
inline constexpr UINT MB_ICONMASK = 0xF0;
inline constexpr UINT MB_DEFBUTTON1 = 0x000;
inline constexpr UINT MB_DEFBUTTON2 = 0x100;
inline constexpr UINT MB_DEFBUTTON3 = 0x200;
inline constexpr UINT MB_DEFMASK = 0xF00;
inline constexpr UINT MB_APPLMODAL = 0x0000;
inline constexpr UINT MB_SYSTEMMODAL = 0x1000;
inline constexpr UINT MB_TASKMODAL = 0x2000;
inline constexpr UINT MB_TOPMOST = 0x40000;

// Text and caption are code page 949; a null caption gives the program's name.
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
// The framework's message box: captioned with the program's name, owned by the main window.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
inline int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0)
{
  return AfxMessageBox(text.c_str(), type, helpId);
}

}  // namespace win

namespace vetra::ui {

struct MessageBoxRecord {
  std::string text;     // code page 949
  std::string caption;  // code page 949
  win::UINT type = 0;
  int answer = 0;
};

// Queues the answer for the next message box (IDOK, IDYES, ...). An answer that is not one of
// the box's buttons is replaced by the box's default button.
void QueueMessageBoxAnswer(int answer);
// Every message box shown so far, oldest first.
const std::vector<MessageBoxRecord>& MessageBoxLog();
void ClearMessageBoxes();
// The buttons of a box of this type, in the order they show.
std::vector<int> MessageBoxButtons(win::UINT type);
// The button a box of this type answers with when nobody chooses.
int DefaultMessageBoxAnswer(win::UINT type);
// The answer id for a name such as "IDOK" or "IDNO"; 0 when unknown.
int MessageBoxAnswerFromName(const std::string& name);

}  // namespace vetra::ui
