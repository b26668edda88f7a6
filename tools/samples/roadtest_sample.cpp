#include "tools/samples/roadtest_sample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/base/text.h"
#include "tools/samples/lut_sample.h"
#include "tools/samples/sample_bytes.h"
#include "tools/samples/sample_lzss_packer.h"

namespace vetra::samples {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kCrankTeeth = 60;   // 60-2 trigger wheel
constexpr int kWheelTeeth = 48;   // wheel speed sensor tone ring

// Block offsets of channel record i.
constexpr std::size_t Rec(int i, int field) { return kRoadHeaderSize + 107 * static_cast<std::size_t>(i) + field; }
constexpr std::size_t Blk(std::size_t offset) { return kRoadHeaderSize + offset; }

enum class Sig { Crank, Cam, Throttle, Map, Oxygen, Injector, Battery, WheelPulse, Coolant, CoilCurrent };

struct ChannelDef {
  const char* code;
  const char* name;  // UTF-8
  int rate;
  int coding;
  int rangeCode;
  int unit;
  int itemType;
  Sig sig;
};

// Value per raw step by coding, and whether bytes count from 0 (else they centre on 127).
double Resolution(int coding) {
  constexpr double table[] = {1.0, 0.78125, 0.390625, 0.390625, 0.1953125, 0.046875, 0.0234375,
                              0.01953125, 0.009765625, 2.34375};
  return coding >= 0 && coding <= 9 ? table[coding] : 1.0;
}
bool Unsigned(int coding) { return coding == 2 || coding == 4 || coding == 6 || coding == 8 || coding == 9; }

struct Range { double low, high; };
Range RangeOf(int code) {
  constexpr Range table[] = {{0, 255}, {-100, 100}, {0, 100}, {-50, 50}, {0, 50}, {-20, 20}, {0, 20},
                             {-6, 6}, {0, 6}, {-2.5, 2.5}, {0, 2.5}};
  return code >= 0 && code <= 10 ? table[code] : Range{0, 255};
}

const ChannelDef kChannels[] = {
    {"CKP", "크랭크각 센서", 50, 6, 8, 1, 0, Sig::Crank},
    {"CMP", "캠축 위치 센서", 50, 6, 8, 1, 0, Sig::Cam},
    {"TPS", "스로틀 포지션 센서", 10, 6, 8, 1, 0, Sig::Throttle},
    {"MAP", "흡기압 센서", 10, 6, 8, 1, 0, Sig::Map},
    {"O2S", "산소 센서(B1S1)", 5, 8, 10, 1, 0, Sig::Oxygen},
    {"INJ1", "인젝터 #1", 25, 2, 2, 1, 0, Sig::Injector},
    {"BATT", "배터리 전압", 1, 4, 4, 1, 0, Sig::Battery},
    {"WSS", "휠속도 센서(FL)", 25, 6, 8, 1, 0, Sig::WheelPulse},
    {"WTS", "냉각수온 센서", 1, 6, 8, 1, 0, Sig::Coolant},  // volts; the derived "ECT" item shows degrees
    {"IGC1", "점화코일 1차 전류", 50, 6, 8, 3, 0, Sig::CoilCurrent},
};
constexpr int kCatalogue = static_cast<int>(std::size(kChannels));
constexpr int kRecordedChannels = 80;

// The drive: steady at idle in third gear, a throttle snap, and back.
class Scenario {
public:
  Scenario(double seconds, int idleRpm) : m_seconds(seconds), m_idle(idleRpm) {}
  double Fraction(double t) const { return t / m_seconds; }
  double ThrottleVolts(double t) const {
    const double f = Fraction(t);
    if (f < 0.2 || f >= 0.7) return 0.5;
    if (f < 0.3) return 0.5 + 3.0 * Smooth((f - 0.2) / 0.1);
    if (f < 0.6) return 3.5;
    return 3.5 - 3.0 * Smooth((f - 0.6) / 0.1);
  }
  double Load(double t) const { return (ThrottleVolts(t) - 0.5) / 3.0; }
  // The engine follows the throttle a little later.
  double Rpm(double t) const {
    const double lag = 0.06 * m_seconds;
    return m_idle + 2.1 * m_idle * Load(std::max(0.0, t - lag));
  }
  double SpeedKmh(double t) const { return Rpm(t) / 55.0; }

private:
  static double Smooth(double x) { x = std::clamp(x, 0.0, 1.0); return x * x * (3 - 2 * x); }
  double m_seconds;
  int m_idle;
};

// Accumulates the angle of a rotating part sample by sample.
class Rotor {
public:
  double Advance(double revsPerSecond, double dt) { return m_revs += revsPerSecond * dt; }
private:
  double m_revs = 0;
};

struct Channel {
  int index;
  ChannelDef def;
  std::vector<std::uint8_t> samples;
};

std::uint8_t ToByte(double value, int coding) {
  const double zero = Unsigned(coding) ? 0.0 : 127.0;
  return static_cast<std::uint8_t>(ClampRound(zero + value / Resolution(coding), 0, 255));
}

std::vector<std::uint8_t> Generate(const ChannelDef& def, int count, int rate, const Scenario& s,
                                   double tyreDiameter, Noise& noise) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
  const double dt = 1.0 / (1000.0 * rate);
  Rotor rotor;
  double coolant = 0.52;
  for (int i = 0; i < count; ++i) {
    const double t = i * dt;
    const double rpm = s.Rpm(t);
    double v = 0;
    switch (def.sig) {
      case Sig::Crank: {
        const double tooth = std::fmod(rotor.Advance(rpm / 60.0, dt), 1.0) * kCrankTeeth;
        const bool gap = tooth >= kCrankTeeth - 2;
        v = (!gap && std::fmod(tooth, 1.0) < 0.5) ? 4.8 : 0.3;
        v += noise.Uniform(0.05);
        break;
      }
      case Sig::Cam: {  // one window of 30 crank degrees every second revolution
        const double phase = std::fmod(rotor.Advance(rpm / 120.0, dt), 1.0);
        v = phase < 30.0 / 720.0 ? 4.8 : 0.25;
        v += noise.Uniform(0.05);
        break;
      }
      case Sig::Throttle: v = s.ThrottleVolts(t) + noise.Uniform(0.02); break;
      case Sig::Map: v = 1.2 + 2.8 * s.Load(std::max(0.0, t - 0.02)) + noise.Uniform(0.03); break;
      case Sig::Oxygen: {
        const double load = s.Load(t);
        const double closedLoop = 0.45 + 0.38 * std::sin(2 * kPi * 1.4 * t);
        v = load > 0.5 ? 0.86 : (s.Fraction(t) > 0.7 && s.Fraction(t) < 0.75 ? 0.05 : closedLoop);
        v += noise.Uniform(0.01);
        break;
      }
      case Sig::Injector: {  // once per cycle: driver pulls low, then the coil's flyback spike
        const double cycle = std::fmod(rotor.Advance(rpm / 120.0, dt), 1.0) * 120.0 / rpm * 1000.0;  // ms
        const double width = 2.6 + 6.0 * s.Load(t);
        if (cycle < width) v = 0.35;
        else if (cycle < width + 0.06) v = 68.0;
        else v = 14.0 + 40.0 * std::exp(-(cycle - width - 0.06) / 0.08) * std::cos(2 * kPi * 8 * (cycle - width));
        v += noise.Uniform(0.15);
        break;
      }
      case Sig::Battery: v = 14.1 - 0.3 * s.Load(t) + 0.08 * std::sin(2 * kPi * 180 * t) + noise.Uniform(0.04); break;
      case Sig::WheelPulse: {
        const double revs = rotor.Advance(s.SpeedKmh(t) / 3.6 / (kPi * tyreDiameter), dt);
        v = std::fmod(revs * kWheelTeeth, 1.0) < 0.5 ? 4.9 : 0.2;
        v += noise.Uniform(0.05);
        break;
      }
      case Sig::Coolant:  // about 87 C, warming slowly (the sensor's voltage falls)
        coolant = 0.52 - 0.015 * s.Fraction(t);
        v = coolant + noise.Uniform(0.005);
        break;
      case Sig::CoilCurrent: {  // dwell current ramp, limited at 5.8 A, once per firing
        const double firing = std::fmod(rotor.Advance(rpm / 30.0, dt), 1.0) * 30.0 / rpm * 1000.0;  // ms
        const double dwell = 3.0;
        v = firing < dwell ? std::min(5.8, 7.5 * (1 - std::exp(-firing / 2.4))) : 0.0;
        v += noise.Uniform(0.03);
        break;
      }
    }
    out[static_cast<std::size_t>(i)] = ToByte(v, def.coding);
  }
  return out;
}

