#include "platform/print/cups_queue.h"

#include <cups/cups.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/print/cups_connection.h"

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

// A server that kept silent is left alone for a while: a print dialog asks for the printers
// more than once, and each question would wait the whole limit again.
constexpr auto kSilentServerRests = std::chrono::seconds(30);

struct SilentServer {
  std::string name;
  std::chrono::steady_clock::time_point askAgainAt;
};

struct LastSilentServer {
  std::mutex mutex;
  std::optional<SilentServer> server;  // under mutex
};

LastSilentServer& LastSilence()
{
  static auto* last = new LastSilentServer;
  return *last;
}

bool RestingAfterSilence(const std::string& server)
{
  LastSilentServer& last = LastSilence();
  std::lock_guard lock(last.mutex);
  return last.server && last.server->name == server && std::chrono::steady_clock::now() < last.server->askAgainAt;
}

void TellSilence(const CupsConnection& connection, const std::string& what)
{
  {
    LastSilentServer& last = LastSilence();
    std::lock_guard lock(last.mutex);
    last.server = SilentServer{connection.Server(), std::chrono::steady_clock::now() + kSilentServerRests};
  }
  win::OutputDebugStringA(Cp949("The print server " + connection.Server() + " did not answer within " +
                                std::to_string(CupsConnection::kSilenceLimit.count()) + " ms: " + what + "\n"));
}

// The names of the server's queues (printers and classes), in one CUPS-Get-Printers request.
std::vector<std::string> QueueNames(http_t* http)
{
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  static const char* const kWanted[] = {"printer-name"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, kWanted);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ipp_t* answer = cupsDoRequest(http, request, "/");
  std::vector<std::string> names;
  for (ipp_attribute_t* name = ippFindAttribute(answer, "printer-name", IPP_TAG_NAME); name != nullptr;
       name = ippFindNextAttribute(answer, "printer-name", IPP_TAG_NAME)) {
    if (const char* text = ippGetString(name, 0, nullptr)) names.emplace_back(text);
  }
  ippDelete(answer);
  return names;
}

// The user's default queue as libcups finds it (LPDEST or PRINTER, the user's and the system's
// lpoptions, else the server's default), asked on `http`; empty when there is none.
std::string DefaultQueueName(http_t* http)
{
  cups_dest_t* found = cupsGetNamedDest(http, nullptr, nullptr);
  std::string name = found && found->name ? found->name : "";
  if (found) cupsFreeDests(1, found);
  return name;
}

// The queues are asked of the server on the connection that keeps to the limit, and of nothing
// else: libcups's own list of destinations also browses the network for printers through Avahi on
// the system bus, with no limit of its own, and a printer found that way has no queue a job could
// be sent to.
std::vector<CupsQueue> QueuesFromServer()
{
  if (RestingAfterSilence(CupsConnection::ServerName())) return {};
  const CupsConnection connection;
  std::vector<CupsQueue> queues;
  if (http_t* http = connection.Http()) {
    for (std::string& name : QueueNames(http)) queues.push_back({std::move(name), false});
    const std::string defaultName = queues.empty() || connection.ServerSilent() ? "" : DefaultQueueName(http);
    for (CupsQueue& queue : queues) queue.isDefault = !defaultName.empty() && EqualsNoCase(queue.name, defaultName);
  }
  if (connection.ServerSilent()) {
    TellSilence(connection, "its printers are not offered");
    return {};
  }
  return queues;
}

// The request that prints the job's PDF on its queue, and the resource on the server it goes to.
struct PrintRequest {
  ipp_t* request = nullptr;  // the caller's to send (which frees it) or to free
  std::string resource;
};

PrintRequest PrintRequestFor(const CupsJob& job)
{
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s", job.queue.c_str());
  char scheme[32], user[256], host[256], resource[HTTP_MAX_URI];
  int port = 0;
  httpSeparateURI(HTTP_URI_CODING_NONE, uri, scheme, sizeof scheme, user, sizeof user, host, sizeof host, &port, resource,
                  sizeof resource);
  cups_option_t* options = nullptr;
  int count = 0;
  count = cupsAddOption("copies", std::to_string(job.copies).c_str(), count, &options);
  count = cupsAddOption("collate", job.collate ? "true" : "false", count, &options);
  count = cupsAddOption("media", "A4", count, &options);
  count = cupsAddOption("document-format", "application/pdf", count, &options);
  ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, job.titleUtf8.c_str());
  cupsEncodeOptions2(request, count, options, IPP_TAG_OPERATION);
  cupsEncodeOptions2(request, count, options, IPP_TAG_JOB);
  cupsFreeOptions(count, options);
  return {request, resource};
}

// The job goes as one print request on the connection that keeps to the limit: libcups's own
// printing calls look the queue up again, on connections of their own that do not.
bool SubmitToServer(const CupsJob& job)
{
  const CupsConnection connection;
  bool printed = false;
  if (http_t* http = connection.Http()) {
    const PrintRequest print = PrintRequestFor(job);
    ipp_t* answer = cupsDoFileRequest(http, print.request, print.resource.c_str(), job.pdf.c_str());
    printed = answer && ippGetStatusCode(answer) < IPP_STATUS_REDIRECTION_OTHER_SITE;
    ippDelete(answer);
  }
  if (connection.ServerSilent()) {
    TellSilence(connection, "the job was not printed");
    return false;
  }
  if (!printed) win::OutputDebugStringA(Cp949("Printing to " + job.queue + " failed: " + cupsLastErrorString() + "\n"));
  return printed;
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
