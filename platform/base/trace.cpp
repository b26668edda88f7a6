#include "platform/base/trace.h"

#include <cstdio>
#include <cstdlib>

#include "platform/base/text.h"

namespace vetra {
namespace {

TraceSink& CurrentSink()
{
  static TraceSink sink;
  return sink;
}

void DefaultSink(std::string_view cp949)
{
  if (std::getenv("VETRA_TRACE") == nullptr) return;
  std::string text = Utf8(cp949);
  if (text.empty() || text.back() != '\n') text.push_back('\n');
  std::fputs(text.c_str(), stderr);
}

}  // namespace

TraceSink SetTraceSink(TraceSink sink)
{
  TraceSink previous = std::move(CurrentSink());
  CurrentSink() = std::move(sink);
  return previous;
}

}  // namespace vetra

namespace win {

void OutputDebugStringA(std::string_view cp949)
{
  auto& sink = vetra::CurrentSink();
  if (sink) {
    sink(cp949);
  } else {
    vetra::DefaultSink(cp949);
  }
}

}  // namespace win
