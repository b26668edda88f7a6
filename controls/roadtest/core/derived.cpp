#include "controls/roadtest/core/derived.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>
#include <vector>

#include "controls/roadtest/core/tables.h"
#include "platform/base/numeric.h"

namespace morvit {
namespace {

// What a routine writes (the derived item's own bytes) and what it reads (its sources').
using Samples = std::vector<std::uint8_t>;
using SourceSamples = std::span<const std::uint8_t>;

// Tracks the smallest and largest value a routine wrote.
struct Extremes {
  double min;
  double max;
  void Add(double v) {
    min = std::min(min, v);
    max = std::max(max, v);
  }
  MinMaxPair Bytes(double factor) const { return {vetra::SaturatingCast<std::uint8_t>(min * factor), vetra::SaturatingCast<std::uint8_t>(max * factor)}; }
};

// Physical values of the 256 possible bytes of a source channel.
std::array<double, 256> ValuesOf(const ChannelRecord& source, int zero) {
  std::array<double, 256> v{};
  const double resolution = ResolutionOfCoding(source.coding);
  for (int b = 0; b < 256; ++b) v[static_cast<std::size_t>(b)] = (b - zero) * resolution;
  return v;
}

void Fill(Samples& out, std::size_t from, std::size_t to, std::uint8_t byte) {
  to = std::min(to, out.size());
  if (from < to) std::fill(out.begin() + static_cast<std::ptrdiff_t>(from), out.begin() + static_cast<std::ptrdiff_t>(to), byte);
}

// Everything a routine works on; n never exceeds the source or the output.
struct Job {
  Recording& rec;
  DerivedItem& derived;
  int item;
  ChannelRecord& channel;
  MinMaxPair& pair;
  Samples& out;
  SourceSamples src;
  const ChannelRecord& source;
  std::array<double, 256> value;  // source byte -> value
  int sourceRate;
  std::size_t n;

