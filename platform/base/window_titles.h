#pragma once
// The titles of top-level windows of every running program of the system, so that one program
// can ask whether a window of a given title exists (FindWindow) before it starts another.
// Entries of processes that died are ignored.

#include <cstdint>
#include <string>
#include <string_view>

namespace vetra {

// Publishes (or changes) the title of one top-level window of this process.
void PublishWindowTitle(std::uint64_t windowId, std::string_view cp949Title);
void WithdrawWindowTitle(std::uint64_t windowId);
// True when a live process has a top-level window of exactly this title.
bool WindowTitleExists(std::string_view cp949Title);

}  // namespace vetra
