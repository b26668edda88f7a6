// Linked into every test program: tests run headless, whatever the shell around them says,
// except under scripts/on-screen, which gives them a private X display to test the SDL back end.
#include <cstdlib>

namespace {

const bool g_headless = [] {
  if (std::getenv("VETRA_TEST_ON_SCREEN") != nullptr) {
    ::unsetenv("VETRA_HEADLESS");
  } else {
    ::setenv("VETRA_HEADLESS", "1", 1);
  }
  return true;
}();

}  // namespace
