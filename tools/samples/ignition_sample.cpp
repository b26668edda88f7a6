#include "tools/samples/ignition_sample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/base/text.h"
#include "tools/samples/sample_bytes.h"

namespace vetra::samples {
namespace {

struct FiringOrder {
  int code;
  int engineClass;
  std::array<int, 8> order;
};

constexpr FiringOrder kFiringOrders[] = {
    {1, 1, {1, 3, 2}},          {2, 1, {1, 2, 3}},          {3, 2, {1, 3, 4, 2}},
    {4, 2, {1, 4, 3, 2}},       {5, 2, {1, 2, 4, 3}},       {6, 2, {1, 3, 2, 4}},
    {7, 3, {1, 2, 3, 4, 5, 6}}, {8, 3, {1, 2, 4, 6, 3, 5}}, {9, 3, {1, 2, 5, 6, 4, 3}},
    {10, 3, {1, 4, 2, 5, 3, 6}}, {11, 3, {1, 4, 2, 6, 3, 5}}, {12, 3, {1, 4, 5, 6, 2, 3}},
    {13, 3, {1, 4, 5, 6, 3, 2}}, {14, 3, {1, 5, 3, 6, 2, 4}}, {15, 3, {1, 6, 2, 4, 3, 5}},
    {16, 3, {1, 6, 3, 5, 2, 4}}, {17, 3, {1, 6, 5, 4, 3, 2}}, {18, 4, {1, 5, 4, 8, 6, 3, 7, 2}},
    {19, 4, {1, 3, 7, 2, 6, 5, 4, 8}}, {20, 4, {1, 8, 4, 3, 6, 5, 7, 2}}, {21, 4, {1, 2, 7, 8, 4, 5, 6, 3}},
    {22, 4, {1, 8, 2, 7, 4, 5, 3, 6}}, {23, 4, {1, 4, 7, 3, 8, 5, 2, 6}}, {24, 4, {1, 3, 2, 5, 8, 6, 7, 4}},
    {25, 4, {1, 6, 3, 5, 4, 7, 2, 8}}, {26, 4, {1, 8, 3, 6, 4, 5, 2, 7}}, {27, 4, {1, 6, 2, 5, 8, 3, 7, 4}},
    {28, 4, {1, 3, 6, 8, 4, 2, 7, 5}}, {29, 4, {1, 5, 6, 3, 4, 2, 7, 8}}, {30, 4, {1, 5, 4, 2, 6, 3, 7, 8}},
};

constexpr double kPi = std::numbers::pi;

// Volts per raw count around the zero level 2048, as the viewer's ranges and gains imply: a
// range's full value spans the graph height, so primary samples cover +-60 V and secondary ones
// the viewer's gain constant times its secondary factor in volts per count (about +-13.8 kV).
constexpr double kPrimaryVoltsPerCount = 60.0 / 2048.0;
constexpr double kSecondaryKvPerCount = 6.75 * 14355.5 * 6.965971230538818e-5 / 1000.0;

// One firing event of one cylinder, measured on that cylinder.
struct Event {
  double dwellMs;
  double burnMs;
  double sparkVolts;  // spark line (kV secondary) or burn line (V primary)
  double peakVolts;   // firing line (kV) or inductive peak (V)
  double trOffVolts;  // primary: transistor voltage when it switches off
};

double SecondaryKv(const Event& e, double t, Noise& noise) {
  double v = noise.Uniform(0.04);
  if (t >= -e.dwellMs && t < 0) {
    const double s = t + e.dwellMs;  // the coil switching on rings briefly
    v += 1.1 * std::exp(-s / 0.12) * std::sin(2 * kPi * 6.0 * s) + 0.08;
  } else if (t >= 0 && t < 0.02) {
    v += e.peakVolts * (t / 0.02);
  } else if (t >= 0.02 && t < e.burnMs) {
    const double fall = std::exp(-(t - 0.02) / 0.015);
    const double line = e.sparkVolts * (1.0 - 0.3 * t / e.burnMs);
    v += line + (e.peakVolts - line) * fall + noise.Uniform(0.12);
  } else if (t >= e.burnMs) {
    const double s = t - e.burnMs;  // the coil's energy rings out after the spark
    v += 2.6 * std::exp(-s / 0.35) * std::cos(2 * kPi * 3.5 * s);
  }
  return v;
}

double PrimaryVolts(const Event& e, double t, Noise& noise) {
  constexpr double kBattery = 13.8;
  double v = noise.Uniform(0.15);
  if (t >= -e.dwellMs && t < 0) {
    const double s = (t + e.dwellMs) / e.dwellMs;
    // Saturation voltage rises with the coil current; the current limit lifts it at the end.
    v += e.trOffVolts * (0.6 + 0.4 * s) + (s > 0.8 ? 22.0 * (s - 0.8) : 0.0);
  } else if (t >= 0 && t < 0.01) {
    v += e.peakVolts * (t / 0.01);
  } else if (t >= 0.01 && t < e.burnMs) {
    const double fall = std::exp(-(t - 0.01) / 0.02);
    const double line = e.sparkVolts * (1.0 - 0.2 * t / e.burnMs);
    v += line + (e.peakVolts - line) * fall + noise.Uniform(1.5);
  } else if (t >= e.burnMs) {
    const double s = t - e.burnMs;
    v += kBattery + 55.0 * std::exp(-s / 0.3) * std::cos(2 * kPi * 3.5 * s);
  } else {
    v += kBattery;
  }
  return v;
}

class Generator {
public:
  Generator(const IgnitionOptions& o, const FiringOrder& order)
      : m_o(o), m_order(order), m_cylinders(IgnitionCylinders(o.engineClass)), m_noise(o.seed) {
    m_secondary = o.kind == IgnitionKind::Secondary;
    m_valueCount = m_secondary ? 4 : 5;
    for (int p = 0; p < m_cylinders; ++p) m_spread[p] = 1.0 + m_noise.Uniform(0.04);
  }

