#include "platform/net/internet_exception.h"

#include "platform/base/text.h"
#include "platform/net/internet_constants.h"

namespace win {
namespace {

// The user reads these in message boxes: Korean, in the words of the system's own timeout text.
const char* ErrorSentenceUtf8(DWORD error)
{
  switch (error) {
    case ERROR_INTERNET_TIMEOUT: return "서버에서 응답이 없습니다.";
    case ERROR_INTERNET_INVALID_URL: return "서버 주소가 올바르지 않습니다.";
    case ERROR_INTERNET_NAME_NOT_RESOLVED: return "서버 이름 또는 주소를 찾을 수 없습니다.";
    case ERROR_INTERNET_OPERATION_CANCELLED: return "작업이 취소되었습니다.";
    case ERROR_INTERNET_INCORRECT_HANDLE_STATE: return "지금 상태에서는 요청을 처리할 수 없습니다.";
    case ERROR_INTERNET_CANNOT_CONNECT: return "서버에 연결할 수 없습니다.";
    case ERROR_INTERNET_CONNECTION_ABORTED: return "서버와의 연결이 비정상적으로 끊어졌습니다.";
    case ERROR_INTERNET_CONNECTION_RESET: return "서버와의 연결이 끊어졌습니다.";
    case ERROR_HTTP_INVALID_SERVER_RESPONSE: return "서버의 응답이 올바르지 않습니다.";
    case ERROR_HTTP_REDIRECT_FAILED: return "서버가 다른 주소로 너무 여러 번 보냈습니다.";
    default: return nullptr;
  }
}

}  // namespace

std::string CInternetException::GetErrorMessage() const
{
  if (const char* sentence = ErrorSentenceUtf8(m_dwError)) return vetra::Cp949(sentence);
  return vetra::Cp949(vetra::Format("인터넷 오류가 발생했습니다. (%u)", static_cast<unsigned>(m_dwError)));
}

std::string HttpStatusErrorMessage(DWORD status)
{
  return vetra::Cp949(vetra::Format("서버에서 파일을 받을 수 없습니다. (HTTP %u)", static_cast<unsigned>(status)));
}

}  // namespace win
