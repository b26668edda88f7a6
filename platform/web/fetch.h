#pragma once
// Reads a page's bytes from a local file or over HTTP: at once (Fetch), or without blocking the
// window that waits for it (PageTransfer).

#include <functional>
#include <memory>
#include <string>

#include "platform/web/address.h"

namespace vetra::web {

// Why a page could not be read, for the words the view shows.
enum class FetchFailure {
  none,
  notFound,     // no such file, or not a file that can be read
  unreachable,  // the server could not be found or reached
  timedOut,     // the server did not answer in time
  refused,      // the server answered with a status other than 2xx
  stopped,      // the user stopped the load
  unsupported,  // an address of a kind the viewer does not read
};

struct FetchedPage {
  bool ok = false;
  std::string bytes;
  std::string contentType;  // HTTP only: the Content-Type header
  std::string error;        // why it failed, in English for the trace
  FetchFailure failure = FetchFailure::none;
};

// HTTP answers other than 2xx fail; redirects are followed. Blocks until the transfer ends.
FetchedPage Fetch(const PageAddress& address);

// The bytes of an address (system text) as a page's reader has them.
using ResourceReader = std::function<FetchedPage(const std::string& address)>;

// One HTTP page transfer that runs while its owner goes on: Poll moves it on, waiting at most
// `waitMs` for the network. Destroying an unfinished transfer drops its connection.
class PageTransfer {
public:
  explicit PageTransfer(const std::string& url);
  ~PageTransfer();
  PageTransfer(const PageTransfer&) = delete;
  PageTransfer& operator=(const PageTransfer&) = delete;

  // True once the transfer has ended (then Result holds the page or the failure).
  bool Poll(int waitMs = 0);
  const FetchedPage& Result() const;

private:
  struct Curl;
  std::unique_ptr<Curl> m_curl;
};

}  // namespace vetra::web
