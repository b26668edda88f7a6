#include "platform/net/testing/loopback_http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <stdexcept>

#include "platform/base/text.h"

namespace vetra::testing {
namespace {

using Clock = std::chrono::steady_clock;

// However a test goes, the server goes away by itself after this long.
constexpr auto kLifetime = std::chrono::seconds(20);
constexpr int kPollMs = 100;
constexpr std::size_t kPiece = 16 * 1024;
constexpr std::size_t kMaxHead = 16 * 1024;

int MakeLoopbackListener(win::WORD& port)
{
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("no socket for the test server");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(fd);
    throw std::runtime_error("the test server cannot listen on 127.0.0.1");
  }
  port = ntohs(address.sin_port);
  return fd;
}

const char* ReasonFor(int status)
{
  switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 307: return "Temporary Redirect";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(HttpReply reply) : LoopbackHttpServer(std::vector<HttpRoute>{{"", std::move(reply)}}) {}

LoopbackHttpServer::LoopbackHttpServer(std::vector<HttpRoute> routes) : m_routes(std::move(routes))
{
  m_listener = MakeLoopbackListener(m_port);
  m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (m_wake < 0) {
    ::close(m_listener);
    throw std::runtime_error("no wake-up event for the test server");
  }
  m_thread = std::thread([this] { Run(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
  m_stop = true;
  const std::uint64_t one = 1;
  [[maybe_unused]] auto written = ::write(m_wake, &one, sizeof one);
  m_thread.join();
  ::close(m_wake);
  ::close(m_listener);
}

std::vector<std::string> LoopbackHttpServer::Requests() const
{
  std::lock_guard lock(m_mutex);
  return m_requests;
}

std::string LoopbackHttpServer::PatternBytes(std::size_t offset, std::size_t count)
{
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = offset + i;
    bytes[i] = static_cast<char>((at % 251) ^ ((at / 251) * 7));
  }
  return bytes;
}

win::WORD LoopbackHttpServer::UnusedPort()
{
  win::WORD port = 0;
  ::close(MakeLoopbackListener(port));
  return port;
}

bool LoopbackHttpServer::WaitFor(int fd, short events)
{
  pollfd waiting[2] = {{fd, events, 0}, {m_wake, POLLIN, 0}};
  if (::poll(waiting, 2, kPollMs) <= 0) return false;
  return waiting[0].revents != 0 && waiting[1].revents == 0;
}

void LoopbackHttpServer::Run()
{
  const auto end = Clock::now() + kLifetime;
  while (!m_stop && Clock::now() < end) {
    if (!WaitFor(m_listener, POLLIN)) continue;
    int client = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client < 0) continue;
    Serve(client);
    ::close(client);
  }
}

bool LoopbackHttpServer::ReceiveHead(int client, std::string& head)
{
  char buffer[2048];
  while (!m_stop && head.find("\r\n\r\n") == std::string::npos) {
    if (head.size() > kMaxHead) return false;
    if (!WaitFor(client, POLLIN)) continue;
    ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    head.append(buffer, static_cast<std::size_t>(got));
  }
  return !m_stop;
}

bool LoopbackHttpServer::SendAll(int client, const std::string& bytes)
{
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    if (m_stop) return false;
    if (!WaitFor(client, POLLOUT)) continue;
    ssize_t put = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (put < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      m_clientLeftEarly = true;
      return false;
    }
    sent += static_cast<std::size_t>(put);
  }
  return true;
}

void LoopbackHttpServer::WaitWhileOpen(int client)
{
  char buffer[256];
  while (!m_stop) {
    if (!WaitFor(client, POLLIN)) continue;
    if (::recv(client, buffer, sizeof buffer, 0) <= 0) return;
  }
}

const HttpReply* LoopbackHttpServer::ReplyFor(const std::string& head) const
{
  // "GET /path HTTP/1.1": the path is the second word of the request line.
  const std::size_t start = head.find(' ');
  const std::size_t end = start == std::string::npos ? std::string::npos : head.find(' ', start + 1);
  const std::string path = end == std::string::npos ? std::string() : head.substr(start + 1, end - start - 1);
  const HttpReply* fallback = nullptr;
  for (const HttpRoute& route : m_routes) {
    if (route.path == path) return &route.reply;
    if (route.path.empty() && fallback == nullptr) fallback = &route.reply;
  }
  return fallback;
}

void LoopbackHttpServer::Serve(int client)
{
  std::string head;
  if (!ReceiveHead(client, head)) return;
  {
    std::lock_guard lock(m_mutex);
    m_requests.push_back(head.substr(0, head.find("\r\n\r\n")));
  }
  static const HttpReply kNotFound{.status = 404, .body = "not found"};
  const HttpReply* routed = ReplyFor(head);
  const HttpReply& reply = routed != nullptr ? *routed : kNotFound;
  if (!reply.answer) {
    WaitWhileOpen(client);
    return;
  }

  const std::size_t size = reply.patternSize.value_or(reply.body.size());
  std::string headers = Format("HTTP/1.1 %d %s\r\nConnection: close\r\n", reply.status, ReasonFor(reply.status));
  if (reply.framing == HttpReply::Framing::ContentLength) headers += Format("Content-Length: %zu\r\n", size);
  if (reply.framing == HttpReply::Framing::Chunked) headers += "Transfer-Encoding: chunked\r\n";
  for (const std::string& line : reply.headers) headers += line + "\r\n";
  headers += "\r\n";
  if (!SendAll(client, headers)) return;

  const std::size_t stopAt = std::min(size, reply.stopAfter.value_or(size));
  for (std::size_t offset = 0; offset < stopAt;) {
    if (reply.pause.count() > 0) {
      // A slow server; it still stops at once when told to.
      pollfd wake{m_wake, POLLIN, 0};
      if (::poll(&wake, 1, static_cast<int>(reply.pause.count())) != 0 || m_stop) return;
    }
    const std::size_t count = std::min(std::max<std::size_t>(1, std::min(kPiece, reply.pieceSize)), stopAt - offset);
    std::string piece = reply.patternSize ? PatternBytes(offset, count) : reply.body.substr(offset, count);
    if (reply.framing == HttpReply::Framing::Chunked) piece = Format("%zx\r\n", count) + piece + "\r\n";
    if (!SendAll(client, piece)) return;
    offset += count;
    m_bodyBytesSent += count;
  }
  if (stopAt < size) {
    if (reply.cut == HttpReply::Cut::Stall) WaitWhileOpen(client);
    return;
  }
  if (reply.framing == HttpReply::Framing::Chunked) SendAll(client, "0\r\n\r\n");
  ::shutdown(client, SHUT_WR);
  WaitWhileOpen(client);
}

}  // namespace vetra::testing
