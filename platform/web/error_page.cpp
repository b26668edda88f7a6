#include "platform/web/error_page.h"

namespace vetra::web {
namespace {

const char* ReasonText(FetchFailure reason)
{
  switch (reason) {
    case FetchFailure::notFound: return "파일을 찾을 수 없습니다.";
    case FetchFailure::unreachable: return "서버에 연결할 수 없습니다.";
    case FetchFailure::timedOut: return "서버가 응답하지 않습니다.";
    case FetchFailure::refused: return "서버에서 페이지를 받을 수 없습니다.";
    case FetchFailure::stopped: return "페이지 열기를 중지했습니다.";
    case FetchFailure::unsupported: return "열 수 없는 주소입니다.";
    case FetchFailure::tooLarge: return "페이지가 너무 큽니다.";
    case FetchFailure::none: break;
  }
  return "";
}

}  // namespace

std::string ErrorPageHtml(FetchFailure reason)
{
  return std::string("<html><body><h3>페이지를 표시할 수 없습니다.</h3><p>") + ReasonText(reason) +
         "</p></body></html>";
}

}  // namespace vetra::web
