#include "platform/print/cups_queue.h"

#include <cups/cups.h>

#include <mutex>
#include <string>

#include "platform/base/text.h"
#include "platform/base/trace.h"

namespace vetra::print {

namespace {

struct Seams {
  std::mutex mutex;
  CupsLister lister;
  CupsSubmitter submitter;
};

Seams& TestSeams()
{
  static auto* seams = new Seams;
  return *seams;
}

std::vector<CupsQueue> QueuesFromServer()
{
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests(&dests);
  std::vector<CupsQueue> queues;
  for (int i = 0; i < count; ++i) {
    // Instances (saved option sets of a queue) are not separate printers here.
    if (dests[i].instance != nullptr || dests[i].name == nullptr) continue;
    queues.push_back({dests[i].name, dests[i].is_default != 0});
  }
  cupsFreeDests(count, dests);
  return queues;
}

bool SubmitToServer(const CupsJob& job)
{
  cups_option_t* options = nullptr;
  int count = 0;
  count = cupsAddOption("copies", std::to_string(job.copies).c_str(), count, &options);
  count = cupsAddOption("collate", job.collate ? "true" : "false", count, &options);
  count = cupsAddOption("media", "A4", count, &options);
  const int id = cupsPrintFile(job.queue.c_str(), job.pdf.c_str(), job.titleUtf8.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (id == 0) win::OutputDebugStringA(Cp949("Printing to " + job.queue + " failed: " + cupsLastErrorString() + "\n"));
  return id != 0;
}

}  // namespace

std::vector<CupsQueue> ListCupsQueues()
{
  CupsLister lister;
  {
    std::lock_guard lock(TestSeams().mutex);
    lister = TestSeams().lister;
  }
  return lister ? lister() : QueuesFromServer();
}

bool SubmitCupsJob(const CupsJob& job)
{
  CupsSubmitter submitter;
  {
    std::lock_guard lock(TestSeams().mutex);
    submitter = TestSeams().submitter;
  }
  return submitter ? submitter(job) : SubmitToServer(job);
}

void SetCupsListerForTests(CupsLister lister)
{
  std::lock_guard lock(TestSeams().mutex);
  TestSeams().lister = std::move(lister);
}

void SetCupsSubmitterForTests(CupsSubmitter submitter)
{
  std::lock_guard lock(TestSeams().mutex);
  TestSeams().submitter = std::move(submitter);
}

bool HasCupsListerForTests()
{
  std::lock_guard lock(TestSeams().mutex);
  return static_cast<bool>(TestSeams().lister);
}

}  // namespace vetra::print
