#include "platform/base/read_only_mapping.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <mutex>

#include "platform/base/regular_file.h"

namespace vetra {
namespace {

// The live mappings the SIGBUS handler looks after. The handler reads the table while any thread
// may be adding or removing a mapping, so it is lock-free: a slot is claimed through `used`, and
// `begin` (0 when the slot holds nothing yet) is set last and cleared first.
struct Slot {
  std::atomic<bool> used{false};
  std::atomic<std::uintptr_t> begin{0};
  std::atomic<std::uintptr_t> end{0};
};
constexpr std::size_t kSlots = 64;
std::array<Slot, kSlots> g_slots;
struct sigaction g_previous {};
std::uintptr_t g_pageSize = 4096;

// Hands a SIGBUS that is not ours to whatever would have had it without us.
void PassOn(int signal, siginfo_t* info, void* context)
{
  if (g_previous.sa_flags & SA_SIGINFO) {
    if (g_previous.sa_sigaction != nullptr) g_previous.sa_sigaction(signal, info, context);
    return;
  }
  if (g_previous.sa_handler == SIG_IGN) return;
  if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != nullptr) {
    g_previous.sa_handler(signal);
    return;
  }
  // The default: the program ends as it would have (the signal stays blocked until we return).
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  ::sigaction(SIGBUS, &byDefault, nullptr);
  ::raise(SIGBUS);
}

// A read past the end of a file that was cut while mapped: from the page of the fault to the end
// of the mapping the lost file pages give way to zero pages, and the read is made again.
void OnBusError(int signal, siginfo_t* info, void* context)
{
  const int savedErrno = errno;
  const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (Slot& slot : g_slots) {
    const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
    const std::uintptr_t end = slot.end.load(std::memory_order_acquire);
    if (begin == 0 || at < begin || at >= end) continue;
    const std::uintptr_t page = at & ~(g_pageSize - 1);
    void* zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    errno = savedErrno;
    if (zeros != MAP_FAILED) return;
    break;
  }
  errno = savedErrno;
  PassOn(signal, info, context);
}

void InstallBusErrorHandler()
{
  static std::once_flag once;
  std::call_once(once, [] {
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page > 0) g_pageSize = static_cast<std::uintptr_t>(page);
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previous);
  });
}

int ClaimSlot(const std::uint8_t* base, std::size_t size)
{
  for (std::size_t k = 0; k < kSlots; ++k) {
    bool expected = false;
    if (!g_slots[k].used.compare_exchange_strong(expected, true)) continue;
    const auto begin = reinterpret_cast<std::uintptr_t>(base);
    g_slots[k].end.store(begin + size, std::memory_order_release);
    g_slots[k].begin.store(begin, std::memory_order_release);
    return static_cast<int>(k);
  }
  return -1;
}

void ReleaseSlot(int slot)
{
  g_slots[static_cast<std::size_t>(slot)].begin.store(0, std::memory_order_release);
  g_slots[static_cast<std::size_t>(slot)].end.store(0, std::memory_order_release);
  g_slots[static_cast<std::size_t>(slot)].used.store(false, std::memory_order_release);
}

}  // namespace

std::shared_ptr<const ReadOnlyMapping> ReadOnlyMapping::Open(const std::filesystem::path& path)
{
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return nullptr;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) {
    ::close(fd);
    return std::shared_ptr<const ReadOnlyMapping>(new ReadOnlyMapping(nullptr, 0, -1));
  }
  InstallBusErrorHandler();
  void* base = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  const int error = errno;
  ::close(fd);  // the mapping keeps the file
  if (base == MAP_FAILED) {
    errno = error;
    return nullptr;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(base);
  const int slot = ClaimSlot(bytes, size);
  if (slot < 0) {
    ::munmap(base, size);
    errno = ENOMEM;
    return nullptr;
  }
  return std::shared_ptr<const ReadOnlyMapping>(new ReadOnlyMapping(bytes, size, slot));
}

ReadOnlyMapping::~ReadOnlyMapping()
{
  if (m_slot >= 0) ReleaseSlot(m_slot);
  if (m_base != nullptr) ::munmap(const_cast<std::uint8_t*>(m_base), m_size);
}

}  // namespace vetra
