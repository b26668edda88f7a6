#include "platform/print/devmode_block.h"

#include <new>

namespace win {

GlobalMemory DevModeBlock(const DEVMODEA& mode)
{
  GlobalMemory block = GlobalAlloc(GHND, sizeof(DEVMODEA));
  if (block) new (block.Data()) DEVMODEA(mode);
  return block;
}

DEVMODEA* LockDevMode(GlobalMemory& block)
{
  if (!block || block.Size() < sizeof(DEVMODEA)) return nullptr;
  // The block's storage comes from operator new[], aligned for any object of this size.
  return std::launder(reinterpret_cast<DEVMODEA*>(block.Lock()));
}

}  // namespace win
