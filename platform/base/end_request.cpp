#include "platform/base/end_request.h"

#include <signal.h>

#include <atomic>

namespace vetra {
namespace {

std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "the handler stores the signal lock-free");

extern "C" void OnEndSignal(int signal)
{
  int expected = 0;
  if (!g_signal.compare_exchange_strong(expected, signal)) {
    // Asked before and still running: end now, as the signal would have without us.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
  }
}

}  // namespace

void CatchEndRequests()
{
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return true;
  }();
  (void)installed;
}

int EndRequestSignal() { return g_signal.load(); }

int EndRequestExitStatus(int signal) { return 128 + signal; }

void ClearEndRequestForTests() { g_signal.store(0); }

}  // namespace vetra
