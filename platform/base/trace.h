#pragma once
// Debugger output. Traces go to a sink: by default to stderr (as UTF-8) when VETRA_TRACE is set,
// otherwise nowhere; tests install their own sink to read them.

#include <functional>
#include <string>
#include <string_view>

namespace win {

void OutputDebugStringA(std::string_view cp949);

}  // namespace win

namespace vetra {

using TraceSink = std::function<void(std::string_view cp949)>;

// Installs a sink and returns the previous one; an empty sink restores the default.
TraceSink SetTraceSink(TraceSink sink);

}  // namespace vetra
