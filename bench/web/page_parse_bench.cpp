// How long reading a page takes at the edge of what the viewer lays out: the largest page it
// accepts, parsed and written out for the layout, and hostile pages it refuses (one refused before
// the parser starts, one the parser's allowance stops).

#include <benchmark/benchmark.h>

#include <string>

#include "platform/web/dom.h"
#include "platform/web/html_writer.h"

namespace {

std::string Repeat(const std::string& piece, std::size_t times)
{
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

void ParseAndWrite(benchmark::State& state, const std::string& page)
{
  for (auto _ : state) {
    const std::optional<vetra::web::Document> document = vetra::web::ParseHtml(page);
    if (document) benchmark::DoNotOptimize(vetra::web::WriteHtml(*document).size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

// Paragraphs of a few words up to the element limit (HTML, HEAD and BODY are the other three).
void BM_LargestAcceptedPage(benchmark::State& state)
{
  ParseAndWrite(state, Repeat("<p>engine speed 800 rpm</p>", vetra::web::kPageLimits.elements - 3));
}

// A megabyte of nested DIVs: refused on its tags alone.
void BM_DeepNestingRefused(benchmark::State& state) { ParseAndWrite(state, Repeat("<div>", 1024 * 1024 / 5)); }

// Bold elements the parser copies into every paragraph: stopped by the parser's allowance.
void BM_CopiedFormattingRefused(benchmark::State& state)
{
  std::string page;
  for (int i = 0; i < 9'000; ++i) page += "<p><b n=" + std::to_string(i) + "></p>";
  ParseAndWrite(state, page);
}

BENCHMARK(BM_LargestAcceptedPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepNestingRefused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopiedFormattingRefused)->Unit(benchmark::kMillisecond);

}  // namespace
