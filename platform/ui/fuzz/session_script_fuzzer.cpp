// Session scripts on arbitrary text, run to their end against a window on the headless display:
// no command, number or key name may take the window system down. Screenshots are left out, as
// they write where the script says.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/script.h"
#include "platform/ui/testing.h"

namespace {

// The script without the commands that write files or talk on standard output.
std::string WithoutOutputCommands(const std::string& text)
{
  std::istringstream in(text);
  std::string kept;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string first;
    words >> first;
    first = vetra::ToLowerAscii(first);
    kept += (first == "screenshot" || first == "caption") ? "#" : line;
    kept += '\n';
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  vetra::ui::ResetForTests();
  win::CWnd window;
  window.CreateEx(0, "Static", "Script target", win::WS_POPUP | win::WS_CAPTION | win::WS_VISIBLE,
                  win::CRect(10, 10, 200, 120), nullptr, 0);
  window.SetFocus();
  vetra::ui::SessionScript script(
      WithoutOutputCommands(std::string(reinterpret_cast<const char*>(data), size)), "fuzz");
  for (int step = 0; step < 10000; ++step) {
    const vetra::ui::SessionScript::Step next = script.Next();
    if (next.kind == vetra::ui::SessionScript::Step::Kind::Finished) break;
    vetra::ui::Pump();
    if (next.kind == vetra::ui::SessionScript::Step::Kind::WaitUntil && next.until > vetra::MonotonicMs())
      vetra::ui::AdvanceClock(next.until - vetra::MonotonicMs());
  }
  window.DestroyWindow();
  vetra::ui::ResetForTests();
  return 0;
}
