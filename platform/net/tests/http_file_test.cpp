#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/base/text.h"
#include "platform/net/internet_exception.h"
#include "platform/net/http_transfer.h"
#include "platform/net/internet_session.h"
#include "platform/net/testing/loopback_http_server.h"

namespace win {
namespace {

using vetra::testing::HttpPortOverride;
using vetra::testing::HttpReply;
using vetra::testing::LoopbackHttpServer;
using Framing = HttpReply::Framing;
using Clock = std::chrono::steady_clock;

constexpr DWORD kShortTimeoutMs = 200;

HttpReply PatternReply(std::size_t size, Framing framing = Framing::ContentLength)
{
  HttpReply reply;
  reply.patternSize = size;
  reply.framing = framing;
  return reply;
}

// A request made the way the download dialogs make theirs: a session, a connection to port 80
// (redirected to the test server), a GET with the reload flag.
struct Request {
  explicit Request(const LoopbackHttpServer& server, std::string_view object = "Data/file.res",
                   DWORD flags = INTERNET_FLAG_RELOAD)
      : port(server.Port())
  {
    session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, kShortTimeoutMs);
    session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, kShortTimeoutMs);
    connection = session.GetHttpConnection("127.0.0.1", INTERNET_DEFAULT_HTTP_PORT);
    file = connection->OpenRequest(CHttpConnection::HTTP_VERB_GET, object, nullptr, 1, nullptr, nullptr, flags);
  }

  HttpPortOverride port;
  CInternetSession session{nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG};
  std::unique_ptr<CHttpConnection> connection;
  std::unique_ptr<CHttpFile> file;
};

struct Transfer {
  std::string body;
  int reads = 0;
};

// The dialogs' loop: fixed-size pieces until a piece comes back short.
Transfer ReadInPieces(CHttpFile& file, UINT piece)
{
  Transfer transfer;
  std::string buffer(piece, '\0');
  for (;;) {
    UINT got = file.Read(buffer.data(), piece);
    ++transfer.reads;
    transfer.body.append(buffer, 0, got);
    if (got < piece) return transfer;
  }
}

DWORD ErrorOf(const std::function<void()>& action)
{
  try {
    action();
  } catch (const CInternetException& failure) {
    return failure.m_dwError;
  }
  return 0;
}

TEST(HttpFile, BodiesArriveWholeInFixedPieces)
{
  for (Framing framing : {Framing::ContentLength, Framing::Chunked, Framing::CloseDelimited}) {
    for (std::size_t size : {0u, 1u, 1023u, 1024u, 2048u, 3000u, 200000u}) {
      for (UINT piece : {1024u, 2048u}) {
        SCOPED_TRACE(vetra::Format("framing %d, size %zu, piece %u", static_cast<int>(framing), size, piece));
        LoopbackHttpServer server(PatternReply(size, framing));
        Request request(server);
        ASSERT_TRUE(request.file->SendRequest());
        DWORD status = 0;
        ASSERT_TRUE(request.file->QueryInfoStatusCode(status));
        EXPECT_EQ(status, HTTP_STATUS_OK);

        Transfer transfer = ReadInPieces(*request.file, piece);
        EXPECT_TRUE(transfer.body == LoopbackHttpServer::PatternBytes(0, size));
        // A body of whole pieces ends with one read that returns nothing.
        EXPECT_EQ(transfer.reads, static_cast<int>(size / piece) + 1);
        EXPECT_EQ(request.file->Read(transfer.body.data(), piece), 0u);
      }
    }
  }
}

