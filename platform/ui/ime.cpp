#include "platform/ui/ime.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "platform/ui/cwnd.h"
#include "platform/ui/window_system.h"

namespace win {

// Each window's conversion and sentence mode, as it set them or the user switched them.
static std::map<HWND, std::pair<DWORD, DWORD>>& Status()
{
  static std::map<HWND, std::pair<DWORD, DWORD>> status;
  return status;
}

HIMC ImmGetContext(HWND hwnd) { return IsWindow(hwnd) ? reinterpret_cast<HIMC>(hwnd) : nullptr; }

BOOL ImmReleaseContext(HWND, HIMC) { return TRUE; }

BOOL ImmSetConversionStatus(HIMC context, DWORD conversion, DWORD sentence)
{
  const auto hwnd = reinterpret_cast<HWND>(context);
  if (!IsWindow(hwnd)) return FALSE;
  std::erase_if(Status(), [](const auto& entry) { return !IsWindow(entry.first); });
  Status()[hwnd] = {conversion, sentence};
  auto& system = detail::WindowSystem::Get();
  if (system.HasDisplay()) system.Display().InputModeSet(hwnd);
  return TRUE;
}

BOOL ImmGetConversionStatus(HIMC context, DWORD* conversion, DWORD* sentence)
{
  const auto hwnd = reinterpret_cast<HWND>(context);
  if (!IsWindow(hwnd)) return FALSE;
  auto it = Status().find(hwnd);
  const std::pair<DWORD, DWORD> value = it == Status().end() ? std::pair<DWORD, DWORD>{0, 0} : it->second;
  if (conversion) *conversion = value.first;
  if (sentence) *sentence = value.second;
  return TRUE;
}

LONG ImmGetCompositionString(HIMC context, DWORD index, void* buffer, DWORD bytes)
{
  if (!IsWindow(reinterpret_cast<HWND>(context)) || index != GCS_COMPSTR) return 0;
  const std::string& text = detail::WindowSystem::Get().composition;
  if (buffer) std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), bytes));
  return static_cast<LONG>(buffer ? std::min<std::size_t>(text.size(), bytes) : text.size());
}

}  // namespace win

namespace vetra::ui {

void PlaceInputMethodWindow(win::HWND hwnd, const win::RECT& caret)
{
  auto& system = win::detail::WindowSystem::Get();
  if (!system.State(hwnd) || !system.HasDisplay()) return;
  win::CRect screen = caret;
  const win::CRect client = system.ClientScreenRect(hwnd);
  screen.OffsetRect(client.left, client.top);
  static win::CRect last;
  static win::HWND lastWindow = nullptr;
  if (screen == last && hwnd == lastWindow) return;
  last = screen;
  lastWindow = hwnd;
  system.Display().TextInputAt(system.TopLevelOf(hwnd), screen);
}

std::optional<bool> NativeInputOf(win::HWND hwnd)
{
  auto it = win::Status().find(hwnd);
  if (it == win::Status().end() || !win::IsWindow(hwnd)) return std::nullopt;
  return (it->second.first & win::IME_CMODE_NATIVE) != 0;
}

void NoteNativeInput(win::HWND hwnd, bool native)
{
  if (!win::IsWindow(hwnd)) return;
  auto& [conversion, sentence] = win::Status()[hwnd];
  conversion = native ? (conversion | win::IME_CMODE_NATIVE) : (conversion & ~win::IME_CMODE_NATIVE);
}

}  // namespace vetra::ui
