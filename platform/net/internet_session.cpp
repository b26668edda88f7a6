#include "platform/net/internet_session.h"

#include "platform/net/internet_exception.h"
#include "platform/net/request_address.h"

namespace win {

CInternetSession::CInternetSession(LPCSTR agent, DWORD context, DWORD, LPCSTR, LPCSTR, DWORD) : m_context(context)
{
  if (agent != nullptr) m_settings.userAgent = agent;
}

BOOL CInternetSession::SetOption(DWORD option, DWORD value, DWORD)
{
  if (value == 0) return FALSE;
  const std::chrono::milliseconds ms(value);
  switch (option) {
    case INTERNET_OPTION_CONNECT_TIMEOUT: m_settings.connectTimeout = ms; return TRUE;
    case INTERNET_OPTION_SEND_TIMEOUT: m_settings.sendTimeout = ms; return TRUE;
    case INTERNET_OPTION_RECEIVE_TIMEOUT: m_settings.receiveTimeout = ms; return TRUE;
    default: return FALSE;
  }
}

BOOL CInternetSession::QueryOption(DWORD option, DWORD& value) const
{
  switch (option) {
    case INTERNET_OPTION_CONNECT_TIMEOUT: value = static_cast<DWORD>(m_settings.connectTimeout.count()); return TRUE;
    case INTERNET_OPTION_SEND_TIMEOUT: value = static_cast<DWORD>(m_settings.sendTimeout.count()); return TRUE;
    case INTERNET_OPTION_RECEIVE_TIMEOUT: value = static_cast<DWORD>(m_settings.receiveTimeout.count()); return TRUE;
    default: return FALSE;
  }
}

std::unique_ptr<CHttpConnection> CInternetSession::GetHttpConnection(std::string_view server, INTERNET_PORT port,
                                                                     LPCSTR, LPCSTR)
{
  if (m_closed) throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, m_context);
  if (!vetra::net::IsValidHostName(server)) throw CInternetException(ERROR_INTERNET_NAME_NOT_RESOLVED, m_context);
  return std::make_unique<CHttpConnection>(std::string(server), vetra::net::EffectivePort(port), m_settings,
                                           m_context);
}

void CInternetSession::Close()
{
  m_closed = true;
}

}  // namespace win
