#include "platform/web/tests/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace vetra::web::testing {

LoopbackServer::LoopbackServer()
{
  m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(m_socket, 8) != 0 ||
      ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot open the loopback server");
  }
  m_port = ntohs(address.sin_port);
  m_thread = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer()
{
  m_stopping = true;
  m_thread.join();
  ::close(m_socket);
}

void LoopbackServer::Serve(const std::string& path, Answer answer)
{
  std::lock_guard lock(m_mutex);
  m_answers[path] = std::move(answer);
}

std::string LoopbackServer::Url(const std::string& path) const
{
  return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string LoopbackServer::LastRequest(const std::string& path)
{
  std::lock_guard lock(m_mutex);
  return m_requests[path];
}

bool LoopbackServer::Dropped(const std::string& path)
{
  std::lock_guard lock(m_mutex);
  return m_dropped[path];
}

std::size_t LoopbackServer::BodyBytesSent(const std::string& path)
{
  std::lock_guard lock(m_mutex);
  return m_sent[path];
}

void LoopbackServer::Run()
{
  while (!m_stopping) {
    pollfd waiting{m_socket, POLLIN, 0};
    if (::poll(&waiting, 1, 20) <= 0) continue;
    const int client = ::accept(m_socket, nullptr, nullptr);
    if (client < 0) continue;
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    const auto pathStart = request.find(' ');
    const auto pathEnd = request.find(' ', pathStart + 1);
    const std::string path = pathStart == std::string::npos ? "" : request.substr(pathStart + 1, pathEnd - pathStart - 1);
    Answer answer{404, "text/plain", "not found", {}, false, false};
    {
      std::lock_guard lock(m_mutex);
      if (auto it = m_answers.find(path); it != m_answers.end()) answer = it->second;
      m_requests[path] = request;
      m_sent[path] = 0;
      m_dropped[path] = false;
    }
    if (answer.stall) {
      // Waits for the client to go (its end of the connection reads as closed).
      while (!m_stopping) {
        pollfd client_waiting{client, POLLIN, 0};
        if (::poll(&client_waiting, 1, 20) <= 0) continue;
        if (::recv(client, buffer, sizeof buffer, 0) <= 0) {
          std::lock_guard lock(m_mutex);
          m_dropped[path] = true;
          break;
        }
      }
      ::close(client);
      continue;
    }
    if (answer.endless) {
      const std::string head = "HTTP/1.0 " + std::to_string(answer.status) + " X\r\nContent-Type: " +
                               answer.contentType + "\r\n" + answer.extraHeaders + "Connection: close\r\n\r\n";
      bool open = ::send(client, head.data(), head.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(head.size());
      // The body repeated in large pieces, until the client goes (a send fails) or the server stops.
      const std::string unit = answer.body.empty() ? std::string("x") : answer.body;
      std::string piece;
      while (piece.size() < 65536 + unit.size()) piece += unit;
      std::size_t offset = 0;  // where in `unit` the next piece begins
      while (open && !m_stopping) {
        pollfd writable{client, POLLOUT, 0};
        if (::poll(&writable, 1, 20) <= 0) continue;
        const ssize_t n = ::send(client, piece.data() + offset, piece.size() - unit.size(), MSG_NOSIGNAL);
        if (n <= 0) break;
        offset = (offset + static_cast<std::size_t>(n)) % unit.size();
        std::lock_guard lock(m_mutex);
        m_sent[path] += static_cast<std::size_t>(n);
      }
      {
        std::lock_guard lock(m_mutex);
        m_dropped[path] = !m_stopping;
      }
      ::close(client);
      continue;
    }
    const std::string reply = "HTTP/1.0 " + std::to_string(answer.status) + " X\r\nContent-Type: " +
                              answer.contentType + "\r\nContent-Length: " + std::to_string(answer.body.size()) +
                              "\r\n" + answer.extraHeaders + "Connection: close\r\n\r\n" + answer.body;
    std::size_t sent = 0;
    while (sent < reply.size()) {
      const ssize_t n = ::send(client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::close(client);
  }
}

}  // namespace vetra::web::testing
