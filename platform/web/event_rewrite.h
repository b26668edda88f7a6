#pragma once
// Pages bind control events with "function ID::NAME(...)" handlers, a form the script engine
// does not read. Such definitions are renamed to plain global functions before the script runs;
// the page host then calls them by their new names when the control fires NAME.

#include <string>
#include <string_view>
#include <vector>

namespace vetra::web {

struct NamedEventHandler {
  std::string elementId;
  std::string eventName;
  std::string functionName;  // the global function the definition became
};

struct RewrittenScript {
  std::string code;
  std::vector<NamedEventHandler> handlers;
};

// Strings and comments are left alone.
RewrittenScript RewriteEventHandlers(std::string_view code);

}  // namespace vetra::web
