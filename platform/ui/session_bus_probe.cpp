#include "platform/ui/session_bus_probe.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/base/unique_fd.h"

namespace vetra::ui {

namespace {

using Clock = std::chrono::steady_clock;

enum class Verdict { Unreached, Answers, Silent };

// A value of a D-Bus address, with its %XX escapes undone.
std::string Unescaped(std::string_view value)
{
  std::string plain;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size()) {
      const std::string hex(value.substr(i + 1, 2));
      char* end = nullptr;
      const long byte = std::strtol(hex.c_str(), &end, 16);
      if (end == hex.c_str() + 2) {
        plain.push_back(static_cast<char>(byte));
        i += 2;
        continue;
      }
    }
    plain.push_back(value[i]);
  }
  return plain;
}

struct UnixSocket {
  sockaddr_un address{};
  socklen_t length = 0;
};

// A socket named in the file system, or in the abstract name space (which Linux keeps apart from
// files: the name starts with a zero byte and runs to its length, with no end mark).
std::optional<UnixSocket> UnixSocketNamed(const std::string& name, bool abstract)
{
  UnixSocket socket;
  socket.address.sun_family = AF_UNIX;
  const size_t offset = abstract ? 1 : 0;
  if (name.empty() || offset + name.size() >= sizeof(socket.address.sun_path)) return std::nullopt;
  std::memcpy(socket.address.sun_path + offset, name.data(), name.size());
  socket.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + name.size() + (abstract ? 0 : 1));
  return socket;
}

// The socket of one "unix:" entry (path= or abstract=); nothing for other transports.
std::optional<UnixSocket> UnixSocketOf(std::string_view entry)
{
  constexpr std::string_view kUnix = "unix:";
  if (!entry.starts_with(kUnix)) return std::nullopt;
  std::string_view keys = entry.substr(kUnix.size());
  while (!keys.empty()) {
    const size_t comma = keys.find(',');
    const std::string_view pair = keys.substr(0, comma);
    keys = comma == std::string_view::npos ? std::string_view() : keys.substr(comma + 1);
    const size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = pair.substr(0, equals);
    if (key != "path" && key != "abstract") continue;
    return UnixSocketNamed(Unescaped(pair.substr(equals + 1)), key == "abstract");
  }
  return std::nullopt;
}

// Connects and starts a login as libdbus does (a zero byte, then the first line of its
// authentication); any answer at all shows the bus is alive.
Verdict Ask(const UnixSocket& at, Clock::time_point deadline)
{
  const UniqueFd bus(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!bus.IsOpen()) return Verdict::Unreached;
  if (connect(bus.Get(), reinterpret_cast<const sockaddr*>(&at.address), at.length) != 0) {
    // A bus whose queue of new connections is full takes none in: it is not taking them.
    return errno == EAGAIN ? Verdict::Silent : Verdict::Unreached;
  }
  std::string uid;
  for (const char digit : std::to_string(getuid())) {
    static constexpr char kHex[] = "0123456789abcdef";
    uid.push_back(kHex[static_cast<unsigned char>(digit) >> 4]);
    uid.push_back(kHex[static_cast<unsigned char>(digit) & 0xF]);
  }
  const std::string login = std::string(1, '\0') + "AUTH EXTERNAL " + uid + "\r\n";
  if (send(bus.Get(), login.data(), login.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(login.size())) return Verdict::Unreached;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return Verdict::Silent;
    pollfd waiting{bus.Get(), POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return ready == 0 ? Verdict::Silent : Verdict::Unreached;
    char answer[64];
    const ssize_t got = recv(bus.Get(), answer, sizeof answer, 0);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    // Words, or the bus closing on us: either way a client of it does not wait.
    return got > 0 ? Verdict::Answers : Verdict::Unreached;
  }
}

}  // namespace

bool BusIsSilent(std::string_view address, std::chrono::milliseconds limit)
{
  const Clock::time_point deadline = Clock::now() + limit;
  // libdbus tries the entries in turn and keeps the first that connects.
  while (!address.empty()) {
    const size_t semicolon = address.find(';');
    const std::string_view entry = address.substr(0, semicolon);
    address = semicolon == std::string_view::npos ? std::string_view() : address.substr(semicolon + 1);
    if (entry.empty()) continue;
    const std::optional<UnixSocket> socket = UnixSocketOf(entry);
    // A transport not judged here: its clients are left to it.
    if (!socket) return false;
    const Verdict verdict = Ask(*socket, deadline);
    if (verdict != Verdict::Unreached) return verdict == Verdict::Silent;
  }
  return false;
}

bool SessionBusIsSilent(std::chrono::milliseconds limit)
{
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) return BusIsSilent(address, limit);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  const std::string path = std::string(runtime) + "/bus";
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode)) return false;
  const std::optional<UnixSocket> socket = UnixSocketNamed(path, false);
  return socket && Ask(*socket, Clock::now() + limit) == Verdict::Silent;
}

}  // namespace vetra::ui
