#include "platform/base/current_directory.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/base/drive.h"

namespace vetra {

std::string CurrentDirectory()
{
  std::error_code ec;
  std::filesystem::path cwd = std::filesystem::current_path(ec);
  if (ec) return "C:\\";
  return WindowsPathOf(cwd);
}

bool ChangeCurrentDirectory(std::string_view path)
{
  std::filesystem::path target = MapPath(path);
  std::error_code ec;
  if (!std::filesystem::is_directory(target, ec)) return false;
  return ::chdir(target.c_str()) == 0;
}

}  // namespace vetra
