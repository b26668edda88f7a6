#include "common/unzip/zip_exception.h"

#include "platform/base/text.h"

namespace unzip {

CZipException::Cause CZipException::CauseFromCode(int code)
{
  switch (code) {
    case 1: return streamEnd;
    case 2: return needDict;
    case -1: return errNo;
    case -2: return streamError;
    case -3: return dataError;
    case -4: return memError;
    case -5: return bufError;
    case -6: return versionError;
    case -102: return badFuncParam;
    case -103: return badZipFile;
    case -105: return badCrc;
    default: return generic;
  }
}

std::string CZipException::GetErrorMessage() const
{
  const char* reason = "알 수 없는 오류가 있습니다";
  switch (m_cause) {
    case streamEnd:
    case bufError: reason = "압축 데이터가 잘려 있습니다"; break;
    case needDict:
    case streamError:
    case dataError: reason = "압축 데이터가 손상되었습니다"; break;
    case memError: reason = "메모리가 부족합니다"; break;
    case errNo: reason = "파일을 읽을 수 없습니다"; break;
    case versionError: reason = "압축 라이브러리의 버전이 맞지 않습니다"; break;
    case badFuncParam: reason = "열린 항목이 없습니다"; break;
    case badZipFile: reason = "올바른 압축 파일이 아니거나 손상되었습니다"; break;
    case badCrc: reason = "CRC가 맞지 않습니다"; break;
    default: break;
  }
  std::string text = vetra::Cp949(reason);
  if (!m_fileName.empty()) text = m_fileName + vetra::Cp949(" : ") + text;
  return text + ".";
}

}  // namespace unzip
