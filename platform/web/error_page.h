#pragma once
// The page the view shows in place of a page that could not be opened: the system's own words,
// in Korean, with nothing of the machine's paths or the transfer's English.

#include <string>

#include "platform/web/fetch.h"

namespace vetra::web {

// The page's HTML (UTF-8).
std::string ErrorPageHtml(FetchFailure reason);

}  // namespace vetra::web
