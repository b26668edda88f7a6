// Feeds arbitrary bytes through everything a page passes before its script runs: charset
// detection and conversion, the HTML parser and its writer, and the event-handler rewrite.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/web/charset.h"
#include "platform/web/dom.h"
#include "platform/web/event_rewrite.h"
#include "platform/web/html_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = vetra::web::PageTextToUtf8(bytes, {});
  const std::optional<vetra::web::Document> document = vetra::web::ParseHtml(text);
  if (!document) return 0;
  (void)vetra::web::WriteHtml(*document);
  document->ForEachElement([](const vetra::web::Node& node) {
    if (node.IsElement("script")) vetra::web::RewriteEventHandlers(node.TextContent());
  });
  (void)document->Title();
  return 0;
}
