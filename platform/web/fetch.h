#pragma once
// Reads a page's bytes from a local file or over HTTP: at once (Fetch), or without blocking the
// window that waits for it (PageTransfer).

#include <cstddef>
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
  tooLarge,     // larger than a page (or a script or picture of one) may be
};

// The most a page, or any one script, style or picture of it, may hold: no real page comes near
// it, and an answer that never ends is cut off there.
inline constexpr std::size_t kMaxPageBytes = 16 * 1024 * 1024;
// The most the scripts, styles and pictures of one page may hold together.
inline constexpr std::size_t kMaxPageResourceBytes = 64 * 1024 * 1024;

struct FetchedPage {
  bool ok = false;
  std::string bytes;
  std::string contentType;  // HTTP only: the Content-Type header
  std::string error;        // why it failed, in English for the trace
  FetchFailure failure = FetchFailure::none;
};

// Bytes that the transfers of one page may still take in together. Each transfer takes what it
// receives, and gives it back when it fails (its bytes are dropped).
class ByteAllowance {
public:
  explicit ByteAllowance(std::size_t bytes) : m_left(bytes) {}
  // False, taking nothing, when fewer than `bytes` are left.
  bool Take(std::size_t bytes);
  void GiveBack(std::size_t bytes) { m_left += bytes; }
  std::size_t Left() const { return m_left; }

private:
  std::size_t m_left;
};

// HTTP answers other than 2xx fail; redirects are followed, to http and https only. A page larger
// than kMaxPageBytes fails (tooLarge): its transfer stops there. Blocks until the transfer ends.
FetchedPage Fetch(const PageAddress& address);

// The bytes of an address (system text) as a page's reader has them.
using ResourceReader = std::function<FetchedPage(const std::string& address)>;

// One HTTP page transfer that runs while its owner goes on: Poll moves it on, waiting at most
// `waitMs` for the network. Destroying an unfinished transfer drops its connection. It holds at
// most kMaxPageBytes, and, when it shares an allowance with other transfers, no more than that
// allowance has left; past either it stops and fails (tooLarge).
class PageTransfer {
public:
  explicit PageTransfer(const std::string& url, std::shared_ptr<ByteAllowance> shared = nullptr);
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
