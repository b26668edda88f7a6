#pragma once
// A tiny HTTP server on 127.0.0.1 and an ephemeral port, serving fixed answers to GET requests
// while the test runs.

#include <atomic>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace vetra::web::testing {

class LoopbackServer {
public:
  struct Answer {
    int status = 200;
    std::string contentType = "text/html";
    std::string body{};
    std::string extraHeaders{};  // full lines, each ending in CR LF
    bool stall = false;        // never answers: holds the connection until the client drops it
    // Sends `body` over and over, with no Content-Length of its own (extraHeaders may claim one),
    // until the client drops the connection.
    bool endless = false;
  };

  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  void Serve(const std::string& path, Answer answer);
  std::string Url(const std::string& path) const;
  // The request head of the last request for `path`.
  std::string LastRequest(const std::string& path);
  // A stalled or endless request for `path` whose client has dropped the connection.
  bool Dropped(const std::string& path);
  // Body bytes the last endless answer for `path` handed to its connection.
  std::size_t BodyBytesSent(const std::string& path);

private:
  void Run();

  int m_socket = -1;
  int m_port = 0;
  std::atomic<bool> m_stopping{false};
  std::mutex m_mutex;
  std::map<std::string, Answer> m_answers;
  std::map<std::string, std::string> m_requests;
  std::map<std::string, bool> m_dropped;
  std::map<std::string, std::size_t> m_sent;
  std::thread m_thread;
};

}  // namespace vetra::web::testing
