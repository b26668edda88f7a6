#pragma once
// The style every page starts from: how each element shows before the page's own style.

namespace vetra::web {

extern const char* const kDefaultPageStyle;

}  // namespace vetra::web
