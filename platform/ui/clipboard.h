#pragma once
// The clipboard, for pictures: a bitmap put on it (CF_BITMAP) can be taken back as a packed DIB
// (CF_DIB: info header and pixels at the display's depth), as the system converts it. Edit boxes
// exchange text through it too (CF_TEXT); on screen that text is the desktop's clipboard text.

#include <string>
#include <string_view>

#include "platform/base/global_memory.h"
#include "platform/gdi/gdi_types.h"
#include "platform/ui/messages.h"

namespace win {

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_DIB = 8;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Empties the clipboard (it must be open); a bitmap on it is deleted.
BOOL EmptyClipboard();
// Puts a bitmap on the open clipboard; the clipboard owns (and later deletes) it.
BOOL SetClipboardData(UINT format, HBITMAP bitmap);
// The clipboard's picture in the format asked for, owned by the clipboard; null when the
// clipboard is not open or holds no picture.
GlobalMemory* GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

}  // namespace win

namespace vetra::ui {

// Puts a text (code page 949, lines ending in CR LF) on the clipboard in place of what it held;
// on screen it goes to the desktop's clipboard as UTF-8 with LF line ends.
void PutTextOnClipboard(std::string_view cp949);
// The clipboard's text in code page 949 with CR LF line ends: what the code page cannot spell is
// left out. Empty when the clipboard holds no text.
std::string TextFromClipboard();
// The same for a box that holds a file name: what the code page cannot spell is kept as a file
// name keeps it (file_names.h).
std::string FileNameTextFromClipboard();
bool ClipboardHasText();

// The clipboard's text as the desktop holds it (UTF-8, LF line ends); tests and scripts put
// text there as another program would.
void SetClipboardUtf8(std::string utf8);
std::string ClipboardUtf8();

}  // namespace vetra::ui
