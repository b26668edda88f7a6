#pragma once
// Names of working copies that pages hand to the controls: they must stay inside the exchange
// folder, so only a plain file name is accepted.
#include <cstddef>
#include <string_view>

namespace vetra {

// The longest working-copy name accepted, in bytes.
inline constexpr std::size_t kMaxPlainFileNameBytes = 200;

// Not empty, not ".", no "\", "/" or ":", no "..", no control characters, and at most
// kMaxPlainFileNameBytes long. CP949 names pass unchanged.
bool IsPlainFileName(std::string_view name);

}  // namespace vetra
