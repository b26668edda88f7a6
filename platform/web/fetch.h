#pragma once
// Reads a page's bytes from a local file or over HTTP.

#include <string>

#include "platform/web/address.h"

namespace vetra::web {

struct FetchedPage {
  bool ok = false;
  std::string bytes;
  std::string contentType;  // HTTP only: the Content-Type header
  std::string error;        // why it failed
};

// HTTP answers other than 2xx fail; redirects are followed.
FetchedPage Fetch(const PageAddress& address);

}  // namespace vetra::web
