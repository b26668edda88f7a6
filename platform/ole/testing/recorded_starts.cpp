#include "platform/ole/testing/recorded_starts.h"

#include <utility>

#include "platform/base/process.h"

namespace vetra::testing {

RecordedStarts::RecordedStarts(std::vector<std::string>& lines, std::function<bool()> answer)
{
  vetra::SetProcessStarterForTests([&lines, answer = std::move(answer)](const std::string& commandLine) {
    lines.push_back(commandLine);
    return answer ? answer() : true;
  });
}

RecordedStarts::~RecordedStarts() { vetra::SetProcessStarterForTests({}); }

}  // namespace vetra::testing
