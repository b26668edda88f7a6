#include "platform/net/http_connection.h"

#include "platform/net/internet_exception.h"
#include "platform/net/request_address.h"

namespace win {

CHttpConnection::CHttpConnection(std::string server, INTERNET_PORT port, vetra::net::SessionSettings settings,
                                 DWORD context)
    : m_server(std::move(server)), m_port(port), m_settings(std::move(settings)), m_context(context)
{
}

std::unique_ptr<CHttpFile> CHttpConnection::OpenRequest(int verb, std::string_view object, LPCSTR referer,
                                                        DWORD context, LPCSTR* acceptTypes, LPCSTR, DWORD flags)
{
  if (m_closed) throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, context);
  if (verb != HTTP_VERB_GET) return nullptr;
  auto url = vetra::net::RequestUrl(m_server, m_port, object);
  if (!url) return nullptr;

  vetra::net::TransferSettings transfer;
  transfer.url = std::move(*url);
  transfer.userAgent = m_settings.userAgent;
  if (referer != nullptr) transfer.referer = referer;
  for (LPCSTR* type = acceptTypes; type != nullptr && *type != nullptr; ++type) {
    if (!transfer.accept.empty()) transfer.accept += ", ";
    transfer.accept += *type;
  }
  transfer.noCache = (flags & (INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE)) != 0;
  transfer.connectTimeout = m_settings.connectTimeout;
  transfer.receiveTimeout = m_settings.receiveTimeout;
  return std::make_unique<CHttpFile>(std::move(transfer), context);
}

void CHttpConnection::Close()
{
  m_closed = true;
}

}  // namespace win
