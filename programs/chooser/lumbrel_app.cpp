#include "programs/chooser/lumbrel_app.h"

#include <optional>

#include "common/savedata/conversion.h"
#include "platform/base/clock.h"
#include "platform/base/file_api.h"
#include "platform/base/random.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "programs/chooser/message_reporter.h"

namespace lumbrel {
namespace {

void MakeFolder(const char* path)
{
  if (win::_access(path, 0) != 0) win::_mkdir(path);
}

}  // namespace

std::string SavedDataPathOf(std::string_view commandLine)
{
  if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"') {
    commandLine = commandLine.substr(1, commandLine.size() - 2);
  }
  return std::string(commandLine);
}

void StartUp(std::string_view savedDataPath)
{
  MakeFolder("c:\\Vetra");
  MakeFolder(savedata::kExchangeFolder);
  win::srand(static_cast<unsigned int>(win::time(nullptr)));
  win::OutputDebugStringA(
      vetra::Format("CLumbrelDlg::OnInitDialog FilePath : %s\r\n", std::string(savedDataPath).c_str()));
}

int ConvertAndReport(std::string_view savedDataPath)
{
  const std::optional<savedata::Failure> failure = savedata::ConvertSavedData(savedDataPath);
  if (!failure) return savedata::kExitOk;
  ShowMessage(failure->message);
  return failure->exitCode;
}

int RunLumbrel(std::string_view commandLine)
{
  const std::string path = SavedDataPathOf(commandLine);
  StartUp(path);
  return ConvertAndReport(path);
}

}  // namespace lumbrel