  double V(std::size_t i) const { return value[src[i]]; }
  void Clear() { std::fill(out.begin(), out.end(), 0); }
};

// Sample count from a rate as the period routines take it, limited to both arrays.
std::size_t CountFromRate(const Job& job, int rate) {
  const std::int64_t length = job.rec.RecordLength();
  const std::int64_t divisor = rate > 0 ? kFullRate / rate : 0;
  const std::int64_t n = divisor > 0 ? length / divisor : 0;
  return std::min({static_cast<std::size_t>(std::max<std::int64_t>(n, 0)), job.src.size(), job.out.size()});
}

void PeriodValueFixed(Job& job) {
  job.Clear();
  job.derived.itemFactor = 256.0 / 6000.0;
  const double factor = job.derived.itemFactor;
  Extremes ex{5000, 0};
  const double threshold = job.channel.threshold;
  const double a = job.channel.factorA;
  const double b = job.channel.factorB;
  int highCount = 0, lowCount = 0;
  bool inPulse = false, haveEdge = false;
  std::size_t lastEdge = 0;
  for (std::size_t i = 0; i < job.n; ++i) {
    if (job.V(i) <= threshold) {
      if (lowCount == 3) {
        inPulse = false;
        highCount = 0;
      }
      lowCount = std::min(lowCount + 1, 1 << 30);
    } else {
      if (highCount == 3) {
        if (!inPulse && haveEdge) {
          double value = SafeDivide(a, SafeDivide(static_cast<double>(i - lastEdge), b));
          if (value > 6000) value = 5990;
          ex.Add(value);
          Fill(job.out, lastEdge, i, vetra::SaturatingCast<std::uint8_t>(value * factor));
          lastEdge = i;
        } else if (!inPulse) {
          haveEdge = true;
        }
        inPulse = true;
        lowCount = 0;
      }
      highCount = std::min(highCount + 1, 1 << 30);
    }
  }
  job.pair = ex.Bytes(factor);
}

// Edges of the period routines: a high sample after at least five low ones (or the first high
// sample after the start) at an index above 0. `valueOf` turns the distance to the previous edge
// into the value written over it.
template <typename ValueOf>
void PeriodEdges(Job& job, std::size_t n, double threshold, double factor, ValueOf valueOf) {
  Extremes ex{5000, 0};
  int lowCount = 0;
  bool inPulse = false, haveEdge = false, written = false;
  std::size_t firstEdge = 0, prevEdge = 0;
  std::uint8_t lastByte = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (job.V(i) <= threshold) {
      if (lowCount > 3) inPulse = false;
      lowCount = std::min(lowCount + 1, 1 << 30);
      continue;
    }
    if (i > 0 && !inPulse) {
      if (!haveEdge) {
        Fill(job.out, 0, i, 0);
        haveEdge = true;
        firstEdge = i;
      } else {
        const double value = valueOf(static_cast<double>(i - prevEdge));
        ex.Add(value);
        lastByte = vetra::SaturatingCast<std::uint8_t>(value * factor);
        Fill(job.out, prevEdge, i, lastByte);
        if (!written) Fill(job.out, 0, firstEdge, lastByte);
        written = true;
      }
      prevEdge = i;
    }
    inPulse = true;
    lowCount = 0;
  }
  if (written) Fill(job.out, prevEdge, n, lastByte);
  job.pair = ex.Bytes(factor);
}

void PeriodValue(Job& job) {
  job.Clear();
  const double high = job.channel.rangeHigh;
  job.derived.itemFactor = SafeDivide(256.0, high);
  const double a = job.channel.factorA, b = job.channel.factorB;
  PeriodEdges(job, CountFromRate(job, job.channel.rate), job.channel.threshold, job.derived.itemFactor,
              [&](double period) {
                const double value = SafeDivide(a, period) * b;
                return value >= high ? high - 1 : value;
              });
}

std::optional<float> OldTyreFactor(const ChannelRecord& c) {
  auto index = [](const std::string& text) { return std::atoi(text.c_str()); };
  return TyreFactorFromIndexes(index(c.tyreText[0]), index(c.tyreText[1]), index(c.tyreText[2]));
}

void WheelSpeedOld(Job& job) {
  job.Clear();
  const double high = job.channel.rangeHigh;
  job.derived.itemFactor = SafeDivide(256.0, high);
  const auto tyre = OldTyreFactor(job.channel);
  if (!tyre) {  // no entry for this tyre: no speed
    job.pair = {};
    return;
  }
  const double a = job.channel.factorA, b = job.channel.factorB, f = *tyre;
  PeriodEdges(job, CountFromRate(job, job.channel.rate), job.channel.threshold, job.derived.itemFactor,
              [&](double period) {
                double speed = SafeDivide(a, period) * b * f;
                if (speed > 60 && speed < 61 && speed >= high) speed = high - 1;
                return speed;
              });
}

// Pulse walking of the group routines. Returns the index after the pulse, or n when the data end
// inside it.
std::size_t NextPulseAboveThenBelow(const Job& job, std::size_t pos, double t) {
  while (pos < job.n && job.V(pos) > t) ++pos;
  while (pos < job.n && job.V(pos) <= t) ++pos;
  return pos;
}

std::size_t NextPulseBelowThenAtOrAbove(const Job& job, std::size_t pos, double t) {
  while (pos < job.n && job.V(pos) < t) ++pos;
  while (pos < job.n && job.V(pos) >= t) ++pos;
  return pos;
}

constexpr std::size_t kShortestPulse = 30;

// Groups of `perGroup` counted pulses after a synchronising one; `valueOf(samples)` is written over
// each group. Pulses shorter than 30 samples do not count but stay inside the group.
template <typename Next, typename ValueOf>
void PulseGroups(Job& job, Next next, int perGroup, double factor, Extremes& ex, ValueOf valueOf) {
  std::size_t pos = 0, groupStart = 0;
  bool synced = false;
  int counted = 0;
  while (pos < job.n) {
    const std::size_t start = pos;
    pos = next(pos);
    if (pos >= job.n) break;  // cut off by the end of the data: stays 0
    if (pos - start < kShortestPulse) continue;
    if (!synced) {
      synced = true;
      groupStart = pos;
      counted = 0;
      continue;
    }
    if (++counted < perGroup) continue;
    const double value = valueOf(static_cast<double>(pos - groupStart));
    ex.Add(value);
    Fill(job.out, groupStart, pos, vetra::SaturatingCast<std::uint8_t>(value * factor));
    groupStart = pos;
    counted = 0;
  }
}

void GroupRate(Job& job) {
  job.Clear();
  const double high = job.channel.rangeHigh, low = job.channel.rangeLow;
  const double t = job.channel.params[4];
  const int perGroup = static_cast<int>(vetra::SaturatingCast<std::int64_t>(job.channel.params[0]));
  job.derived.itemFactor = SafeDivide(256.0, high);
  Extremes ex{high, low};
  if (job.sourceRate > 0 && perGroup > 0) {
    PulseGroups(job, [&](std::size_t p) { return NextPulseAboveThenBelow(job, p, t); }, perGroup,
                job.derived.itemFactor, ex, [&](double samples) {
                  const double value = SafeDivide(1000.0 * job.sourceRate * 120.0, samples);
                  return value > high ? high - 1 : value;
                });
  }
  job.pair = ex.Bytes(job.derived.itemFactor);
}

void WheelSpeed(Job& job) {
  if (job.sourceRate == 0) return;
  job.Clear();
  const auto& p = job.channel.params;
  const double high = job.channel.rangeHigh, low = job.channel.rangeLow;
  job.derived.itemFactor = SafeDivide(256.0, high);
  const auto tyre = TyreFactorFromSize(p[5], p[6], p[7]);
  if (!tyre) {  // no entry for this tyre: no speed
    job.pair = {};
    return;
  }
  const double t = p[4];
  const int perGroup = static_cast<int>(vetra::SaturatingCast<std::int64_t>(p[0]));
  const double c = (static_cast<double>(p[6]) * 0.01 * p[5] * static_cast<double>(0.002f) +
                    p[7] * static_cast<double>(0.0254f)) *
                   static_cast<double>(11.304f);
  const double f = *tyre;
  Extremes ex{high, low};
  if (perGroup > 0) {
    PulseGroups(job, [&](std::size_t pos) { return NextPulseBelowThenAtOrAbove(job, pos, t); }, perGroup,
                job.derived.itemFactor, ex,
                [&](double samples) { return SafeDivide(1000.0 * job.sourceRate, samples) * c * f; });
  }
  job.pair = ex.Bytes(job.derived.itemFactor);
}

// Periods of the duty and frequency routines: when the first sample is high, samples count as
// high up to and including the first low one; then as low up to and including the first high one.
template <typename ValueOf>
void Periods(Job& job, ValueOf valueOf) {
  job.Clear();
  const double high = job.channel.rangeHigh, low = job.channel.rangeLow;
  const double threshold = job.channel.params[4];
  job.derived.itemFactor = SafeDivide(256.0, high);
  Extremes ex{high, low};
  if (job.sourceRate > 0) {
    std::size_t pos = 0;
    bool first = true;
    while (pos < job.n) {
      const std::size_t start = pos;
      std::size_t highs = 0, lows = 0;
      bool complete = false;
      if (job.V(pos) > threshold) {
        while (pos < job.n) {
          const bool isLow = job.V(pos) <= threshold;
          ++highs;
          ++pos;
          if (isLow) break;
        }
      }
      while (pos < job.n) {
        const bool isHigh = job.V(pos) > threshold;
        ++lows;
        ++pos;
        if (isHigh) {
          complete = true;
          break;
        }
      }
      if (!complete) break;  // cut off by the end of the data: stays 0
      if (first) {
        first = false;
        continue;
      }
      const double value = valueOf(static_cast<double>(highs), static_cast<double>(lows));
      ex.Add(value);
      Fill(job.out, start, pos, vetra::SaturatingCast<std::uint8_t>(value * job.derived.itemFactor));
    }
  }
  job.pair = ex.Bytes(job.derived.itemFactor);
}

void DutyPercent(Job& job) {
  Periods(job, [](double highs, double lows) { return SafeDivide(lows, lows + highs) * 100.0; });
}

void Frequency(Job& job) {
  Periods(job, [&](double highs, double lows) { return SafeDivide(1000.0 * job.sourceRate, highs + lows); });
}

void GatedLowTime(Job& job) {
  job.Clear();
  const double high = job.channel.rangeHigh, low = job.channel.rangeLow;
  job.derived.itemFactor = SafeDivide(256.0, std::abs(high - low));
  Extremes ex{high, low};
  const int gateIndex = job.channel.secondSource - 1;
  const int perGroup = static_cast<int>(vetra::SaturatingCast<std::int64_t>(job.channel.params[0]));
  if (job.sourceRate == 0 || gateIndex < 0 || gateIndex >= job.rec.RecordedChannels() || perGroup <= 0) {
    job.pair = ex.Bytes(job.derived.itemFactor);
    return;
  }
  const ChannelRecord& gateChannel = job.rec.channels[static_cast<std::size_t>(gateIndex)];
  const SourceSamples gate = job.rec.data[static_cast<std::size_t>(gateIndex)];
  const int zero = CountsFromZero(job.source.coding) || CountsFromZero(gateChannel.coding) ? 0 : 127;
  const auto measured = ValuesOf(job.source, zero);
  const auto gated = ValuesOf(gateChannel, zero);
  const std::size_t n = std::min(job.n, gate.size());
  const double below = job.channel.params[4];
  const double gateThreshold = job.channel.params[5];

  std::size_t pos = 0, groupStart = 0;
  std::int64_t counter = 0;
  bool synced = false;
  int pulses = 0;
  auto step = [&]() {
    if (measured[job.src[pos]] < below) ++counter;
    ++pos;
  };
  while (pos < n) {
    while (pos < n && gated[gate[pos]] > gateThreshold) step();
    while (pos < n && gated[gate[pos]] <= gateThreshold) step();
    if (pos >= n) break;  // cut off: stays 0
    if (!synced) {
      synced = true;
      groupStart = pos;
      counter = 0;
      continue;
    }
    if (++pulses < perGroup) continue;
    double value = static_cast<double>(counter) / job.sourceRate;
    if (value > high) value = ex.max;
    ex.Add(value);
    Fill(job.out, groupStart, pos, vetra::SaturatingCast<std::uint8_t>(value * job.derived.itemFactor));
    groupStart = pos;
    counter = 0;
    pulses = 0;
  }
  job.pair = ex.Bytes(job.derived.itemFactor);
  if (ex.max >= high) job.pair.high = 255;
}

void Linear(Job& job) {
  if (job.sourceRate == 0) return;
  const auto& p = job.channel.params;
  const double slope = SafeDivide(static_cast<double>(p[3]) - p[1], static_cast<double>(p[2]) - p[0]);
  const double offset = p[1] - p[0] * slope;
  const double span = RangeOfCode(job.source.rangeCode).high;
  job.derived.itemFactor = SafeDivide(255.0, slope * span + offset);
  Extremes ex{120, -100};
  for (std::size_t i = 0; i < job.out.size(); ++i) {
    if (i >= job.n) {
      job.out[i] = 0;
      continue;
    }
    const double v = job.V(i) * slope + offset;
    if (v < 0) {
      job.out[i] = 0;
      continue;
    }
    ex.Add(v);
    job.out[i] = vetra::SaturatingCast<std::uint8_t>(v * job.derived.itemFactor);
  }
  job.pair = ex.Bytes(job.derived.itemFactor);
  job.channel.rangeLow = 0;
  job.channel.rangeHigh = ResolutionOfCoding(job.source.coding) * 255 * slope + offset;
  job.channel.factorA = static_cast<float>(slope);
  job.channel.factorB = static_cast<float>(offset);
}

// The conversion table of the piecewise routines from the item's points.
bool BuildPiecewiseTable(Job& job, bool clampBelowFirst) {
  auto& table = job.derived.table;
  table.fill(0);
  const auto fullScale = CodingFullScale(job.source.coding);
  if (!fullScale) return false;  // a coding without a full scale has no table
  const auto& p = job.channel.params;
  int count = 16;
  bool ended = false;
  for (int k = 0; k < 16; ++k) {
    if (p[static_cast<std::size_t>(k)] == -1.0f) {
      count = k;
      ended = true;
      break;
    }
  }
  int m = count / 2;
  if (!ended || m == 0) m = 8;
  std::array<int, 9> xb{};
  std::array<double, 9> y{};
  for (int k = 0; k < m; ++k) {
    const auto at = static_cast<std::size_t>(2 * k);
    xb[static_cast<std::size_t>(k)] =
        static_cast<int>(std::clamp<std::int64_t>(vetra::SaturatingCast<std::int64_t>(p[at] * 256.0 / *fullScale), 0, 255));
    y[static_cast<std::size_t>(k)] = p[at + 1];
  }
  xb[static_cast<std::size_t>(m)] = 255;
  auto fillLine = [&](int from, int to, double slope, double offset) {
    for (int j = std::max(from, 0); j < std::min(to, 256); ++j) table[static_cast<std::size_t>(j)] = j * slope + offset;
  };
  auto line = [&](int k) {  // the segment ending at point k
    const auto a = static_cast<std::size_t>(k - 1), b = static_cast<std::size_t>(k);
    const double slope = SafeDivide(y[b] - y[a], static_cast<double>(xb[b] - xb[a]));
    return std::pair{slope, y[a] - xb[a] * slope};
  };
  if (m == 1) {
    // One point: only the closing stretch is filled, at its value.
    fillLine(xb[0], 256, 0.0, y[0]);
    return true;
  }
  for (int k = 1; k < m; ++k) {
    const auto [slope, offset] = line(k);
    fillLine(xb[static_cast<std::size_t>(k - 1)], xb[static_cast<std::size_t>(k)], slope, offset);
  }
  const auto [firstSlope, firstOffset] = line(1);
  fillLine(0, xb[0], firstSlope, firstOffset);
  if (clampBelowFirst) {
    for (int j = 0; j < xb[0]; ++j) table[static_cast<std::size_t>(j)] = std::max(0.0, table[static_cast<std::size_t>(j)]);
  }
  const auto [lastSlope, lastOffset] = line(m - 1);
  fillLine(xb[static_cast<std::size_t>(m - 1)], 256, lastSlope, lastOffset);
  return true;
}

std::pair<int, int> SourceByteSpan(const Job& job) {
  if (job.n == 0) return {0, 0};
  const auto [lo, hi] = std::minmax_element(job.src.begin(), job.src.begin() + static_cast<std::ptrdiff_t>(job.n));
  return {*lo, *hi};
}

void PiecewiseTable(Job& job) {
  job.Clear();
  if (job.sourceRate == 0 || !BuildPiecewiseTable(job, true)) return;
  const auto& table = job.derived.table;
  job.derived.itemFactor = SafeDivide(255.0, std::abs(table[255] - table[0]));
  const double f = job.derived.itemFactor;
  for (std::size_t i = 0; i < job.n; ++i) job.out[i] = vetra::SaturatingCast<std::uint8_t>(table[job.src[i]] * f);
  job.channel.rangeLow = table[0];
  job.channel.rangeHigh = table[255];
  const auto [lo, hi] = SourceByteSpan(job);
  job.pair = {vetra::SaturatingCast<std::uint8_t>(table[static_cast<std::size_t>(lo)] * f), vetra::SaturatingCast<std::uint8_t>(table[static_cast<std::size_t>(hi)] * f)};
}

void PiecewiseTableAbs(Job& job) {
  job.Clear();
  if (job.sourceRate == 0 || !BuildPiecewiseTable(job, false)) return;
  const auto& table = job.derived.table;
  job.derived.negativeBase = std::any_of(table.begin(), table.end(), [](double v) { return v < 0; });
  const double base = job.derived.negativeBase ? static_cast<double>(vetra::SaturatingCast<std::int64_t>(table[255])) : 0.0;
  job.derived.itemFactor = SafeDivide(255.0, std::abs(table[255] - table[0]));
  const double f = job.derived.itemFactor;
  for (std::size_t i = 0; i < job.n; ++i) job.out[i] = vetra::SaturatingCast<std::uint8_t>(std::abs(base - table[job.src[i]]) * f);
  job.channel.rangeHigh = table[0];
  job.channel.rangeLow = table[255];
  const auto [lo, hi] = SourceByteSpan(job);
  job.pair = {vetra::SaturatingCast<std::uint8_t>(std::abs(base - table[static_cast<std::size_t>(hi)]) * f),
              vetra::SaturatingCast<std::uint8_t>(std::abs(base - table[static_cast<std::size_t>(lo)]) * f)};
}

}  // namespace

