#include "platform/net/http_file.h"

#include "platform/net/internet_constants.h"
#include "platform/net/internet_exception.h"

namespace win {

CHttpFile::CHttpFile(vetra::net::TransferSettings settings, DWORD context)
    : m_settings(std::move(settings)), m_context(context)
{
}

CHttpFile::~CHttpFile() = default;

BOOL CHttpFile::SendRequest()
{
  if (m_closed || m_transfer) throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, m_context);
  m_transfer = std::make_unique<vetra::net::HttpTransfer>(m_settings);
  try {
    m_transfer->Start();
  } catch (CInternetException& failure) {
    m_transfer.reset();
    failure.m_dwContext = m_context;
    throw;
  }
  m_sent = true;
  return TRUE;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& statusCode) const
{
  if (!m_sent || m_closed) return FALSE;
  statusCode = static_cast<DWORD>(m_transfer->Status());
  return TRUE;
}

UINT CHttpFile::Read(void* buffer, UINT count)
{
  if (!m_sent || m_closed) throw CInternetException(ERROR_INTERNET_INCORRECT_HANDLE_STATE, m_context);
  try {
    return static_cast<UINT>(m_transfer->Read(buffer, count));
  } catch (CInternetException& failure) {
    failure.m_dwContext = m_context;
    throw;
  }
}

void CHttpFile::Close()
{
  m_closed = true;
  m_transfer.reset();
}

}  // namespace win
