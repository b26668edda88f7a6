#pragma once
// A connection to the CUPS server that gives up on a server that stays silent. A stalled server
// (a frozen cupsd, a print server that accepts and never answers) would otherwise hold the
// program for libcups's own limits, a minute and more for each request; a working server answers
// in milliseconds.

#include <cups/cups.h>

#include <chrono>
#include <string>

namespace vetra::print {

class CupsConnection {
public:
  // How long the server may stay silent (connecting, or in the middle of a request) before it is
  // given up.
  static constexpr std::chrono::milliseconds kSilenceLimit{2000};

  // Connects to the server libcups is pointed at (CUPS_SERVER, client.conf, cupsSetServer).
  CupsConnection();
  ~CupsConnection();
  CupsConnection(const CupsConnection&) = delete;
  CupsConnection& operator=(const CupsConnection&) = delete;

  // The connection to hand to libcups's requests; null when the server could not be reached.
  http_t* Http() const { return m_connected ? m_http : nullptr; }
  // The server was reached but kept silent for the limit, or did not take the connection within
  // it: whatever was asked of it failed for that.
  bool ServerSilent() const { return m_silent; }
  // The server as libcups names it ("/run/cups/cups.sock", "printhost:631"), for messages.
  const std::string& Server() const { return m_server; }
  // The server the next connection goes to, named as Server() names it.
  static std::string ServerName();

private:
  static int OnSilence(http_t* http, void* self);

  std::string m_server;
  http_t* m_http = nullptr;
  bool m_connected = false;
  bool m_silent = false;
};

}  // namespace vetra::print