  std::vector<std::uint8_t> Build() {
    ByteImage image(kIgnitionHeaderSize);
    WriteHeader(image);
    std::size_t record = 0;
    for (int step = 0; step <= m_o.frameCount; ++step) {
      const int rpm = RpmAt(step);
      std::array<Event, 8> events{};
      for (int p = 0; p < m_cylinders; ++p) events[p] = EventFor(p, rpm);
      if (m_o.displayMode == 0) {
        for (int half = 0; half < (m_o.paired ? 2 : 1); ++half) {
          const std::vector<double> trace = ParadeTrace(events, rpm);
          for (int piece = 0; piece < 4; ++piece) {
            WriteRecord(image, record++, 4 - piece, trace, piece, events, 0, m_cylinders, rpm);
          }
        }
      } else {
        const int pieces = (m_o.timeBaseCode == 0 && m_o.sweepCount > 0) ? 4 : 2;
        for (int p = 0; p < m_cylinders; ++p) {
          const std::vector<double> trace = CylinderTrace(events[p], rpm, pieces);
          for (int piece = 0; piece < pieces; ++piece) {
            WriteRecord(image, record++, pieces - piece, trace, piece, events, p, 1, rpm);
          }
        }
      }
    }
    image.Resize(kIgnitionHeaderSize + record * kIgnitionRecordSize);
    return std::move(image.Bytes());
  }

private:
  void WriteHeader(ByteImage& h) {
    const char* labels[] = {"", "3기통", "4기통", "6기통", "8기통"};
    const char* coils[] = {"", "배전기", "1코일-2실린더", "1코일-1실린더"};
    std::string order;
    for (int p = 0; p < m_cylinders; ++p) order += (p ? "-" : "") + std::to_string(m_order.order[p]);
    h.PutI32(50, 1);
    h.PutText(54, 50, Cp949(labels[m_o.engineClass]));
    h.PutText(104, 50, Cp949(coils[m_o.coilCode]));
    h.PutText(154, 50, order);
    h.PutText(204, 50, Cp949(m_secondary ? "2차 점화 파형" : "1차 점화 파형"));
    h.PutText(254, 170, Cp949("공회전 후 급가속 3회, 엔진 정상 온도"));
    h.PutI32(550, 0);
    h.PutI16(554, m_o.sweepCount);
    h.PutU8(5500, m_secondary ? 1 : 0);
    h.PutU8(5501, static_cast<std::uint8_t>(m_o.displayMode));
    h.PutU8(5502, m_o.paired ? 1 : 0);
    h.PutI16(5503, 0);
    h.PutU8(5505, static_cast<std::uint8_t>(m_o.timeBaseCode));
    h.PutU8(5506, static_cast<std::uint8_t>(m_o.scaleByte));
    h.PutU8(5507, static_cast<std::uint8_t>(RangeIndex()));
    h.PutU8(6000, static_cast<std::uint8_t>(m_o.engineClass));
    h.PutU8(6001, static_cast<std::uint8_t>(m_order.code));
    h.PutU8(6002, static_cast<std::uint8_t>(m_o.coilCode));
    h.PutI32(6500, m_o.frameCount);
  }

  int RangeIndex() const {
    if (m_o.rangeIndex >= 0) return m_o.rangeIndex;
    // +-60 V, the samples' own span: dwell, burn line and ringing, the inductive peak clipped at the top.
    if (!m_secondary) return 2;
    // The smallest kilovolt range (+-5, 10, 25, 50) that holds the highest firing line.
    const double peak = m_o.faultyCylinder > 0 ? 22.0 : 13.0;
    constexpr std::array<double, 4> kRanges = {5, 10, 25, 50};
    for (int i = 0; i < 4; ++i) {
      if (peak <= kRanges[i]) return i;
    }
    return 3;
  }

