#pragma once
// While it lives, the programs the code under test starts are only noted, in order, and the start
// answers as `answer` says.
#include <functional>
#include <string>
#include <vector>

namespace vetra::testing {

class RecordedStarts {
public:
  explicit RecordedStarts(std::vector<std::string>& lines, std::function<bool()> answer = {});
  ~RecordedStarts();
  RecordedStarts(const RecordedStarts&) = delete;
  RecordedStarts& operator=(const RecordedStarts&) = delete;
};

}  // namespace vetra::testing