Derivation DerivationOf(bool oldLayout, int type) {
  if (oldLayout) {
    switch (type) {
      case 1: return Derivation::PeriodValueFixed;
      case 3100: return Derivation::PeriodValue;
      case 3200: return Derivation::WheelSpeedOld;
      default: return Derivation::None;
    }
  }
  switch (type) {
    case 1: return Derivation::PeriodValueFixed;
    case 11: return Derivation::PeriodValue;
    case 33: return Derivation::WheelSpeedOld;
    case 1100: case 1101: case 1102: return Derivation::GroupRate;
    case 1200: return Derivation::WheelSpeed;
    case 1300: case 1900: case 1901: case 1902: return Derivation::DutyPercent;
    case 1400: case 1700: return Derivation::PiecewiseTableAbs;
    case 1500: case 1501: case 1502: return Derivation::GatedLowTime;
    case 1600: case 1800: return Derivation::Linear;
    case 1601: return Derivation::PiecewiseTable;
    case 1602: return Derivation::Frequency;
    default: return Derivation::None;
  }
}

bool ComputeDerivedItem(Recording& rec, DerivedItems& items, int item) {
  if (item < kFirstDerived || item >= kItemCount) return false;
  DerivedItem& derived = items[static_cast<std::size_t>(item)];
  if (derived.done) return false;
  derived.done = true;
  const int s = rec.SourceIndex(item);
  const Derivation kind = DerivationOf(rec.oldLayout, rec.channels[static_cast<std::size_t>(item)].itemType);
  if (s < 0 || kind == Derivation::None) return true;

  const ChannelRecord& source = rec.channels[static_cast<std::size_t>(s)];
  Samples& out = rec.data[static_cast<std::size_t>(item)].Own();
  const SourceSamples src = rec.data[static_cast<std::size_t>(s)];
  Job job{rec,   derived, item, rec.channels[static_cast<std::size_t>(item)], rec.minMax[static_cast<std::size_t>(item)],
          out,   src,     source, ValuesOf(source, ZeroOfCoding(source.coding)), source.rate,
          std::min(src.size(), out.size())};
  switch (kind) {
    case Derivation::PeriodValueFixed: PeriodValueFixed(job); break;
    case Derivation::PeriodValue: PeriodValue(job); break;
    case Derivation::WheelSpeedOld: WheelSpeedOld(job); break;
    case Derivation::GroupRate: GroupRate(job); break;
    case Derivation::WheelSpeed: WheelSpeed(job); break;
    case Derivation::DutyPercent: DutyPercent(job); break;
    case Derivation::PiecewiseTableAbs: PiecewiseTableAbs(job); break;
    case Derivation::GatedLowTime: GatedLowTime(job); break;
    case Derivation::Linear: Linear(job); break;
    case Derivation::PiecewiseTable: PiecewiseTable(job); break;
    case Derivation::Frequency: Frequency(job); break;
    case Derivation::None: break;
  }
  return true;
}

double DerivedValue(const DerivedItem& item, int byte) {
  const double offset = item.negativeBase ? static_cast<double>(vetra::SaturatingCast<std::int64_t>(std::abs(item.table[255]))) : 0.0;
  return SafeDivide(byte, item.itemFactor) - offset;
}

double RecordedValue(const ChannelRecord& channel, int byte) {
  return (byte - ZeroOfCoding(channel.coding)) * ResolutionOfCoding(channel.coding);
}

}  // namespace morvit
