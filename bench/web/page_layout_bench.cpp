// How long laying out and painting a page takes: the viewer page (a control's box on the
// page's background) and a page of text, at the page viewer's size.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/gdi/cdc.h"
#include "platform/web/page_layout.h"

namespace {

std::string TextPage()
{
  std::string page = "<html><body><h1>Report</h1>";
  for (int i = 0; i < 40; ++i) {
    page += "<p>Paragraph " + std::to_string(i) +
            ": engine speed, coolant temperature and ignition timing were recorded while driving.</p>";
  }
  return page + "<table border=1><tr><td>A</td><td>B</td></tr></table></body></html>";
}

const char* const kViewerPage =
    "<HTML><HEAD><TITLE>Vetra : Car 1.OSC </TITLE></HEAD><BODY><body topmargin=\"0\" leftmargin=\"0\" "
    "marginwidth=\"0\" marginheight=\"0\" bgcolor=#A8A7AD scroll=no><table border=\"0\" CELLSPACING=0 "
    "CELLPADDING=0 width=\"100%\" height=\"100%\"><tr><OBJECT ID=\"Tessial\" WIDTH=1017 HEIGHT=708 "
    "classid=\"clsid:5DBCF725-08DD-4B2D-B8C4-714DF8E6956C\"><PARAM NAME=\"_Version\" VALUE=\"65536\">"
    "</OBJECT></tr></table></BODY></HTML>";

void LayOutAndPaint(benchmark::State& state, const std::string& page)
{
  win::CDC screen;
  screen.CreateCompatibleDC(nullptr);
  win::CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, 1018, 712);
  win::CDC dc;
  dc.CreateCompatibleDC(&screen);
  dc.SelectObject(&bitmap);
  for (auto _ : state) {
    vetra::web::PageLayout layout;
    layout.SetPage(page);
    layout.Layout(1018, 712);
    layout.Paint(dc, win::CRect(0, 0, 1018, 712));
    benchmark::DoNotOptimize(layout.ObjectPlaces().data());
  }
}

void BM_ViewerPageLayout(benchmark::State& state) { LayOutAndPaint(state, kViewerPage); }
void BM_TextPageLayout(benchmark::State& state) { LayOutAndPaint(state, TextPage()); }

BENCHMARK(BM_ViewerPageLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextPageLayout)->Unit(benchmark::kMillisecond);

}  // namespace