  // Idle, a snap of the throttle to about three times idle, and back.
  int RpmAt(int step) {
    const double f = m_o.frameCount > 0 ? static_cast<double>(step) / m_o.frameCount : 0.0;
    double factor = 1.0;
    if (f > 0.3 && f <= 0.45) factor = 1.0 + 2.0 * (f - 0.3) / 0.15;
    else if (f > 0.45 && f <= 0.6) factor = 3.0;
    else if (f > 0.6 && f <= 0.8) factor = 3.0 - 2.0 * (f - 0.6) / 0.2;
    return ClampRound(m_o.rpm * factor * (1.0 + m_noise.Uniform(0.01)), 0, 9000);
  }

  Event EventFor(int position, int rpm) {
    const double load = std::clamp((rpm - m_o.rpm) / (2.0 * std::max(1, m_o.rpm)), 0.0, 1.0);
    const double k = m_spread[position] * (1.0 + m_noise.Uniform(0.02));
    Event e{};
    e.dwellMs = 3.0 * (1.0 + m_noise.Uniform(0.02));
    e.burnMs = (1.55 - 0.45 * load) * k;
    e.trOffVolts = 1.3 * k;
    if (m_secondary) {
      e.sparkVolts = (1.7 + 0.4 * load) * k;
      e.peakVolts = (9.5 + 3.0 * load) * k;
    } else {
      e.sparkVolts = (34.0 + 6.0 * load) * k;
      e.peakVolts = (290.0 + 20.0 * load) * k;
    }
    const bool faulty = m_o.faultyCylinder > 0 && m_order.order[position] == m_o.faultyCylinder;
    if (faulty) {  // an open plug lead: the spark needs much more voltage and burns briefly
      e.peakVolts *= 1.7;
      e.sparkVolts *= 1.8;
      e.burnMs *= 0.45;
    }
    return e;
  }

  // Milliseconds between two sparks of one coil.
  double CoilPeriodMs(int rpm) const {
    const double cycle = 120000.0 / std::max(rpm, 1);
    if (m_o.coilCode == 1) return cycle / m_cylinders;  // the distributor's coil fires for all
    if (m_o.coilCode == 2) return cycle / 2;            // waste spark every revolution
    return cycle;
  }

  double SpanMs(int rpm) const {
    switch (m_o.timeBaseCode) {
      case 0: return CoilPeriodMs(rpm);
      case 1: return 120000.0 / std::max(rpm, 1) / m_cylinders;
      case 3: return 10.0;
      case 4: return 50.0;
      case 5: return 150.0;
      case 6: return 20.0;
      default: return 5.0;
    }
  }

  double Volts(const Event& e, double t, int rpm) {
    const double period = CoilPeriodMs(rpm);
    const double start = -e.dwellMs - 0.5;
    double u = std::fmod(t - start, period);
    if (u < 0) u += period;
    u += start;
    return m_secondary ? SecondaryKv(e, u, m_noise) : PrimaryVolts(e, u, m_noise);
  }

  // Samples are 12-bit like the recorder's converter: the primary inductive peak (some 300 V)
  // runs past its 60 V and clips, as on the instrument, and so does a secondary firing line above
  // about 13.8 kV; the value fields carry the true peak.
  double Raw(double volts) const {
    return std::clamp(2048.0 + volts / (m_secondary ? kSecondaryKvPerCount : kPrimaryVoltsPerCount), 0.0, 4095.0);
  }

  // Modes 1..3: one cylinder over the time base; short spans centre on the spark.
  std::vector<double> CylinderTrace(const Event& e, int rpm, int pieces) {
    const int n = pieces * kIgnitionSamplesPerRecord;
    const double span = SpanMs(rpm);
    const double start = span >= e.dwellMs + 4.0 ? -e.dwellMs - 0.5 : -1.0;
    std::vector<double> trace(n);
    for (int k = 0; k < n; ++k) trace[k] = Raw(Volts(e, start + span * k / n, rpm));
    return trace;
  }

  // Mode 0: the cylinders one after another in firing order, 1500 samples over 720 degrees or
  // over the time base.
  std::vector<double> ParadeTrace(const std::array<Event, 8>& events, int rpm) {
    const int n = 4 * kIgnitionSamplesPerRecord;
    const double interval = 120000.0 / std::max(rpm, 1) / m_cylinders;
    const double span = m_o.timeBaseCode == 1 ? interval * m_cylinders : SpanMs(rpm);
    std::vector<double> trace(n);
    for (int k = 0; k < n; ++k) {
      const double t = span * k / n;
      const int firing = static_cast<int>(t / interval);
      const Event& e = events[firing % m_cylinders];
      const double local = t - firing * interval - e.dwellMs - 0.3;
      trace[k] = Raw(m_secondary ? SecondaryKv(e, local, m_noise) : PrimaryVolts(e, local, m_noise));
    }
    return trace;
  }

