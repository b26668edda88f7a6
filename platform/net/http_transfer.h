#pragma once
// One HTTP GET streamed through libcurl and driven from the caller's own thread, so that a
// single-threaded user interface can read a response piece by piece.
//
// Waiting is bounded: starting waits at most the connect and receive timeouts, and each read at
// most the receive timeout, measured in real time (a virtual test clock does not move it).
// Memory is bounded: at most kMaxBuffered bytes that the caller has not read yet are held; the
// transfer pauses until the caller reads on, so a body of any size streams through.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace vetra::net {

struct TransferSettings {
  std::string url;
  std::string userAgent;  // empty: no User-Agent header
  std::string referer;    // empty: no Referer header
  std::string accept;     // empty: libcurl's "*/*"
  bool noCache = false;   // ask caches on the way for a fresh copy
  std::chrono::milliseconds connectTimeout{30000};
  std::chrono::milliseconds receiveTimeout{30000};
};

class HttpTransfer {
public:
  static constexpr std::size_t kMaxBuffered = 64 * 1024;
  // Redirects followed for one request before it fails.
  static constexpr int kMaxRedirects = 10;

  explicit HttpTransfer(TransferSettings settings);
  ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // Sends the request and waits for the response's status line and headers, following redirects
  // (301, 302, 303, 307, 308 with a Location) up to kMaxRedirects times.
  // Throws win::CInternetException when the server cannot be reached, does not answer in time or
  // redirects too often.
  void Start();

  // The response's status code; 0 before the headers arrived.
  long Status() const;

  // Fills `buffer` with up to `size` bytes of the body. It returns fewer than `size` only when the
  // body has ended cleanly (0 once everything was read). A body that breaks off, a connection
  // failure, or no complete piece within the receive timeout throws win::CInternetException, so
  // a short read always means a whole body.
  std::size_t Read(void* buffer, std::size_t size);

  // Bytes received and not read yet (never more than kMaxBuffered plus one network chunk).
  std::size_t Buffered() const;

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace vetra::net
