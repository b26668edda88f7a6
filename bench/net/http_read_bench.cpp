#include <benchmark/benchmark.h>

#include <string>

#include "platform/net/internet_session.h"
#include "platform/net/testing/loopback_http_server.h"

namespace {

// One whole download of 4 MiB, read in pieces of the given size until a short piece.
void ReadWholeBody(benchmark::State& state)
{
  const std::size_t size = 4u << 20;
  const auto piece = static_cast<win::UINT>(state.range(0));
  vetra::testing::HttpReply reply;
  reply.patternSize = size;
  vetra::testing::LoopbackHttpServer server(reply);
  vetra::testing::HttpPortOverride port(server.Port());
  std::string buffer(piece, '\0');
  for (auto _ : state) {
    win::CInternetSession session;
    auto connection = session.GetHttpConnection("127.0.0.1");
    auto file = connection->OpenRequest(win::CHttpConnection::HTTP_VERB_GET, "big", nullptr, 1, nullptr, nullptr,
                                        win::INTERNET_FLAG_RELOAD);
    file->SendRequest();
    std::size_t total = 0;
    for (win::UINT got = piece; got == piece;) {
      got = file->Read(buffer.data(), piece);
      total += got;
    }
    if (total != size) state.SkipWithError("the body did not arrive whole");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(ReadWholeBody)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace
