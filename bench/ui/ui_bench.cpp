// Costs of the window system's busiest paths: a playback timer's round trip through the queue,
// painting a full-size window through its back buffer, and composing the screen.

#include <benchmark/benchmark.h>

#include "platform/gdi/display.h"
#include "platform/ui/paint.h"
#include "platform/ui/testing.h"

namespace {

using namespace win;

class BufferedWindow : public CWnd {
public:
  void OnPaint() override
  {
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    if (!m_back.m_hObject) {
      m_memory.CreateCompatibleDC(&dc);
      m_back.CreateCompatibleBitmap(&dc, r.Width(), r.Height());
    }
    CBitmap* old = m_memory.SelectObject(&m_back);
    m_memory.FillSolidRect(&r, RGB(168, 167, 173));
    dc.BitBlt(0, 0, r.Width(), r.Height(), &m_memory, 0, 0, SRCCOPY);
    m_memory.SelectObject(old);
  }
  void OnTimer(UINT_PTR) override { ++ticks; }
  CDC m_memory;
  CBitmap m_back;
  long ticks = 0;
};

void TimerRoundTrip(benchmark::State& state)
{
  vetra::ui::ResetForTests();
  BufferedWindow window;
  window.CreateEx(0, "Bench", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
  vetra::ui::Pump();
  window.SetTimer(2, 10);
  for (auto _ : state) vetra::ui::AdvanceClock(10);
  benchmark::DoNotOptimize(window.ticks);
  window.DestroyWindow();
}
BENCHMARK(TimerRoundTrip);

void PaintFullControl(benchmark::State& state)
{
  vetra::ui::ResetForTests();
  BufferedWindow window;
  window.CreateEx(0, "Bench", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1017, 708), nullptr, 0);
  for (auto _ : state) {
    window.Invalidate(FALSE);
    window.UpdateWindow();
  }
  window.DestroyWindow();
}
BENCHMARK(PaintFullControl);

void ComposeScreen(benchmark::State& state)
{
  vetra::ui::ResetForTests();
  BufferedWindow windows[3];
  for (int i = 0; i < 3; ++i) {
    windows[i].CreateEx(0, "Bench", "", WS_POPUP | WS_VISIBLE, CRect(i * 5, i * 5, 1017 + i * 5, 708 + i * 5), nullptr, 0);
  }
  vetra::ui::Pump();
  for (auto _ : state) vetra::gdi::ComposeScreen();
  for (auto& w : windows) w.DestroyWindow();
}
BENCHMARK(ComposeScreen);

}  // namespace
