#pragma once
// Accelerator tables: keys that become commands (WM_COMMAND with 1 in the high word) for the
// window that owns the table, before the focused window sees the key.

#include <memory>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/ui/messages.h"

namespace win {

inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;

struct ACCEL {
  BYTE fVirt = FVIRTKEY;
  WORD key = 0;
  WORD cmd = 0;
};

struct AcceleratorTable {
  std::vector<ACCEL> entries;
};
using HACCEL = std::shared_ptr<const AcceleratorTable>;

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
inline HACCEL CreateAcceleratorTable(const std::vector<ACCEL>& entries)
{
  return CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
}
// When the message is a key of the table (with exactly its Shift, Ctrl and Alt), sends the
// command to the window and returns TRUE.
int TranslateAccelerator(HWND hwnd, const HACCEL& table, MSG* msg);

}  // namespace win
