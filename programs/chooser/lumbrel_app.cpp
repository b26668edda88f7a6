#include "programs/chooser/lumbrel_app.h"

#include <string>

#include "platform/base/clock.h"
#include "platform/base/file_api.h"
#include "platform/base/random.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "programs/chooser/conversion.h"
#include "programs/chooser/message_reporter.h"

namespace lumbrel {
namespace {

void MakeFolder(const char* path)
{
  if (win::_access(path, 0) != 0) win::_mkdir(path);
}

// A path typed with quotes around it (as a shell on the other system would want) is meant
// without them.
std::string_view WithoutQuotes(std::string_view path)
{
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path.substr(1, path.size() - 2);
  return path;
}

}  // namespace

void StartUp(std::string_view savedDataPath)
{
  MakeFolder("c:\\Vetra");
  MakeFolder(kExchangeFolder);
  win::srand(static_cast<unsigned int>(win::time(nullptr)));
  win::OutputDebugStringA(
      vetra::Format("CLumbrelDlg::OnInitDialog FilePath : %s\r\n", std::string(savedDataPath).c_str()));
}

int RunLumbrel(std::string_view commandLine)
{
  const std::string_view path = WithoutQuotes(commandLine);
  StartUp(path);
  if (path.empty()) {
    ShowMessage(vetra::Cp949("기록 파일 선택 창은 아직 준비되지 않았습니다. 저장 데이터 파일을 지정해 "
                             "주십시오: Lumbrel <저장 데이터 파일>"));
    return kExitNoSavedDataFile;
  }
  return ConvertSavedData(path);
}

}  // namespace lumbrel
