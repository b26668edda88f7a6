#pragma once
// A tiny HTTP server on 127.0.0.1 for tests: it listens on an ephemeral port, answers every
// request with one prepared reply, and stops when destroyed or, at the latest, after a fixed
// lifetime. It never talks to any other address.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/win_types.h"

namespace vetra::testing {

struct HttpReply {
  enum class Framing { ContentLength, Chunked, CloseDelimited };
  // What happens once `stopAfter` body bytes went out.
  enum class Cut { Close, Stall };

  int status = 200;
  std::string body{};
  // When set, the body is this many bytes of PatternBytes instead of `body`, made as it is sent.
  std::optional<std::size_t> patternSize{};
  Framing framing = Framing::ContentLength;
  // false: take the request and then stay silent.
  bool answer = true;
  // Break the body off after this many bytes (the headers still announce all of it).
  std::optional<std::size_t> stopAfter{};
  Cut cut = Cut::Close;
  // Further header lines, e.g. "Location: /elsewhere".
  std::vector<std::string> headers{};
  // A slow server: the body goes out in pieces of `pieceSize` bytes with this pause before each.
  std::chrono::milliseconds pause{0};
  std::size_t pieceSize = 16 * 1024;
};

// A reply for the requests of one path ("/a/b.zip"); an empty path takes every other request.
struct HttpRoute {
  std::string path;
  HttpReply reply;
};

class LoopbackHttpServer {
public:
  explicit LoopbackHttpServer(HttpReply reply);
  // Answers by path; a request no route takes gets 404.
  explicit LoopbackHttpServer(std::vector<HttpRoute> routes);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  win::WORD Port() const { return m_port; }

  // The head (request line and header lines) of every request taken so far.
  std::vector<std::string> Requests() const;
  // Body bytes handed to the network so far.
  std::size_t BodyBytesSent() const { return m_bodyBytesSent.load(); }
  // True once a connection ended while the server still had something to send.
  bool ClientLeftEarly() const { return m_clientLeftEarly.load(); }

  // Deterministic body bytes: the byte at `offset + i` never repeats with a short period.
  static std::string PatternBytes(std::size_t offset, std::size_t count);
  // A loopback port that nothing listens on (taken and released at once).
  static win::WORD UnusedPort();

private:
  void Run();
  void Serve(int client);
  bool SendAll(int client, const std::string& bytes);
  bool ReceiveHead(int client, std::string& head);
  void WaitWhileOpen(int client);
  // Waits until `fd` is ready for `events` or the server is told to stop (then false).
  bool WaitFor(int fd, short events);

  const HttpReply* ReplyFor(const std::string& head) const;

  std::vector<HttpRoute> m_routes;
  int m_listener = -1;
  int m_wake = -1;  // signalled when the server must stop
  win::WORD m_port = 0;
  std::atomic<bool> m_stop{false};
  std::atomic<std::size_t> m_bodyBytesSent{0};
  std::atomic<bool> m_clientLeftEarly{false};
  mutable std::mutex m_mutex;
  std::vector<std::string> m_requests;
  std::thread m_thread;
};

// Points every HTTP connection of this process at `port` while it lives.
class HttpPortOverride {
public:
  explicit HttpPortOverride(win::WORD port);
  ~HttpPortOverride();
  HttpPortOverride(const HttpPortOverride&) = delete;
  HttpPortOverride& operator=(const HttpPortOverride&) = delete;

private:
  std::optional<std::string> m_previous;
};

}  // namespace vetra::testing
