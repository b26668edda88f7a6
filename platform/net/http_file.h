#pragma once
// The framework's HTTP file: one request, its status and its body read piece by piece.
//
// Read fills the whole buffer unless the body ends, so a short read means the body is complete.
// It waits at most the receive timeout for a piece; a body that breaks off, a lost connection or
// a piece that does not come in time throws CInternetException, never a short read. The body of
// an error answer (404, 500, ...) is readable like any other: callers look at the status.
// A caller stops a transfer between reads with Close (or by destroying the file), which drops
// the connection; at most a small window of unread bytes is ever held in memory.

#include <memory>

#include "platform/base/win_types.h"
#include "platform/net/http_transfer.h"

namespace win {

class CHttpFile {
public:
  // Made by CHttpConnection::OpenRequest.
  CHttpFile(vetra::net::TransferSettings settings, DWORD context);
  ~CHttpFile();
  CHttpFile(const CHttpFile&) = delete;
  CHttpFile& operator=(const CHttpFile&) = delete;

  // Sends the request and waits for the answer's status and headers (at most the connect
  // timeout plus the receive timeout). TRUE when an answer came, whatever its status; throws
  // CInternetException when the server cannot be reached or does not answer.
  BOOL SendRequest();

  // The answer's HTTP status; FALSE before an answer came.
  BOOL QueryInfoStatusCode(DWORD& statusCode) const;

  // Up to `count` bytes of the body into `buffer` (see above). Throws CInternetException before
  // SendRequest succeeded or after Close.
  UINT Read(void* buffer, UINT count);

  void Close();

  DWORD GetContext() const { return m_context; }

private:
  vetra::net::TransferSettings m_settings;
  std::unique_ptr<vetra::net::HttpTransfer> m_transfer;
  DWORD m_context;
  bool m_sent = false;
  bool m_closed = false;
};

}  // namespace win