// A derived item and what it is computed from.
struct DerivedDef {
  const char* code;
  const char* name;
  int typeOld, typeNew;  // 0: not in that layout
  int source;            // catalogue index of the source channel
  int unit;
  double high;           // value range high (low 0)
};

const DerivedDef kDerived[] = {
    {"RPM", "엔진회전수", 1, 1, 1, 5, 6000},
    {"VSS", "차속", 3200, 1200, 7, 8, 250},
    {"CKPR", "엔진회전수(CKP)", 3100, 11, 0, 5, 6000},
    {"DUTY", "인젝터 듀티", 0, 1300, 5, 10, 100},
    {"TPSP", "스로틀 개도", 0, 1600, 2, 10, 100},
    {"MAPK", "흡기압", 0, 1601, 3, 6, 110},
    // The coolant sensor's bytes through the options' table: the viewer reads a table item's
    // values from its source's raw bytes, and its height scale is one byte per 256th of the graph.
    {"ECT", "냉각수온", 201, 201, 8, 16, 256},
};

double TyreDiameter(double width, double aspect, double rim) { return width * aspect * 0.01 * 0.002 + rim * 0.0254; }

bool Validate(const RoadTestOptions& o, std::string* error) {
  auto fail = [&](const char* message) {
    SetError(error, message);
    return false;
  };
  if (o.recordLengthCode < 1 || o.recordLengthCode > 5) return fail("record length code must be 1..5");
  if (o.channels < 1 || o.channels > kRecordedChannels) return fail("recorded channels must be 1..80");
  const std::array<int, 7> rates = {0, 50, 25, 10, 5, 2, 1};
  if (std::find(rates.begin(), rates.end(), o.rate) == rates.end()) return fail("rate must be 50, 25, 10, 5, 2 or 1");
  if (o.lutNumber < 0 || o.lutNumber > 255) return fail("LUT number must be 0..255");
  // The tyre must lie inside the viewer's tyre table: 150..290 mm, 30..80 %, 10..20 in.
  if (o.tyreWidth < 150 || o.tyreWidth > 290 || o.tyreWidth % 5) return fail("tyre width must be 150..290 mm in steps of 5");
  if (o.tyreAspect < 30 || o.tyreAspect > 80 || o.tyreAspect % 5) return fail("aspect ratio must be 30..80 % in steps of 5");
  if (o.tyreRim < 10 || o.tyreRim > 20) return fail("rim must be 10..20 inches");
  if (o.idleRpm < 500 || o.idleRpm > 1500) return fail("idle speed must be 500..1500 RPM");
  return true;
}

}  // namespace

