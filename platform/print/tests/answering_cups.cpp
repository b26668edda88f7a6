#include "platform/print/tests/answering_cups.h"

#include <cups/cups.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

#include "platform/base/testing/silent_server.h"

namespace vetra::print::testing {

namespace {

std::map<std::string, std::string> AttributesOf(ipp_t* request)
{
  std::map<std::string, std::string> attributes;
  for (ipp_attribute_t* a = ippFirstAttribute(request); a; a = ippNextAttribute(request)) {
    if (!ippGetName(a)) continue;
    char value[1024];
    ippAttributeString(a, value, sizeof value);
    attributes[ippGetName(a)] = value;
  }
  return attributes;
}

void AddPrinter(ipp_t* response, const std::string& name)
{
  ippAddSeparator(response);
  ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr, name.c_str());
  const std::string uri = "ipp://localhost/printers/" + name;
  ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr, uri.c_str());
  ippAddInteger(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
}

}  // namespace

AnsweringCups::AnsweringCups(const std::filesystem::path& socketPath, std::vector<std::string> queues, std::string defaultQueue)
    : m_queues(std::move(queues)), m_default(std::move(defaultQueue))
{
  const int listener = vetra::testing::ListenAtUnixSocket(socketPath);
  if (listener < 0) return;
  m_listener = listener;
  m_thread = std::thread([this] {
    for (;;) {
      http_t* http = httpAcceptConnection(m_listener, 1);
      {
        std::lock_guard lock(m_mutex);
        if (!http || m_ending) {
          if (http) httpClose(http);
          return;
        }
        m_serving = httpGetFd(http);
      }
      Serve(http);
      std::lock_guard lock(m_mutex);
      m_serving = -1;
      httpClose(http);
    }
  });
}

AnsweringCups::~AnsweringCups()
{
  {
    std::lock_guard lock(m_mutex);
    m_ending = true;
    if (m_serving >= 0) shutdown(m_serving, SHUT_RDWR);
  }
  if (m_listener >= 0) shutdown(m_listener, SHUT_RDWR);
  if (m_thread.joinable()) m_thread.join();
  if (m_listener >= 0) close(m_listener);
}

std::vector<AnsweringCups::Job> AnsweringCups::Jobs() const
{
  std::lock_guard lock(m_mutex);
  return m_jobs;
}

// One connection, request after request, until the client closes it.
void AnsweringCups::Serve(http_t* http)
{
  for (;;) {
    char resource[1024];
    const http_state_t state = httpReadRequest(http, resource, sizeof resource);
    if (state != HTTP_STATE_POST) return;
    http_status_t status;
    while ((status = httpUpdate(http)) == HTTP_STATUS_CONTINUE) {
    }
    if (status != HTTP_STATUS_OK) return;
    if (httpGetExpect(http) == HTTP_STATUS_CONTINUE) httpWriteResponse(http, HTTP_STATUS_CONTINUE);
    ipp_t* request = ippNew();
    ipp_state_t read;
    while ((read = ippRead(http, request)) != IPP_STATE_DATA && read != IPP_STATE_ERROR) {
    }
    if (read == IPP_STATE_ERROR) {
      ippDelete(request);
      return;
    }
    std::string document;
    char buffer[8192];
    for (ssize_t got; (got = httpRead2(http, buffer, sizeof buffer)) > 0;) document.append(buffer, static_cast<size_t>(got));

    ipp_t* response = ippNewResponse(request);
    switch (ippGetOperation(request)) {
    case IPP_OP_CUPS_GET_PRINTERS:
      for (const std::string& queue : m_queues) AddPrinter(response, queue);
      break;
    case IPP_OP_CUPS_GET_DEFAULT:
      if (m_default.empty()) ippSetStatusCode(response, IPP_STATUS_ERROR_NOT_FOUND);
      else AddPrinter(response, m_default);
      break;
    case IPP_OP_PRINT_JOB: {
      std::lock_guard lock(m_mutex);
      m_jobs.push_back({resource, AttributesOf(request), std::move(document)});
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", static_cast<int>(m_jobs.size()));
      break;
    }
    default:
      ippSetStatusCode(response, IPP_STATUS_ERROR_OPERATION_NOT_SUPPORTED);
      break;
    }
    ippDelete(request);
    httpClearFields(http);
    httpSetField(http, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http, ippLength(response));
    const bool sent = httpWriteResponse(http, HTTP_STATUS_OK) == 0;
    while (sent && (read = ippWrite(http, response)) != IPP_STATE_DATA && read != IPP_STATE_ERROR) {
    }
    ippDelete(response);
    if (!sent || read == IPP_STATE_ERROR) return;
  }
}

}  // namespace vetra::print::testing