TEST(HttpFile, StatusIsVisibleAndTheAnswersBodyReadable)
{
  const struct {
    int status;
    std::string body;
  } cases[] = {{200, "recording"}, {404, "<html>not here</html>"}, {500, ""}, {301, "moved"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    HttpReply reply;
    reply.status = c.status;
    reply.body = c.body;
    LoopbackHttpServer server(reply);
    Request request(server);
    DWORD status = 0;
    EXPECT_FALSE(request.file->QueryInfoStatusCode(status));
    ASSERT_TRUE(request.file->SendRequest());
    ASSERT_TRUE(request.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, static_cast<DWORD>(c.status));
    EXPECT_EQ(ReadInPieces(*request.file, 1024).body, c.body);
  }
}

TEST(HttpFile, RequestNamesThePathAndAsksForAFreshCopy)
{
  const struct {
    std::string object;
    DWORD flags;
    std::string requestLine;
    bool noCache;
  } cases[] = {
      {"Data/file.res", INTERNET_FLAG_RELOAD, "GET /Data/file.res HTTP/1.1", true},
      {vetra::Cp949("/자료/a b.zip"), INTERNET_FLAG_EXISTING_CONNECT, "GET /%C0%DA%B7%E1/a%20b.zip HTTP/1.1", false},
      {"Data/100%[1].zip?v=2", INTERNET_FLAG_RELOAD, "GET /Data/100%25[1].zip?v=2 HTTP/1.1", true},
      {"a/../b", INTERNET_FLAG_RELOAD, "GET /a/../b HTTP/1.1", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.requestLine);
    LoopbackHttpServer server(HttpReply{});
    Request request(server, c.object, c.flags);
    ASSERT_TRUE(request.file->SendRequest());
    ReadInPieces(*request.file, 1024);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& head = requests[0];
    EXPECT_EQ(head.substr(0, head.find("\r\n")), c.requestLine);
    EXPECT_NE(head.find(vetra::Format("\r\nHost: 127.0.0.1:%u", server.Port())), std::string::npos);
    EXPECT_EQ(head.find("\r\nPragma: no-cache") != std::string::npos, c.noCache);
  }
}

TEST(HttpFile, FailuresAreThrownNeverReadAsAShortBody)
{
  enum class Stage { Send, Read };
  const std::size_t size = 10000;
  auto cut = [&](Framing framing, HttpReply::Cut how) {
    HttpReply reply = PatternReply(size, framing);
    reply.stopAfter = 5000;
    reply.cut = how;
    return reply;
  };
  HttpReply silent;
  silent.answer = false;
  const struct {
    const char* name;
    HttpReply reply;
    Stage stage;
    DWORD error;
  } cases[] = {
      {"server answers nothing", silent, Stage::Send, ERROR_INTERNET_TIMEOUT},
      {"body stalls", cut(Framing::ContentLength, HttpReply::Cut::Stall), Stage::Read, ERROR_INTERNET_TIMEOUT},
      {"body cut short", cut(Framing::ContentLength, HttpReply::Cut::Close), Stage::Read,
       ERROR_INTERNET_CONNECTION_ABORTED},
      {"chunked body cut short", cut(Framing::Chunked, HttpReply::Cut::Close), Stage::Read,
       ERROR_INTERNET_CONNECTION_ABORTED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackHttpServer server(c.reply);
    Request request(server);
    const auto started = Clock::now();
    if (c.stage == Stage::Send) {
      EXPECT_EQ(ErrorOf([&] { request.file->SendRequest(); }), c.error);
    } else {
      ASSERT_TRUE(request.file->SendRequest());
      EXPECT_EQ(ErrorOf([&] { ReadInPieces(*request.file, 1024); }), c.error);
    }
    // Bounded by the timeouts, with room for a loaded machine.
    EXPECT_LT(Clock::now() - started, std::chrono::milliseconds(5 * 2 * kShortTimeoutMs));
  }
}

TEST(HttpFile, RefusedConnectionIsThrown)
{
  HttpPortOverride port(LoopbackHttpServer::UnusedPort());
  CInternetSession session;
  auto connection = session.GetHttpConnection("127.0.0.1");
  auto file = connection->OpenRequest(CHttpConnection::HTTP_VERB_GET, "x");
  try {
    file->SendRequest();
    FAIL() << "a refused connection was taken for an answer";
  } catch (const CInternetException& failure) {
    EXPECT_EQ(failure.m_dwError, ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_EQ(failure.GetErrorMessage(), vetra::Cp949("서버에 연결할 수 없습니다."));
  }
  UINT unused = 0;
  EXPECT_EQ(ErrorOf([&] { file->Read(&unused, sizeof unused); }), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
}

TEST(HttpFile, RedirectsAreFollowedToTheFinalAnswerAndBounded)
{
  using vetra::testing::HttpRoute;
  const std::string body = LoopbackHttpServer::PatternBytes(0, 3000);
  auto redirect = [](int status, std::string to) {
    HttpReply reply;
    reply.status = status;
    reply.body = "moved";
    reply.headers = {"Location: " + std::move(to)};
    return reply;
  };
  {
    LoopbackHttpServer server({{"/Data/file.res", redirect(302, "/moved/once")},
                               {"/moved/once", redirect(301, "/final.res")},
                               {"/final.res", HttpReply{.body = body}}});
    Request request(server);
    ASSERT_TRUE(request.file->SendRequest());
    DWORD status = 0;
    ASSERT_TRUE(request.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 200u);
    EXPECT_EQ(ReadInPieces(*request.file, 1024).body, body);  // the redirects' own bodies are not part of it
    EXPECT_EQ(server.Requests().size(), 3u);
    EXPECT_TRUE(server.Requests().back().starts_with("GET /final.res "));
  }
  {
    // A server that sends the request round in a circle gives up after a bounded number of hops.
    LoopbackHttpServer server({{"/Data/file.res", redirect(307, "/Data/file.res")}});
    Request request(server);
    EXPECT_EQ(ErrorOf([&] { request.file->SendRequest(); }), ERROR_HTTP_REDIRECT_FAILED);
    EXPECT_EQ(server.Requests().size(), static_cast<std::size_t>(vetra::net::HttpTransfer::kMaxRedirects + 1));
  }
  {
    // A redirect without an address is an answer like any other.
    HttpReply reply;
    reply.status = 302;
    reply.body = "nowhere";
    LoopbackHttpServer server(reply);
    Request request(server);
    ASSERT_TRUE(request.file->SendRequest());
    DWORD status = 0;
    ASSERT_TRUE(request.file->QueryInfoStatusCode(status));
    EXPECT_EQ(status, 302u);
  }
}

TEST(HttpFile, CloseBetweenReadsStopsTheTransferAndItsBufferStaysSmall)
{
  const std::size_t size = 64u << 20;
  LoopbackHttpServer server(PatternReply(size));
  Request request(server);
  ASSERT_TRUE(request.file->SendRequest());
  std::string piece(1024, '\0');
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(request.file->Read(piece.data(), 1024), 1024u);
    EXPECT_TRUE(piece == LoopbackHttpServer::PatternBytes(i * 1024, 1024));
  }

  // While nobody reads, the sender is held back by a small window, not the whole body.
  std::size_t sent = 0;
  for (int quiet = 0, round = 0; quiet < 5 && round < 200; ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::size_t now = server.BodyBytesSent();
    quiet = now == sent ? quiet + 1 : 0;
    sent = now;
  }
  EXPECT_LT(sent, size / 4);

  request.file->Close();
  for (int round = 0; round < 200 && !server.ClientLeftEarly(); ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(server.ClientLeftEarly());
  EXPECT_EQ(ErrorOf([&] { request.file->Read(piece.data(), 1024); }), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
}

TEST(HttpTransfer, HoldsNoMoreThanItsWindowOfUnreadBytes)
{
  const std::size_t size = 16u << 20;
  LoopbackHttpServer server(PatternReply(size));
  vetra::net::TransferSettings settings;
  settings.url = vetra::Format("http://127.0.0.1:%u/big", server.Port());
  vetra::net::HttpTransfer transfer(settings);
  transfer.Start();
  std::string piece(1024, '\0');
  std::size_t offset = 0;
  for (int i = 0; i < 4000; ++i, offset += piece.size()) {
    ASSERT_EQ(transfer.Read(piece.data(), piece.size()), piece.size());
    ASSERT_LE(transfer.Buffered(), 128u * 1024);
  }
  EXPECT_TRUE(piece == LoopbackHttpServer::PatternBytes(offset - piece.size(), piece.size()));
}

TEST(HttpFile, SessionRefusesWhatItCannotServe)
{
  CInternetSession session;
  DWORD value = 0;
  EXPECT_TRUE(session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 10000));
  EXPECT_TRUE(session.QueryOption(INTERNET_OPTION_RECEIVE_TIMEOUT, value));
  EXPECT_EQ(value, 10000u);
  EXPECT_FALSE(session.SetOption(INTERNET_OPTION_RECEIVE_TIMEOUT, 0));
  EXPECT_FALSE(session.SetOption(99, 1));

  EXPECT_EQ(ErrorOf([&] { session.GetHttpConnection("host:8080"); }), ERROR_INTERNET_NAME_NOT_RESOLVED);
  auto connection = session.GetHttpConnection("127.0.0.1");
  EXPECT_EQ(connection->OpenRequest(0, "x"), nullptr);
  auto file = connection->OpenRequest(CHttpConnection::HTTP_VERB_GET, "x");
  char byte = 0;
  EXPECT_EQ(ErrorOf([&] { file->Read(&byte, 1); }), ERROR_INTERNET_INCORRECT_HANDLE_STATE);

  session.Close();
  EXPECT_EQ(ErrorOf([&] { session.GetHttpConnection("127.0.0.1"); }), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
}

}  // namespace
}  // namespace win
