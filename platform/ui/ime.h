#pragma once
// The input method's conversion state per window (Hangul or Latin input). The state is kept and
// reported; typed Korean text reaches windows as code page 949 characters either way.

#include "platform/ui/messages.h"

namespace win {

struct HIMC__;
using HIMC = HIMC__*;

inline constexpr DWORD IME_CMODE_ALPHANUMERIC = 0x0000;
inline constexpr DWORD IME_CMODE_NATIVE = 0x0001;
inline constexpr DWORD IME_SMODE_NONE = 0x0000;
inline constexpr DWORD IME_SMODE_CONVERSATION = 0x0010;

HIMC ImmGetContext(HWND hwnd);
BOOL ImmReleaseContext(HWND hwnd, HIMC context);
BOOL ImmSetConversionStatus(HIMC context, DWORD conversion, DWORD sentence);
BOOL ImmGetConversionStatus(HIMC context, DWORD* conversion, DWORD* sentence);

}  // namespace win
