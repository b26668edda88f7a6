#pragma once
// The input method's conversion state per window (Hangul or Latin input), the text it is
// composing and where its candidate window goes. Typed Korean text reaches windows as code page
// 949 characters either way.

#include <optional>

#include "platform/ui/messages.h"

namespace win {

struct HIMC__;
using HIMC = HIMC__*;

inline constexpr DWORD IME_CMODE_ALPHANUMERIC = 0x0000;
inline constexpr DWORD IME_CMODE_NATIVE = 0x0001;
inline constexpr DWORD IME_SMODE_NONE = 0x0000;
inline constexpr DWORD IME_SMODE_CONVERSATION = 0x0010;

// The input method tells the focus window that the text it composes changed (lParam
// GCS_COMPSTR); the window asks for it with ImmGetCompositionString.
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr DWORD GCS_COMPSTR = 0x0008;

HIMC ImmGetContext(HWND hwnd);
BOOL ImmReleaseContext(HWND hwnd, HIMC context);
BOOL ImmSetConversionStatus(HIMC context, DWORD conversion, DWORD sentence);
BOOL ImmGetConversionStatus(HIMC context, DWORD* conversion, DWORD* sentence);
// Copies the text being composed (code page 949) into buffer; returns its length in bytes (the
// length needed when buffer is null).
LONG ImmGetCompositionString(HIMC context, DWORD index, void* buffer, DWORD bytes);

}  // namespace win

namespace vetra::ui {

// A window typed into shows its caret at this client rectangle: the input method's candidate
// window is placed beside it.
void PlaceInputMethodWindow(win::HWND hwnd, const win::RECT& caret);

// Whether a window asked for the input method's own script (Hangul) or for Latin input; nothing
// when it never set its mode.
std::optional<bool> NativeInputOf(win::HWND hwnd);
// The user switched the input method while `hwnd` had the keyboard: the window's mode is what
// the user chose, as its program reads it back.
void NoteNativeInput(win::HWND hwnd, bool native);

}  // namespace vetra::ui
