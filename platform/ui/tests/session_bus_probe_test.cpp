#include "platform/ui/session_bus_probe.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/base/testing/silent_server.h"
#include "platform/base/testing/temp_drive.h"

namespace vetra::ui {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kLimit = 300ms;

// A bus that answers the first line of a login, as dbus-daemon does, then closes.
class AnsweringBus {
public:
  explicit AnsweringBus(const fs::path& path)
  {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    listen(m_listener, 4);
    m_thread = std::thread([this] {
      const int client = accept(m_listener, nullptr, nullptr);
      if (client < 0) return;
      char login[256];
      if (recv(client, login, sizeof login, 0) > 0) send(client, "OK 0123456789abcdef\r\n", 21, MSG_NOSIGNAL);
      close(client);
    });
  }
  ~AnsweringBus()
  {
    shutdown(m_listener, SHUT_RDWR);
    m_thread.join();
    close(m_listener);
  }
  AnsweringBus(const AnsweringBus&) = delete;
  AnsweringBus& operator=(const AnsweringBus&) = delete;

private:
  int m_listener = -1;
  std::thread m_thread;
};

TEST(SessionBusProbe, OnlyABusThatIsReachedAndSaysNothingIsSilent)
{
  const vetra::testing::TempDrive drive;
  const vetra::testing::SilentServer silent(drive / "silent,bus");
  ASSERT_TRUE(silent.Listening());
  const std::string silentBus = "unix:path=" + (drive / "silent%2cbus").string();
  const std::string missingBus = "unix:path=" + (drive / "missing").string();
  struct Case {
    const char* what;
    std::string address;
    bool answering;  // an answering bus listens at drive/answering
    bool silent;
  };
  const Case cases[] = {
      {"a bus that never answers", silentBus, false, true},
      {"a bus that answers", "unix:path=" + (drive / "answering").string() + ",guid=0123", true, false},
      {"no bus at the address", missingBus, false, false},
      {"the first address reached decides", missingBus + ";" + silentBus, false, true},
      {"an answering bus before a silent one", "unix:path=" + (drive / "answering").string() + ";" + silentBus, true, false},
      {"a transport not judged", "autolaunch:;" + silentBus, false, false},
      {"nothing at all", "", false, false},
  };
  for (const Case& c : cases) {
    std::optional<AnsweringBus> answering;
    if (c.answering) answering.emplace(drive / "answering");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(BusIsSilent(c.address, kLimit), c.silent) << c.what;
    EXPECT_LT(std::chrono::steady_clock::now() - start, kLimit + 1s) << c.what;
    answering.reset();
    fs::remove(drive / "answering");
  }
}

TEST(SessionBusProbe, WithoutAnAddressTheBusInTheRuntimeFolderIsAsked)
{
  const vetra::testing::TempDrive drive;
  const vetra::testing::SilentServer silent(drive / "bus");
  ASSERT_TRUE(silent.Listening());
  const char* before = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string kept = before ? before : "";
  const char* runtimeBefore = std::getenv("XDG_RUNTIME_DIR");
  const std::string runtimeKept = runtimeBefore ? runtimeBefore : "";
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  setenv("XDG_RUNTIME_DIR", drive.Root().c_str(), 1);
  EXPECT_TRUE(SessionBusIsSilent(kLimit));
  setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (drive / "missing").string()).c_str(), 1);
  EXPECT_FALSE(SessionBusIsSilent(kLimit));
  if (before) setenv("DBUS_SESSION_BUS_ADDRESS", kept.c_str(), 1);
  else unsetenv("DBUS_SESSION_BUS_ADDRESS");
  if (runtimeBefore) setenv("XDG_RUNTIME_DIR", runtimeKept.c_str(), 1);
  else unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace vetra::ui
