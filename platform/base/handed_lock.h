#pragma once
// A lock one program takes and hands to the program it starts, which lets it go once it has
// done its part. The chooser holds the viewer page's lock from writing the page until the
// viewer it started has read it, so two choosers started at the same moment never show each
// other's page. The kernel releases the lock when the last holder ends, however it ends.

#include <chrono>
#include <string>
#include <string_view>

namespace vetra {

class HandedLock {
public:
  // Takes the lock `name` (a lock file in the drive's Windows folder), waiting at most `wait`
  // for its holder to let it go. After that the caller goes on without it: a holder that never
  // lets go must not stop every later run.
  HandedLock(std::string_view name, std::chrono::milliseconds wait);
  ~HandedLock();
  HandedLock(const HandedLock&) = delete;
  HandedLock& operator=(const HandedLock&) = delete;

  bool Held() const { return m_fd >= 0; }

  // The next program started (CreateProcessA) inherits the lock and holds it until it calls
  // ReleaseHandedLock or ends; this object lets go of its own share once that program started.
  // Our own environment stays as it is.
  void HandToNextProgram();

private:
  int m_fd = -1;
};

// In a started program, before any thread exists: takes over a lock handed to it, if any.
void AdoptHandedLock();
// Lets go of the adopted lock. Harmless when there is none.
void ReleaseHandedLock();

// Used by the program starter between fork and exec: the descriptor the child keeps, or -1.
int DescriptorHandedToNextProgram();
void ForgetHandedDescriptor();
// The environment entry naming `fd` to the started program, and whether an entry is one.
std::string HandedDescriptorSetting(int fd);
bool IsHandedDescriptorSetting(std::string_view setting);

}  // namespace vetra
