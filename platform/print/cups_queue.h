#pragma once
// The CUPS side of printing: the print queues the CUPS server offers and handing a finished PDF
// to one of them. With no CUPS server there are simply no queues, and nothing waits for one.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vetra::print {

struct CupsQueue {
  std::string name;  // UTF-8, as CUPS names it
  bool isDefault = false;
};

struct CupsJob {
  std::string queue;  // UTF-8
  std::filesystem::path pdf;
  std::string titleUtf8;
  int copies = 1;
  bool collate = true;
};

std::vector<CupsQueue> ListCupsQueues();
// Sends the PDF to the queue; the file may be removed once this returns. False when the server
// refused or could not be reached.
bool SubmitCupsJob(const CupsJob& job);

// Tests replace the server: a lister, and a submitter that receives the job instead (the PDF
// still exists while it runs). An empty function puts the real server back.
using CupsLister = std::function<std::vector<CupsQueue>()>;
using CupsSubmitter = std::function<bool(const CupsJob&)>;
void SetCupsListerForTests(CupsLister lister);
void SetCupsSubmitterForTests(CupsSubmitter submitter);
bool HasCupsListerForTests();

}  // namespace vetra::print
