#pragma once
// The clipboard, for pictures: a bitmap put on it (CF_BITMAP) can be taken back as a packed DIB
// (CF_DIB: info header and pixels at the display's depth), as the system converts it.

#include "platform/base/global_memory.h"
#include "platform/gdi/gdi_types.h"
#include "platform/ui/messages.h"

namespace win {

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
