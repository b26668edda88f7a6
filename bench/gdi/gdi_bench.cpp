// Raster speed on the sizes the system draws: the 1017 by 708 control area, a 1400-point trace,
// a screenful of labels and full-size skins. Each has a plain memcpy of the same pixels beside it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/base/text.h"
#include "platform/gdi/cdc.h"

namespace {

constexpr int kWidth = 1017;
constexpr int kHeight = 708;

struct Canvas {
  Canvas(int width, int height)
  {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    old = dc.SelectObject(&bitmap);
  }
  ~Canvas() { dc.SelectObject(old); }
  win::CDC dc;
  win::CBitmap bitmap;
  win::CBitmap* old = nullptr;
};

// A packed DIB of the control's size: header, colour table, bottom-up rows.
std::vector<std::uint8_t> Skin(int bitCount)
{
  const int entries = bitCount <= 8 ? 1 << bitCount : 0;
  const std::size_t stride = ((static_cast<std::size_t>(kWidth) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
  std::vector<std::uint8_t> dib(40 + static_cast<std::size_t>(entries) * 4 + stride * kHeight);
  win::BITMAPINFOHEADER header;
  header.biSize = 40;
  header.biWidth = kWidth;
  header.biHeight = kHeight;
  header.biPlanes = 1;
  header.biBitCount = static_cast<win::WORD>(bitCount);
  std::memcpy(dib.data(), &header, sizeof(header));
  for (std::size_t i = 40; i < dib.size(); ++i) dib[i] = static_cast<std::uint8_t>(i * 7);
  return dib;
}

void BM_Memcpy(benchmark::State& state)
{
  const auto pixels = static_cast<std::size_t>(state.range(0));
  std::vector<std::uint32_t> from(pixels, 0x123456), to(pixels);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), pixels * 4);
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(BM_Memcpy)->Arg(kWidth * kHeight)->Arg(700 * 250);

void BM_FillSolidRect(benchmark::State& state)
{
  Canvas canvas(kWidth, kHeight);
  for (auto _ : state) canvas.dc.FillSolidRect(0, 0, kWidth, kHeight, win::RGB(168, 167, 173));
}
BENCHMARK(BM_FillSolidRect);

void BM_BitBlt(benchmark::State& state)
{
  Canvas back(kWidth, kHeight), front(kWidth, kHeight);
  for (auto _ : state) front.dc.BitBlt(0, 0, kWidth, kHeight, &back.dc, 0, 0, win::SRCCOPY);
}
BENCHMARK(BM_BitBlt);

void BM_Polyline1400(benchmark::State& state)
{
  Canvas canvas(700, 250);
  std::vector<win::POINT> points(1400);
  for (int i = 0; i < 1400; ++i) {
    points[static_cast<std::size_t>(i)] = {i * 700 / 1400, static_cast<win::LONG>(125 + 110 * std::sin(i / 20.0))};
  }
  win::CPen pen(win::PS_SOLID, 1, win::RGB(255, 255, 0));
  canvas.dc.SelectObject(&pen);
  for (auto _ : state) canvas.dc.Polyline(points.data(), static_cast<int>(points.size()));
  canvas.dc.SelectStockObject(win::BLACK_PEN);
}
BENCHMARK(BM_Polyline1400);

void BM_TextOut100(benchmark::State& state)
{
  Canvas canvas(700, 250);
  win::CFont font;
  font.CreatePointFont(90, vetra::Cp949("굴림").c_str());
  canvas.dc.SelectObject(&font);
  canvas.dc.SetBkMode(win::TRANSPARENT);
  const std::string text = vetra::Cp949("엔진 회전수 850 rpm");
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) canvas.dc.TextOut(5 + (i % 4) * 170, (i / 4) * 10, text);
  }
  canvas.dc.SelectStockObject(win::SYSTEM_FONT);
}
BENCHMARK(BM_TextOut100);

void BM_StretchDIBits(benchmark::State& state)
{
  const auto skin = Skin(static_cast<int>(state.range(0)));
  const auto* info = reinterpret_cast<const win::BITMAPINFO*>(skin.data());
  const std::size_t entries = state.range(0) <= 8 ? std::size_t{1} << state.range(0) : 0;
  const void* bits = skin.data() + 40 + entries * 4;
  Canvas canvas(kWidth, kHeight);
  canvas.dc.SetStretchBltMode(win::COLORONCOLOR);
  for (auto _ : state) {
    canvas.dc.StretchDIBits(0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, bits, info, win::DIB_RGB_COLORS, win::SRCCOPY);
  }
}
BENCHMARK(BM_StretchDIBits)->Arg(8)->Arg(24);

}  // namespace
