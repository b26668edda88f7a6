#pragma once
// A CUPS server of the test's own on a Unix socket, answering as cupsd does: it offers the queues
// it is given and takes print jobs, keeping what each brought.

#include <cups/http.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vetra::print::testing {

class AnsweringCups {
public:
  struct Job {
    std::string resource;                           // where the request was posted
    std::map<std::string, std::string> attributes;  // name: values as IPP shows them
    std::string document;
  };

  AnsweringCups(const std::filesystem::path& socket, std::vector<std::string> queues, std::string defaultQueue);
  ~AnsweringCups();
  AnsweringCups(const AnsweringCups&) = delete;
  AnsweringCups& operator=(const AnsweringCups&) = delete;

  bool Listening() const { return m_listener >= 0; }
  std::vector<Job> Jobs() const;

private:
  void Serve(http_t* http);

  std::vector<std::string> m_queues;
  std::string m_default;
  int m_listener = -1;
  mutable std::mutex m_mutex;
  std::vector<Job> m_jobs;  // under m_mutex
  int m_serving = -1;       // the connection being served, under m_mutex
  bool m_ending = false;    // under m_mutex
  std::thread m_thread;
};

}  // namespace vetra::print::testing
