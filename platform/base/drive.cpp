#include "platform/base/drive.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/base/current_directory.h"
#include "platform/base/file_names.h"
#include "platform/base/text.h"

namespace vetra {
namespace fs = std::filesystem;
namespace {

std::vector<std::string> SplitComponents(std::string_view path)
{
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

// Resolves "." and ".." lexically; ".." at the top stays at the top.
std::vector<std::string> Normalize(const std::vector<std::string>& parts)
{
  std::vector<std::string> out;
  for (const auto& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(part);
  }
  return out;
}

// Finds `name` in `folder`: the exact name when it exists, else the first entry that matches
// without regard to ASCII case, else the name as given.
std::string LookUp(const fs::path& folder, const std::string& name)
{
  std::error_code ec;
  if (fs::exists(folder / name, ec)) return name;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (EqualsNoCase(candidate, name)) return candidate;
  }
  return name;
}

fs::path Below(const fs::path& root, const std::vector<std::string>& components)
{
  fs::path result = root;
  bool stillMatching = true;
  for (const auto& component : components) {
    std::string name = LinuxFromText(component);
    if (stillMatching) {
      std::string found = LookUp(result, name);
      std::error_code ec;
      stillMatching = fs::exists(result / found, ec);
      result /= found;
    } else {
      result /= name;
    }
  }
  return result;
}

}  // namespace

fs::path DriveRoot()
{
  if (const char* root = std::getenv("VETRA_ROOT"); root != nullptr && *root != '\0') return fs::path(root);
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
    return fs::path(xdg) / "vetra" / "drive_c";
  }
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr ? home : "/tmp") / ".local" / "share" / "vetra" / "drive_c";
}

bool HasDriveLetter(std::string_view path)
{
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

fs::path MapPath(std::string_view windowsPath)
{
  if (HasDriveLetter(windowsPath)) {
    char letter = static_cast<char>(windowsPath[0] | 0x20);
    // Only drive C exists; another letter gets a folder of its own beside it, never drive C.
    fs::path root = letter == 'c' ? DriveRoot() : DriveRoot().parent_path() / (std::string("drive_") + letter);
    return Below(root, Normalize(SplitComponents(windowsPath.substr(2))));
  }
  if (!windowsPath.empty() && windowsPath[0] == '\\') {
    return Below(DriveRoot(), Normalize(SplitComponents(windowsPath)));
  }
  if (!windowsPath.empty() && windowsPath[0] == '/') {
    return fs::path(LinuxFromText(windowsPath));
  }
  std::string base = CurrentDirectory();
  if (HasDriveLetter(base) || (!base.empty() && base[0] == '\\')) {
    return MapPath(base + "\\" + std::string(windowsPath));
  }
  fs::path linuxBase(LinuxFromText(base));
  for (const auto& component : SplitComponents(windowsPath)) {
    linuxBase /= LinuxFromText(component);
  }
  return linuxBase.lexically_normal();
}

std::string WindowsPathOf(const fs::path& linuxPath)
{
  std::error_code ec;
  fs::path root = fs::weakly_canonical(DriveRoot(), ec);
  fs::path full = fs::weakly_canonical(linuxPath, ec);
  fs::path relative = full.lexically_relative(root);
  if (relative.empty() || *relative.begin() == "..") {
    // Outside the drive: the Linux path, each name in the system's spelling.
    std::string out;
    for (const auto& part : linuxPath) {
      if (part == "/" || part.empty()) continue;
      if (!out.empty() || linuxPath.is_absolute()) out += "/";
      out += NameFromLinux(part.string());
    }
    return out.empty() && linuxPath.is_absolute() ? "/" : out;
  }
  std::string out = "C:";
  for (const auto& part : relative) {
    if (part == ".") continue;
    out += "\\";
    out += NameFromLinux(part.string());
  }
  if (out == "C:") out += "\\";
  return out;
}

}  // namespace vetra
