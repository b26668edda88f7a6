#include "platform/ui/file_dialog_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/base/drive.h"
#include "platform/base/text.h"

namespace vetra::ui {

namespace fs = std::filesystem;

namespace {

char SeparatorOf(const std::string& folder) { return !folder.empty() && folder.front() == '/' ? '/' : '\\'; }

std::string UserName()
{
  if (const char* user = std::getenv("USER"); user && *user) return user;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_name) return entry->pw_name;
  return {};
}

bool IsLinuxFolder(const fs::path& path)
{
  std::error_code error;
  return fs::is_directory(path, error);
}

// A drive path's names compare without regard to ASCII case, a Linux path's exactly.
bool SameFolder(const std::string& a, const std::string& b)
{
  return SeparatorOf(a) == '/' ? a == b : EqualsNoCase(a, b);
}

}  // namespace

MediaFolders DesktopMediaFolders()
{
  MediaFolders media;
  if (const char* home = std::getenv("HOME"); home && *home) media.home = home;
  const std::string user = UserName();
  if (!user.empty()) {
    media.mountParents.push_back("/media/" + user);
    media.mountParents.push_back("/run/media/" + user);
  }
  media.mountParents.push_back("/media");
  media.mountParents.push_back("/mnt");
  return media;
}

std::vector<std::string> FileDialogDrives(const MediaFolders& media)
{
  std::vector<fs::path> linuxFolders;
  if (!media.home.empty() && IsLinuxFolder(media.home)) linuxFolders.emplace_back(media.home);
  for (const std::string& parent : media.mountParents) {
    std::vector<fs::path> mounted;
    std::error_code error;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
      const fs::path path = it->path();
      const bool isParent = std::find(media.mountParents.begin(), media.mountParents.end(), path.string()) != media.mountParents.end();
      if (!isParent && IsLinuxFolder(path)) mounted.push_back(path);
    }
    std::sort(mounted.begin(), mounted.end());
    linuxFolders.insert(linuxFolders.end(), mounted.begin(), mounted.end());
  }
  std::vector<std::string> drives{"C:\\"};
  for (const fs::path& folder : linuxFolders) {
    const std::string spelled = WindowsPathOf(folder);
    if (std::find(drives.begin(), drives.end(), spelled) == drives.end()) drives.push_back(spelled);
  }
  if (std::find(drives.begin(), drives.end(), "/") == drives.end()) drives.push_back("/");
  return drives;
}

std::string OwnSpelling(const std::string& folder)
{
  if (folder.empty()) return {};
  if (folder.front() == '\\') return OwnSpelling("C:" + folder);
  std::error_code error;
  const fs::path full = fs::weakly_canonical(MapPath(folder), error);
  return WindowsPathOf(error ? MapPath(folder) : full);
}

std::string ParentFolder(const std::string& folder)
{
  const char separator = SeparatorOf(folder);
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == separator) trimmed.pop_back();
  if (trimmed == "/" || (trimmed.size() == 2 && HasDriveLetter(trimmed))) return {};  // a root: the computer
  const std::size_t at = trimmed.rfind(separator);
  if (at == std::string::npos) return {};
  if (at == 0) return "/";
  if (at == 2 && HasDriveLetter(trimmed)) return trimmed.substr(0, 3);  // "C:\"
  return trimmed.substr(0, at);
}

std::string JoinFolder(const std::string& folder, const std::string& name)
{
  if (folder.empty()) return name;
  const char separator = SeparatorOf(folder);
  return folder.back() == separator ? folder + name : folder + separator + name;
}

std::string DriveOf(const std::vector<std::string>& drives, const std::string& folder)
{
  std::string best;
  for (const std::string& drive : drives) {
    if (drive.size() > folder.size() || SeparatorOf(drive) != SeparatorOf(folder)) continue;
    const bool holds = SameFolder(folder.substr(0, drive.size()), drive) &&
                       (folder.size() == drive.size() || drive.back() == SeparatorOf(drive) ||
                        folder[drive.size()] == SeparatorOf(drive));
    if (holds && drive.size() > best.size()) best = drive;
  }
  return best;
}

std::vector<std::string> FoldersBelowDrive(const std::string& drive, const std::string& folder)
{
  std::vector<std::string> chain;
  for (std::string at = folder; !at.empty() && at.size() > drive.size(); at = ParentFolder(at)) chain.push_back(at);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

bool IsFolderPath(const std::string& path)
{
  std::error_code error;
  return !path.empty() && fs::is_directory(MapPath(path), error);
}

bool IsAbsolutePath(const std::string& text)
{
  return HasDriveLetter(text) || (!text.empty() && (text.front() == '\\' || text.front() == '/'));
}

}  // namespace vetra::ui