int RoadRecordLength(int code) {
  switch (code) {
    case 2: return 750000;
    case 3: return 500000;
    case 4: return 250000;
    case 5: return 50000;
    default: return 1000000;
  }
}

bool BuildRoadTestRecording(const RoadTestOptions& o, std::vector<std::uint8_t>& bytes, std::string* error) {
  if (!Validate(o, error)) return false;
  const bool isNew = o.layout == RoadTestLayout::New;
  const int length = RoadRecordLength(o.recordLengthCode);
  const std::size_t blockSize = isNew ? kRoadNewBlockSize : kRoadOldBlockSize;
  const std::size_t minMaxAt = kRoadHeaderSize + blockSize;
  const std::size_t sampleStart = minMaxAt + 160;
  Noise noise(o.seed);
  const Scenario scenario(length / 50000.0, o.idleRpm);
  const double diameter = TyreDiameter(o.tyreWidth, o.tyreAspect, o.tyreRim);

  ByteImage image(sampleStart);
  image.PutText(0, 50, Cp949(o.maker));
  image.PutText(50, 50, Cp949(o.model));
  image.PutText(100, 50, Cp949(o.system));
  image.PutText(150, 50, Cp949(o.plate));
  image.PutText(200, 1500, Cp949(o.symptom));
  image.PutI8(Blk(90), o.recordLengthCode);
  image.PutU8(Blk(91), o.allEighty ? 1 : 0);
  if (isNew) image.PutText(Blk(35410), 8, "New1.00");

  auto putCode = [&](int i, const char* code) {
    if (isNew) image.PutText(Blk(35420 + 75 * static_cast<std::size_t>(i)), 11, code);
    else image.PutText(Rec(i, 111), 6, code);
  };
  auto putParam = [&](int i, int k, float value) {
    image.PutF32(Blk(35420 + 75 * static_cast<std::size_t>(i) + 11 + 4 * static_cast<std::size_t>(k)), value);
  };
  auto putRange = [&](int i, double low, double high) {
    image.PutF64(Blk(33810 + 16 * static_cast<std::size_t>(i)), low);
    image.PutF64(Blk(33810 + 16 * static_cast<std::size_t>(i) + 8), high);
  };

  std::vector<Channel> channels;
  for (int i = 0; i < o.channels; ++i) {
    ChannelDef def = kChannels[i % kCatalogue];  // beyond the catalogue the sensors repeat
    if (o.rate != 0) def.rate = o.rate;
    const int count = static_cast<int>(static_cast<long long>(length) * def.rate / 50);
    channels.push_back({i, def, Generate(def, count, def.rate, scenario, diameter, noise)});
    putCode(i, def.code);
    image.PutText(Rec(i, 117), 40, Cp949(def.name));
    image.PutI8(Rec(i, 157), def.rate);
    image.PutI16(Rec(i, 158), def.itemType);
    image.PutF32(Rec(i, 168), 2.5f);
    image.PutU8(Rec(i, 200), static_cast<std::uint8_t>(def.unit));
    image.PutU8(Rec(i, 202), def.sig == Sig::Throttle || def.sig == Sig::Map || def.sig == Sig::Injector ? 1 : 0);
    image.PutU8(Rec(i, 204), static_cast<std::uint8_t>(def.coding));
    image.PutI8(Rec(i, 205), def.rangeCode);
    const Range r = RangeOf(def.rangeCode);
    putRange(i, r.low, r.high);
    const auto [lo, hi] = std::minmax_element(channels.back().samples.begin(), channels.back().samples.end());
    image.PutU8(minMaxAt + 2 * static_cast<std::size_t>(i), channels.back().samples.empty() ? 0 : *lo);
    image.PutU8(minMaxAt + 2 * static_cast<std::size_t>(i) + 1, channels.back().samples.empty() ? 0 : *hi);
  }

  if (o.derived) {
    int slot = 80;
    for (const DerivedDef& d : kDerived) {
      const int type = isNew ? d.typeNew : d.typeOld;
      if (type == 0 || d.source >= o.channels) continue;
      const int i = slot++;
      const ChannelDef& src = channels[static_cast<std::size_t>(d.source)].def;
      putCode(i, d.code);
      image.PutText(Rec(i, 117), 40, Cp949(d.name));
      image.PutI8(Rec(i, 157), src.rate);
      image.PutI16(Rec(i, 158), type);
      image.PutU8(Rec(i, 160), static_cast<std::uint8_t>(d.source + 1));
      if (type == 201) image.PutU8(Rec(i, 161), static_cast<std::uint8_t>(o.lutNumber));
      image.PutF32(Rec(i, 168), 2.5f);
      image.PutU8(Rec(i, 200), static_cast<std::uint8_t>(d.unit));
      image.PutU8(Rec(i, 202), 1);
      image.PutU8(Rec(i, 204), 0);
      putRange(i, 0.0, d.high);
      const double samplesPerSecond = 1000.0 * src.rate;
      switch (type) {
        case 1:  // one cam window every two revolutions: rpm = A / (samples / B)
          image.PutF32(Rec(i, 184), 120000.0f);
          image.PutF32(Rec(i, 188), static_cast<float>(src.rate));
          break;
        case 11:
        case 3100:  // one crank tooth per 6 degrees: rpm = samples per second / tooth period
          image.PutF32(Rec(i, 184), static_cast<float>(samplesPerSecond));
          image.PutF32(Rec(i, 188), 1.0f);
          break;
        case 3200: {  // tyre by table indexes; A / period x B x tyre factor gives km/h
          const double factor = 0.49837227 / diameter;
          image.PutF32(Rec(i, 184), static_cast<float>(samplesPerSecond / kWheelTeeth * kPi * diameter * 3.6 / factor));
          image.PutF32(Rec(i, 188), 1.0f);
          image.PutText(Blk(10810 + 180 * static_cast<std::size_t>(i)), 20, std::to_string((o.tyreWidth - 150) / 5 + 1));
          image.PutText(Blk(10830 + 180 * static_cast<std::size_t>(i)), 20, std::to_string((o.tyreAspect - 30) / 5 + 1));
          image.PutText(Blk(10850 + 180 * static_cast<std::size_t>(i)), 20, std::to_string(o.tyreRim - 9));
          break;
        }
        case 1200:
          putParam(i, 0, kWheelTeeth);
          putParam(i, 4, 2.5f);
          putParam(i, 5, static_cast<float>(o.tyreWidth));
          putParam(i, 6, static_cast<float>(o.tyreAspect));
          putParam(i, 7, static_cast<float>(o.tyreRim));
          break;
        case 1300:  // injector driven low below 7 V
          putParam(i, 4, 7.0f);
          break;
        case 1600:  // 0.5 V closed .. 4.5 V wide open
          putParam(i, 0, 0.5f); putParam(i, 1, 0.0f); putParam(i, 2, 4.5f); putParam(i, 3, 100.0f);
          break;
        case 1601:  // manifold pressure sensor: 0.5 V 20 kPa .. 4.5 V 101.3 kPa
          putParam(i, 0, 0.5f); putParam(i, 1, 20.0f); putParam(i, 2, 4.5f); putParam(i, 3, 101.3f);
          putParam(i, 4, -1.0f);
          break;
      }
    }
  }

  // Samples, channel after channel.
  std::size_t total = sampleStart;
  for (const Channel& c : channels) total += c.samples.size();
  image.Resize(total);
  std::size_t at = sampleStart;
  for (const Channel& c : channels) {
    image.PutBytes(at, c.samples);
    at += c.samples.size();
  }
  bytes = std::move(image.Bytes());
  return true;
}

bool WriteRoadTestSample(const RoadTestOptions& options, const std::filesystem::path& path, std::string* error) {
  std::vector<std::uint8_t> bytes;
  if (!BuildRoadTestRecording(options, bytes, error)) return false;
  if (options.packed) bytes = PackLzss(bytes);
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace vetra::samples
