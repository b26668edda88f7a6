#pragma once
// A device mode kept in a global memory block, the way print dialogs hand it over and callers
// lock it to change the orientation.

#include "platform/base/global_memory.h"
#include "platform/print/print_types.h"

namespace win {

// A block holding a copy of `mode`; empty when the memory cannot be had.
GlobalMemory DevModeBlock(const DEVMODEA& mode);
// The device mode in `block`, locked (Unlock the block when done); null when the block is
// empty or too small to hold one, so a damaged block is never read past its end.
DEVMODEA* LockDevMode(GlobalMemory& block);

}  // namespace win
