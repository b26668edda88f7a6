#include "platform/ui/ime.h"

#include <map>
#include <utility>

#include "platform/ui/cwnd.h"

namespace win {

namespace {
std::map<HWND, std::pair<DWORD, DWORD>>& Status()
{
  static std::map<HWND, std::pair<DWORD, DWORD>> status;
  return status;
}
}  // namespace

HIMC ImmGetContext(HWND hwnd) { return IsWindow(hwnd) ? reinterpret_cast<HIMC>(hwnd) : nullptr; }

BOOL ImmReleaseContext(HWND, HIMC) { return TRUE; }

BOOL ImmSetConversionStatus(HIMC context, DWORD conversion, DWORD sentence)
{
  const auto hwnd = reinterpret_cast<HWND>(context);
  if (!IsWindow(hwnd)) return FALSE;
  std::erase_if(Status(), [](const auto& entry) { return !IsWindow(entry.first); });
  Status()[hwnd] = {conversion, sentence};
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

}  // namespace win
