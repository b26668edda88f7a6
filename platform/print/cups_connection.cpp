#include "platform/print/cups_connection.h"

#include <cerrno>

namespace vetra::print {

namespace {

// Once the server has been given up, whatever libcups still waits for on the connection (it
// tries a request again on a fresh connection, asks a second question) is given up at once.
constexpr double kGivenUpWaitSeconds = 0.01;

double Seconds(std::chrono::milliseconds span)
{
  return std::chrono::duration<double>(span).count();
}

}  // namespace

std::string CupsConnection::ServerName()
{
  const char* server = cupsServer();
  std::string name = server ? server : "";
  if (name.empty() || name.front() != '/') name += ":" + std::to_string(ippPort());
  return name;
}

CupsConnection::CupsConnection() : m_server(ServerName())
{
  const char* server = cupsServer();
  // Made without connecting (no time given), so that the limit holds from the first byte on,
  // the start of an encrypted session included.
  m_http = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
  if (!m_http) return;
  // Every wait for the server lasts at most the limit; a wait that runs out gives the server up.
  httpSetTimeout(m_http, Seconds(kSilenceLimit), &CupsConnection::OnSilence, this);
  m_connected = httpReconnect2(m_http, static_cast<int>(kSilenceLimit.count()), nullptr) == 0;
  if (!m_connected && httpError(m_http) == ETIMEDOUT) m_silent = true;
}

CupsConnection::~CupsConnection()
{
  if (m_http) httpClose(m_http);
}

int CupsConnection::OnSilence(http_t* http, void* self)
{
  static_cast<CupsConnection*>(self)->m_silent = true;
  httpSetTimeout(http, kGivenUpWaitSeconds, &CupsConnection::OnSilence, self);
  return 0;
}

}  // namespace vetra::print