  // One record: samples of one piece, and the values of `count` cylinders from `first` on.
  void WriteRecord(ByteImage& image, std::size_t record, int marker, const std::vector<double>& trace,
                   int piece, const std::array<Event, 8>& events, int first, int count, int rpm) {
    const std::size_t at = kIgnitionHeaderSize + record * kIgnitionRecordSize;
    image.Resize(at + kIgnitionRecordSize);
    image.PutU16(at + 4, static_cast<std::uint16_t>(marker));
    for (int k = 0; k < kIgnitionSamplesPerRecord; ++k) {
      const double raw = trace[static_cast<std::size_t>(piece * kIgnitionSamplesPerRecord + k)];
      image.PutU16(at + 6 + 2 * k, static_cast<std::uint16_t>(std::lround(raw)));
    }
    std::size_t field = at + 756;
    for (int p = first; p < first + count; ++p) {
      const Event& e = events[p];
      const double values[] = {e.dwellMs, e.burnMs, e.sparkVolts, e.peakVolts, e.trOffVolts};
      for (int v = 0; v < m_valueCount; ++v, field += 4) image.PutF32(field, static_cast<float>(values[v]));
    }
    image.PutI16(field, rpm);
    image.PutU8(field + 2, 1);  // the cylinders of this frame are identified
  }

  const IgnitionOptions& m_o;
  const FiringOrder& m_order;
  int m_cylinders;
  Noise m_noise;
  bool m_secondary = true;
  int m_valueCount = 4;
  std::array<double, 8> m_spread{};
};

bool Validate(const IgnitionOptions& o, std::string* error) {
  auto fail = [&](const char* message) {
    SetError(error, message);
    return false;
  };
  if (IgnitionCylinders(o.engineClass) == 0) return fail("engine class must be 1..4");
  if (o.coilCode < 1 || o.coilCode > 3) return fail("coil code must be 1..3");
  if (o.displayMode < 0 || o.displayMode > 3) return fail("display mode must be 0..3");
  if (o.paired && o.displayMode != 0) return fail("paired frames exist only in display mode 0");
  const bool modeZeroCode = o.timeBaseCode >= 1 && o.timeBaseCode <= 5;
  const bool otherCode = o.timeBaseCode == 0 || o.timeBaseCode == 2 || o.timeBaseCode == 3 || o.timeBaseCode == 6;
  if (o.displayMode == 0 ? !modeZeroCode : !otherCode) {
    return fail("time-base code must be 1..5 in mode 0 and 0, 2, 3 or 6 in modes 1..3");
  }
  if (o.frameCount < 0 || o.frameCount > 100000) return fail("frame count must be 0..100000");
  if (o.rpm < 300 || o.rpm > 3000) return fail("idle speed must be 300..3000 RPM");
  if (o.sweepCount < 0 || o.sweepCount > 32767) return fail("sweep count must be 0..32767");
  const int ranges = o.kind == IgnitionKind::Secondary ? 4 : 6;
  if (o.rangeIndex < -1 || o.rangeIndex >= ranges) return fail("range index out of range for this kind");
  if (o.scaleByte < 0 || o.scaleByte > 255) return fail("scale byte must be 0..255");
  if (o.faultyCylinder < 0 || o.faultyCylinder > IgnitionCylinders(o.engineClass)) {
    return fail("faulty cylinder must be 0 (none) or a cylinder of the engine");
  }
  return true;
}

}  // namespace

int IgnitionCylinders(int engineClass) {
  switch (engineClass) {
    case 1: return 3;
    case 2: return 4;
    case 3: return 6;
    case 4: return 8;
    default: return 0;
  }
}

int IgnitionFramesPerStep(const IgnitionOptions& o) {
  if (o.displayMode == 0) return o.paired ? 8 : 4;
  const int cylinders = IgnitionCylinders(o.engineClass);
  return (o.timeBaseCode == 0 && o.sweepCount > 0) ? cylinders * 4 : cylinders * 2;
}

bool WriteIgnitionSample(const IgnitionOptions& options, const std::filesystem::path& path, std::string* error) {
  if (!Validate(options, error)) return false;
  const FiringOrder* order = nullptr;
  for (const auto& f : kFiringOrders) {
    if (f.engineClass != options.engineClass) continue;
    if (options.firingCode == 0 || options.firingCode == f.code) {
      order = &f;
      break;
    }
  }
  if (!order) {
    SetError(error, "firing code does not belong to the engine class");
    return false;
  }
  Generator generator(options, *order);
  return WriteFileAtomically(path, generator.Build(), error);
}

}  // namespace vetra::samples
