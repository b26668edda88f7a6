#include "platform/net/internet_exception.h"

#include "platform/base/text.h"
#include "platform/net/internet_constants.h"

namespace win {

std::string CInternetException::GetErrorMessage() const
{
  switch (m_dwError) {
    case ERROR_INTERNET_TIMEOUT: return "The operation timed out.";
    case ERROR_INTERNET_INVALID_URL: return "The URL is invalid.";
    case ERROR_INTERNET_NAME_NOT_RESOLVED: return "The server name or address could not be resolved.";
    case ERROR_INTERNET_OPERATION_CANCELLED: return "The operation was canceled.";
    case ERROR_INTERNET_INCORRECT_HANDLE_STATE:
      return "The operation is not valid in the current state of the request.";
    case ERROR_INTERNET_CANNOT_CONNECT: return "A connection with the server could not be established.";
    case ERROR_INTERNET_CONNECTION_ABORTED: return "The connection with the server was terminated abnormally.";
    case ERROR_INTERNET_CONNECTION_RESET: return "The connection with the server was reset.";
    case ERROR_HTTP_INVALID_SERVER_RESPONSE: return "The server returned an invalid or unrecognized response.";
    default: return vetra::Format("An Internet error occurred (%u).", static_cast<unsigned>(m_dwError));
  }
}

}  // namespace win
