// Cost of one playback tick of a text view: every row of a 100-row report list view gets a new
// value and the list is painted again.

#include <benchmark/benchmark.h>

#include "platform/base/text.h"
#include "platform/ui/list_view.h"
#include "platform/ui/testing.h"

namespace {

using namespace win;

void ListViewTick(benchmark::State& state)
{
  vetra::ui::ResetForTests();
  CWnd parent;
  parent.CreateEx(0, "Bench", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1017, 708), nullptr, 0);
  CListCtrl view;
  view.Create(WS_VISIBLE | WS_BORDER | WS_VSCROLL | LVS_REPORT, CRect(3, 109, 1009, 678), &parent, 1126);
  CFont font;
  font.CreateFont(30, 12, 0, 0, 600, 0, 0, 0, 129, 0, 0, 2, 0, vetra::Cp949("굴림체").c_str());
  view.SetFont(&font);
  view.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const int widths[] = {25, 390, 148, 128, 148, 148};
  for (int c = 0; c < 6; ++c) view.InsertColumn(c, "", c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT, widths[c]);
  for (int r = 0; r < 100; ++r) {
    view.InsertItem(r, "");
    view.SetItemText(r, 1, vetra::Format("item %d", r).c_str());
  }
  int sample = 0;
  for (auto _ : state) {
    ++sample;
    for (int r = 0; r < 100; ++r) view.SetItemText(r, 2, vetra::Format("%d.%d", sample, r).c_str());
    view.UpdateWindow();
  }
  parent.DestroyWindow();
}
BENCHMARK(ListViewTick);

}  // namespace
