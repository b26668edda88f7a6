#include "controls/ignition/core/graph_data.h"

#include <algorithm>

#include "platform/base/numeric.h"

namespace sparwen {
namespace {

constexpr double kSecondaryFactor = 6.965971230538818e-5;
constexpr double kPrimaryFactor = 0.00048828125;
constexpr double kSecondaryGainBase = 14355.5;

int Count(const GraphData& g, bool secondary, std::uint16_t raw)
{
  return secondary ? SecondaryCount(raw, g.gain, g.offset) : PrimaryCount(raw, g.gain);
}

// First index a piece of a four-piece trace fills: markers 4, 3, 2, 1 fill 0, 375, 750, 1125.
int FourPieceStart(int marker) { return kTraceLength - kSamplesPerRecord * marker; }

// Heights in the offset form, zero line N tenths of the height up.
std::int16_t OffsetHeight(bool secondaryForm, int zeroPos, int graphHeight, int count)
{
  const std::int16_t c = vetra::WrappingCast<std::int16_t>(count);
  if (secondaryForm) return vetra::WrappingCast<std::int16_t>((zeroPos - 10) * graphHeight / 10 - c);
  return vetra::WrappingCast<std::int16_t>(zeroPos * graphHeight / 10 - c - (10 * graphHeight) / 10);
}

void WritePiece(GraphData& g, const ConversionSettings& s, std::span<const std::uint16_t, kSamplesPerRecord> samples,
                int row, int start, bool offsetForm, bool secondaryForm)
{
  TraceRow& target = g.trace[static_cast<std::size_t>(row)];
  for (int k = 0; k < kSamplesPerRecord; ++k) {
    const int c = Count(g, s.secondary, samples[static_cast<std::size_t>(k)]);
    target[static_cast<std::size_t>(start + k)] = offsetForm ? OffsetHeight(secondaryForm, g.zeroPos, g.height, c) : vetra::WrappingCast<std::int16_t>(-vetra::WrappingCast<std::int16_t>(c));
  }
}

}  // namespace

void GraphData::Create(int graphHeight, int graphWidth, const ConversionSettings& settings)
{
  height = graphHeight;
  width = graphWidth - 5;
  trendSpan = kTrendPoints;
  cursorX = width / 3;
  cursor2X = (2 * width) / 3;
  ResetView(settings);
  trend.Reset();
}

void GraphData::ResetView(const ConversionSettings& settings)
{
  SetRangeGain(*this, settings);
  for (int row = 0; row < kMaxCylinders; ++row) {
    std::fill_n(trace[static_cast<std::size_t>(row)].begin(), kTraceLength, static_cast<std::int16_t>(kZeroLevel));
  }
}

double RangeGain(bool secondary, int range, int graphHeight, double gainConstant)
{
  if (secondary) {
    static constexpr std::array<double, 4> kFullScale = {5000.0, 10000.0, 25000.0, 50000.0};
    const double fullScale = kFullScale[static_cast<std::size_t>(range >= 0 && range < 4 ? range : 3)];
    return gainConstant * kSecondaryGainBase / (fullScale / graphHeight);
  }
  static constexpr std::array<int, 6> kVolts = {10, 20, 60, 100, 300, 600};
  if (range < 0 || range >= static_cast<int>(kVolts.size())) return graphHeight;
  return 60.0 * graphHeight / kVolts[static_cast<std::size_t>(range)];
}

std::optional<int> DepthStep(int cylinders, int graphHeight)
{
  static constexpr std::array<int, 12> kNumerators = {95, 90, 85, 70, 75, 55, 65, 45, 50, 45, 40, 35};
  if (cylinders < 1 || cylinders > 12) return std::nullopt;
  const int divisor = cylinders == 4 ? 550 : 500;
  return kNumerators[static_cast<std::size_t>(cylinders - 1)] * graphHeight / divisor;
}

void SetRangeGain(GraphData& graph, const ConversionSettings& settings)
{
  graph.offset = 1.0;
  graph.gain = RangeGain(settings.secondary, graph.range, graph.height, settings.gainConstant);
  if (const auto step = DepthStep(settings.cylinders, graph.height)) graph.depthStep = *step;
}

int SecondaryCount(std::uint16_t raw, double gain, double offset)
{
  return vetra::SaturatingCast<int>((raw - offset * 2048.0) * gain * kSecondaryFactor);
}

int PrimaryCount(std::uint16_t raw, double gain)
{
  const int low = raw & 0xFF;
  const int high = raw >> 8;
  return vetra::SaturatingCast<int>((256 * (high - 8) + low) * gain * kPrimaryFactor);
}

void ConvertFrame(GraphData& g, const ConversionSettings& s, std::span<const std::uint16_t, kSamplesPerRecord> samples,
                  int row, int marker, int verticalOffset)
{
  if (marker < 1 || marker > 4 || row < 0 || row >= kMaxCylinders) return;
  if (s.displayMode == 0) {
    g.zeroPos = 10 - verticalOffset;
    WritePiece(g, s, samples, kAssemblyRow, FourPieceStart(marker), true, s.secondary);
    if (marker != 1) return;
    const TraceRow& assembly = g.trace[kAssemblyRow];
    TraceRow& target = g.trace[static_cast<std::size_t>(row)];
    const int half = g.height / 2;
    for (int i = 0; i < kTraceLength; ++i) {
      const int b = assembly[static_cast<std::size_t>(i)];
      target[static_cast<std::size_t>(i)] = s.pairedFlag == 1 ? vetra::WrappingCast<std::int16_t>(std::max(b / 2, -half)) : static_cast<std::int16_t>(b);
    }
    return;
  }
  int start = 0;
  if (s.FourPieces()) start = FourPieceStart(marker);
  else start = marker == 2 ? 0 : kSamplesPerRecord;
  const bool offsetForm = s.displayMode == 3;
  if (offsetForm) g.zeroPos = 10 - verticalOffset;
  WritePiece(g, s, samples, row, start, offsetForm, s.secondary);
}

void ConvertUpperFrame(GraphData& g, const ConversionSettings& s, std::span<const std::uint16_t, kSamplesPerRecord> samples,
                       int marker, int verticalOffset)
{
  if (s.displayMode != 0 || marker < 1 || marker > 4) return;
  g.zeroPos = 10 - verticalOffset;
  WritePiece(g, s, samples, kAssemblyRow, FourPieceStart(marker), true, false);
  if (marker != 1) return;
  const TraceRow& assembly = g.trace[kAssemblyRow];
  TraceRow& upper = g.trace[kUpperRow];
  const int half = g.height / 2;
  for (int i = 0; i < kTraceLength; ++i) {
    const int b = assembly[static_cast<std::size_t>(i)];
    upper[static_cast<std::size_t>(i)] = vetra::WrappingCast<std::int16_t>(std::min(b / 2 - half, -half));
  }
}

}  // namespace sparwen
