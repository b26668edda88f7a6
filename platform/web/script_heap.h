#pragma once
// The memory a page's script engine may take: every block of its heap is counted, and a block
// past the allowance is refused. The engine then collects its garbage and tries again, and if
// that does not free enough, the script that asked fails with an error as it would for any
// memory it cannot have; the page and the viewer go on.

#include <cstddef>

namespace vetra::web {

class ScriptHeap {
public:
  ScriptHeap(std::size_t scriptBytes, std::size_t reserveBytes)
      : m_scriptBytes(scriptBytes), m_reserveBytes(reserveBytes)
  {
  }
  ScriptHeap(const ScriptHeap&) = delete;
  ScriptHeap& operator=(const ScriptHeap&) = delete;

  // As malloc, realloc and free, but nullptr past the allowance (a failed Reallocate keeps the
  // block as it was).
  void* Allocate(std::size_t size);
  void* Reallocate(void* block, std::size_t size);
  void Free(void* block);

  // While page script runs, a refusal is a script error; between scripts the engine's own work
  // (binding an element, calling an event handler) could not report one, so it may take the
  // reserve as well.
  void SetScriptRunning(bool running) { m_scriptRunning = running; }

private:
  // True when `more` bytes may still be taken.
  bool Fits(std::size_t more) const;

  std::size_t m_scriptBytes;
  std::size_t m_reserveBytes;
  std::size_t m_used = 0;
  bool m_scriptRunning = false;
};

}  // namespace vetra::web
