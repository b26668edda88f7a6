// Linked into every test program: tests always run headless, whatever the shell around them says.
#include <cstdlib>

namespace {

const bool g_headless = [] {
  ::setenv("VETRA_HEADLESS", "1", 1);
  return true;
}();

}  // namespace
