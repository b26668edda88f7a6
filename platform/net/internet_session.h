#pragma once
// The framework's Internet session: the root that HTTP connections are made from.
//
// Options set on a session apply to the connections made after them. Timeouts default to 30 s;
// a download dialog sets the receive timeout to its own no-answer time. The port of every
// connection can be redirected for tests (see request_address.h).

#include <memory>
#include <string_view>

#include "platform/base/win_types.h"
#include "platform/net/http_connection.h"
#include "platform/net/internet_constants.h"
#include "platform/net/session_settings.h"

namespace win {

class CInternetSession {
public:
  // The proxy arguments and flags are accepted for the familiar call; the preconfigured access
  // follows the environment's proxy settings.
  explicit CInternetSession(LPCSTR agent = nullptr, DWORD context = 1,
                            DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG, LPCSTR proxyName = nullptr,
                            LPCSTR proxyBypass = nullptr, DWORD flags = 0);

  // INTERNET_OPTION_CONNECT_TIMEOUT, _SEND_TIMEOUT, _RECEIVE_TIMEOUT in milliseconds (above 0).
  // FALSE for any other option or a value of 0.
  BOOL SetOption(DWORD option, DWORD value, DWORD flags = 0);
  BOOL QueryOption(DWORD option, DWORD& value) const;

  // A connection to `server`; no network traffic happens until a request is sent.
  // Throws CInternetException when the session is closed or `server` is no host name.
  std::unique_ptr<CHttpConnection> GetHttpConnection(std::string_view server,
                                                     INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT,
                                                     LPCSTR userName = nullptr, LPCSTR password = nullptr);

  // Connections already made stay usable.
  void Close();
  DWORD GetContext() const { return m_context; }

private:
  vetra::net::SessionSettings m_settings;
  DWORD m_context;
  bool m_closed = false;
};

}  // namespace win
