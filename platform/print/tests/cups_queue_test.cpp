// The CUPS side against servers of the test's own: one that answers as cupsd does, and one that
// takes connections and never answers, as a frozen cupsd does.

#include "platform/print/cups_queue.h"

#include <cups/cups.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/testing/silent_server.h"
#include "platform/base/testing/temp_drive.h"
#include "platform/base/trace.h"
#include "platform/base/text.h"
#include "platform/print/cups_connection.h"
#include "platform/print/tests/answering_cups.h"

namespace vetra::print {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The queues' names, "*" marking the default.
std::vector<std::string> Names(const std::vector<CupsQueue>& queues)
{
  std::vector<std::string> names;
  for (const CupsQueue& queue : queues) names.push_back(queue.name + (queue.isDefault ? "*" : ""));
  return names;
}

class CupsServerOfOurOwn : public ::testing::Test {
protected:
  CupsServerOfOurOwn()
  {
    cupsSetServer(socket.c_str());
    drive.WriteFile("report.pdf", "%PDF-1.4 a report page\n%%EOF\n");
    m_previousSink = SetTraceSink([this](std::string_view text) { traces += Utf8(text); });
  }
  ~CupsServerOfOurOwn() override
  {
    SetTraceSink(std::move(m_previousSink));
    cupsSetServer(nullptr);
  }

  CupsJob Job(int copies = 1, bool collate = true) const
  {
    return {"Office", drive / "report.pdf", "시운전 보고서", copies, collate};
  }

  vetra::testing::TempDrive drive;
  fs::path socket = drive / "cupsd.sock";
  std::string traces;

private:
  TraceSink m_previousSink;
};

TEST_F(CupsServerOfOurOwn, ItsQueuesAreListedWithItsDefault)
{
  const testing::AnsweringCups cups(socket, {"Laser", "Office"}, "Office");
  ASSERT_TRUE(cups.Listening());
  EXPECT_EQ(Names(ListCupsQueues()), (std::vector<std::string>{"Laser", "Office*"}));
}

TEST_F(CupsServerOfOurOwn, AJobBringsItsDocumentTitleAndCopiesToTheQueue)
{
  const testing::AnsweringCups cups(socket, {"Office"}, "Office");
  ASSERT_TRUE(cups.Listening());
  struct Case {
    int copies;
    bool collate;
  };
  const Case cases[] = {{1, true}, {3, false}};
  for (const Case& c : cases) ASSERT_TRUE(SubmitCupsJob(Job(c.copies, c.collate))) << traces;
  const std::vector<testing::AnsweringCups::Job> jobs = cups.Jobs();
  ASSERT_EQ(jobs.size(), std::size(cases));
  for (size_t i = 0; i < jobs.size(); ++i) {
    const auto& job = jobs[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(job.resource, "/printers/Office");
    EXPECT_TRUE(job.attributes.at("printer-uri").ends_with("/printers/Office"));
    EXPECT_EQ(job.attributes.at("job-name"), "시운전 보고서");
    EXPECT_EQ(job.attributes.at("document-format"), "application/pdf");
    EXPECT_EQ(job.attributes.at("copies"), std::to_string(cases[i].copies));
    EXPECT_EQ(job.attributes.at("collate"), cases[i].collate ? "true" : "false");
    EXPECT_EQ(job.attributes.at("media"), "A4");
    EXPECT_EQ(job.document, drive.ReadFile("report.pdf"));
  }
}

// The printer list asks the print server only: libcups's own list also browses the network for
// printers through Avahi on the system bus, and a system bus that takes connections and never
// answers would hold it for good. The list runs in a process of its own here, which an alarm ends
// should it hang.
bool ListsWithoutTouchingTheSystemBus(const fs::path& cupsSocket, const fs::path& busSocket)
{
  const testing::AnsweringCups cups(cupsSocket, {"Laser", "Office"}, "Office");
  const vetra::testing::SilentServer systemBus(busSocket);
  alarm(10);
  const bool listed = Names(ListCupsQueues()) == std::vector<std::string>{"Laser", "Office*"};
  return listed && systemBus.Listening() && systemBus.Connections() == 0;
}

TEST_F(CupsServerOfOurOwn, ThePrinterListAsksNoDesktopServiceButThePrintServer)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const fs::path busSocket = drive / "system_bus";
  ASSERT_EQ(setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + busSocket.string()).c_str(), 1), 0);
  EXPECT_EXIT(std::_Exit(ListsWithoutTouchingTheSystemBus(socket, busSocket) ? 0 : 1), ::testing::ExitedWithCode(0), "");
  unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
}

TEST_F(CupsServerOfOurOwn, AJobToAServerThatNeverAnswersFailsWithinTheLimit)
{
  const vetra::testing::SilentServer cups(socket);
  ASSERT_TRUE(cups.Listening());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(SubmitCupsJob(Job()));
  EXPECT_LT(std::chrono::steady_clock::now() - start, CupsConnection::kSilenceLimit + 3s);
  EXPECT_GE(cups.Connections(), 1);
  EXPECT_NE(traces.find("did not answer"), std::string::npos) << traces;
}

}  // namespace
}  // namespace vetra::print
