#pragma once
// A page's character set: from the HTTP Content-Type, a byte-order mark or a META declaration;
// a page that declares none is code page 949, as the system writes its pages.

#include <string>
#include <string_view>

namespace vetra::web {

// The declared charset in lower case, or "" when the page declares none.
std::string DeclaredCharset(std::string_view bytes, std::string_view httpContentType);

// The page as UTF-8 for the parser and the script engine.
std::string PageTextToUtf8(std::string_view bytes, std::string_view httpContentType);

}  // namespace vetra::web
