#include "platform/base/window_titles.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <system_error>

#include "platform/base/drive.h"

namespace vetra {
namespace fs = std::filesystem;
namespace {

// One file per window: "<pid>-<process start time>-<window id>" holding the title. The start
// time tells a live process from a later one that was given the same pid.
struct Entry {
  long pid = 0;
  unsigned long long started = 0;
  std::uint64_t windowId = 0;
};

fs::path RegistryFolder()
{
  return MapPath("C:\\Windows\\WindowTitles");
}

// The start time of a process (clock ticks after boot), or nullopt when no live process has the
// pid. A zombie counts as dead: its windows are gone.
std::optional<unsigned long long> StartTimeOf(long pid)
{
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) {
    // Without /proc only the pid can be checked.
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) return 0;
    return std::nullopt;
  }
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string state;
  fields >> state;
  if (state == "Z" || state == "X") return std::nullopt;
  std::string skipped;
  for (int field = 4; field < 22; ++field) fields >> skipped;
  unsigned long long started = 0;
  fields >> started;
  return started;
}

std::string EntryName(std::uint64_t windowId)
{
  long pid = static_cast<long>(::getpid());
  return std::to_string(pid) + "-" + std::to_string(StartTimeOf(pid).value_or(0)) + "-" + std::to_string(windowId);
}

template <typename Number>
bool TakeNumber(std::string_view& text, Number& value, bool last)
{
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  if (last) return text.empty();
  if (text.empty() || text.front() != '-') return false;
  text.remove_prefix(1);
  return true;
}

std::optional<Entry> ParseEntryName(std::string_view name)
{
  Entry entry;
  if (TakeNumber(name, entry.pid, false) && TakeNumber(name, entry.started, false) &&
      TakeNumber(name, entry.windowId, true)) {
    return entry;
  }
  return std::nullopt;
}

bool IsAlive(const Entry& entry, std::map<long, bool>& known)
{
  auto found = known.find(entry.pid);
  if (found != known.end()) return found->second;
  auto started = StartTimeOf(entry.pid);
  bool alive = started.has_value() && (*started == entry.started || entry.started == 0 || *started == 0);
  known.emplace(entry.pid, alive);
  return alive;
}

}  // namespace

void PublishWindowTitle(std::uint64_t windowId, std::string_view cp949Title)
{
  fs::path folder = RegistryFolder();
  std::error_code ec;
  fs::create_directories(folder, ec);
  std::string name = EntryName(windowId);
  // Written beside the entry and renamed over it, so a reader sees the old title or the new one.
  fs::path temporary = folder / ("." + name);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(cp949Title.data(), static_cast<std::streamsize>(cp949Title.size()));
    // The bytes reach the file when it closes: only then is a full disk known.
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      return;
    }
  }
  fs::rename(temporary, folder / name, ec);
  if (ec) fs::remove(temporary, ec);
}

void WithdrawWindowTitle(std::uint64_t windowId)
{
  std::error_code ec;
  fs::remove(RegistryFolder() / EntryName(windowId), ec);
}

bool WindowTitleExists(std::string_view cp949Title)
{
  std::error_code ec;
  std::map<long, bool> alive;
  bool exists = false;
  for (fs::directory_iterator it(RegistryFolder(), ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    bool writing = !name.empty() && name.front() == '.';
    auto entry = ParseEntryName(writing ? std::string_view(name).substr(1) : std::string_view(name));
    if (!entry) continue;
    if (!IsAlive(*entry, alive)) {
      // Left behind by a process that died without closing its windows.
      std::error_code ignored;
      fs::remove(it->path(), ignored);
      continue;
    }
    if (writing || exists) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::string title((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    exists = title == cp949Title;
  }
  return exists;
}

}  // namespace vetra
