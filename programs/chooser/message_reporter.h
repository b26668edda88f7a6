#pragma once
// Where the chooser's messages go. The program shows them in a message box; until a reporter is
// set, and whenever nothing can be shown, they go to stderr as UTF-8.

#include <functional>
#include <string>

namespace lumbrel {

// Receives one message in code page 949.
using MessageReporter = std::function<void(const std::string& cp949)>;

// Installs a reporter and returns the previous one; an empty one restores stderr.
MessageReporter SetMessageReporter(MessageReporter reporter);

void ShowMessage(const std::string& cp949);

}  // namespace lumbrel
