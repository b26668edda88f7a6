// How long reading a page takes at the edge of what the viewer lays out: the largest page it
// accepts, parsed and written out for the layout, and hostile pages it refuses (one refused before
// the parser starts, one the parser's allowance stops, two whose style the layout would take
// too long over).

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

// The largest page with a style sheet of a few hundred ordinary rules: what bounding its
// matching adds to reading it.
void BM_LargestAcceptedPageWithStyle(benchmark::State& state)
{
  std::string style;
  for (int i = 0; i < 300; ++i) {
    style += "table.r" + std::to_string(i) + " td p, div.r" + std::to_string(i) + " > span{color:#102030;margin:1px}";
  }
  ParseAndWrite(state, "<style>" + style + "</style><table class=r1>" +
                           Repeat("<tr><td><p>engine speed 800 rpm</p></td></tr>", (vetra::web::kPageLimits.elements - 8) / 3));
}

// Six compounds over a hundred nested DIVs: over a billion selector tests for the layout.
void BM_StyleMatchingRefused(benchmark::State& state)
{
  ParseAndWrite(state, "<style>q div div div div div p{}</style>" + Repeat("<div>", 100) + "<p>x");
}

// Closing braces before a rule: each makes a rule whose declarations run to the end of the
// sheet, the slowest shape the reader of style sheets counts before it stops.
void BM_StyleReadingRefused(benchmark::State& state)
{
  ParseAndWrite(state, "<style>" + std::string(200'000, '}') + "a{" + std::string(700'000, 'x') + "</style>");
}

BENCHMARK(BM_LargestAcceptedPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestAcceptedPageWithStyle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleMatchingRefused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleReadingRefused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeepNestingRefused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopiedFormattingRefused)->Unit(benchmark::kMillisecond);

}  // namespace
