#pragma once
// Where the image family's few messages go. The program shows them in message boxes; without a
// handler (tools, fuzzing) they go to the debugger output.

#include <functional>
#include <string>

namespace tolvex {

void ShowImageMessage(const std::string& text);
// Null restores the debugger output.
void SetImageMessageHandler(std::function<void(const std::string&)> handler);

}  // namespace tolvex
