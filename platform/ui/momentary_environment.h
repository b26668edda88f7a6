#pragma once
// An environment variable set for a moment and then put back as it was, so that programs this one
// starts find the environment as the user left it. setenv is unsafe while another thread may read
// the environment: only code that runs before the process has threads of its own uses this.

#include <cstdlib>
#include <optional>
#include <string>

namespace vetra::ui {

class MomentaryEnvironment {
public:
  MomentaryEnvironment(const char* name, const char* value) : m_name(name)
  {
    if (const char* before = std::getenv(name)) m_before = before;
    setenv(name, value, 1);
  }
  ~MomentaryEnvironment()
  {
    if (m_before) setenv(m_name, m_before->c_str(), 1);
    else unsetenv(m_name);
  }
  MomentaryEnvironment(const MomentaryEnvironment&) = delete;
  MomentaryEnvironment& operator=(const MomentaryEnvironment&) = delete;

private:
  const char* m_name;
  std::optional<std::string> m_before;
};

}  // namespace vetra::ui
