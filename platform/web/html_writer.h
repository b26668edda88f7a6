#pragma once
// Writes a parsed page out again as HTML: every element opened and closed in its place, text and
// attribute values escaped. Read again, it gives the same document without a single repair, so a
// second reader (the layout's) spends nothing on the page's broken markup.

#include <string>

#include "platform/web/dom.h"

namespace vetra::web {

std::string WriteHtml(const Document& document);

}  // namespace vetra::web
