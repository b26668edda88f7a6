#include "platform/ole/control_registry.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/drive.h"
#include "platform/base/regular_file.h"

namespace win {
namespace {

std::vector<ControlRegistration> ReadAll()
{
  std::vector<ControlRegistration> entries;
  std::istringstream in(vetra::ReadRegularFile(vetra::MapPath(ControlRegistry::kPath)).value_or(""));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const auto guid = ParseGuid(std::string_view(line).substr(1, line.size() - 2));
      if (guid) entries.push_back({GuidText(*guid), {}, {}});
      else entries.push_back({});  // a damaged section: its keys are read and dropped
      continue;
    }
    if (entries.empty()) continue;
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "ProgID") entries.back().progId = value;
    else if (key == "Module") entries.back().modulePath = value;
  }
  std::erase_if(entries, [](const ControlRegistration& e) { return e.clsid.empty(); });
  return entries;
}

bool WriteAll(const std::vector<ControlRegistration>& entries)
{
  const std::filesystem::path path = vetra::MapPath(ControlRegistry::kPath);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ostringstream text;
  for (const ControlRegistration& entry : entries) {
    text << '[' << entry.clsid << "]\r\nProgID=" << entry.progId << "\r\nModule=" << entry.modulePath
         << "\r\n";
  }
  const std::filesystem::path temporary = path.string() + "." + std::to_string(::getpid()) + ".new";  // one per process
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text.str();
    if (!out.flush()) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace

bool ControlRegistry::Register(const ControlRegistration& registration)
{
  const auto guid = ParseGuid(registration.clsid);
  if (!guid) return false;
  ControlRegistration entry = registration;
  entry.clsid = GuidText(*guid);
  std::vector<ControlRegistration> entries = ReadAll();
  std::erase_if(entries, [&](const ControlRegistration& e) { return e.clsid == entry.clsid; });
  entries.push_back(std::move(entry));
  return WriteAll(entries);
}

bool ControlRegistry::Unregister(std::string_view clsidText)
{
  const auto guid = ParseGuid(clsidText);
  if (!guid) return false;
  std::vector<ControlRegistration> entries = ReadAll();
  const auto removed =
      std::erase_if(entries, [&](const ControlRegistration& e) { return e.clsid == GuidText(*guid); });
  return removed == 0 || WriteAll(entries);
}

std::optional<ControlRegistration> ControlRegistry::Find(std::string_view clsidText)
{
  const auto guid = ParseGuid(clsidText);
  if (!guid) return std::nullopt;
  for (ControlRegistration& entry : ReadAll()) {
    if (entry.clsid == GuidText(*guid)) return std::move(entry);
  }
  return std::nullopt;
}

std::vector<ControlRegistration> ControlRegistry::All() { return ReadAll(); }

}  // namespace win
