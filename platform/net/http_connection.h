#pragma once
// The framework's HTTP connection: a host and port that requests are opened on.

#include <memory>
#include <string>
#include <string_view>

#include "platform/base/win_types.h"
#include "platform/net/http_file.h"
#include "platform/net/internet_constants.h"
#include "platform/net/session_settings.h"

namespace win {

class CHttpConnection {
public:
  enum { HTTP_VERB_GET = 1 };

  // Made by CInternetSession::GetHttpConnection.
  CHttpConnection(std::string server, INTERNET_PORT port, vetra::net::SessionSettings settings, DWORD context);

  // A request for `object` (a path on the server). Only GET is offered; any other verb gives no
  // request. Flags: INTERNET_FLAG_RELOAD / _PRAGMA_NOCACHE ask caches on the way for a fresh
  // copy. Accept types and version are accepted for the familiar call; requests are HTTP/1.1.
  // Throws CInternetException when the connection is closed.
  std::unique_ptr<CHttpFile> OpenRequest(int verb, std::string_view object, LPCSTR referer = nullptr,
                                         DWORD context = 1, LPCSTR* acceptTypes = nullptr,
                                         LPCSTR version = nullptr, DWORD flags = INTERNET_FLAG_EXISTING_CONNECT);

  // Requests already opened stay usable.
  void Close();

  const std::string& GetServerName() const { return m_server; }
  // The port really used (the test override applied).
  INTERNET_PORT GetPort() const { return m_port; }

private:
  std::string m_server;
  INTERNET_PORT m_port;
  vetra::net::SessionSettings m_settings;
  DWORD m_context;
  bool m_closed = false;
};

}  // namespace win
