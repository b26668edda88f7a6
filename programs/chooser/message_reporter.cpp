#include "programs/chooser/message_reporter.h"

#include <cstdio>
#include <utility>

#include "platform/base/text.h"

namespace lumbrel {
namespace {

MessageReporter& CurrentReporter()
{
  static MessageReporter reporter;
  return reporter;
}

}  // namespace

MessageReporter SetMessageReporter(MessageReporter reporter)
{
  return std::exchange(CurrentReporter(), std::move(reporter));
}

void ShowMessage(const std::string& cp949)
{
  if (CurrentReporter()) {
    CurrentReporter()(cp949);
    return;
  }
  const std::string text = vetra::Utf8(cp949) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace lumbrel
