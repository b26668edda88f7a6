#pragma once
// An X server of the test's own (Xvfb) for on-screen tests that end the server under a program,
// as a desktop session that ends does.

#include <sys/types.h>

#include <string>

namespace vetra::testing {

class PrivateXServer {
public:
  // Starts the server and waits until it takes connections.
  PrivateXServer();
  ~PrivateXServer();
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // Its display name (":N"), empty when it did not start.
  const std::string& Name() const { return m_name; }

  // Ends the server at once and waits for it.
  void End();

private:
  pid_t m_pid = -1;
  std::string m_name;
};

// A display name (":N") that no server has: far above the numbers servers pick for themselves
// (the lowest free), with no socket or lock. A display just ended is no such name, since the next
// server started by a parallel test takes the lowest free number.
std::string DisplayThatIsNotThere();

}  // namespace vetra::testing
