#include "tools/samples/scan_sample.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "platform/base/text.h"
#include "tools/samples/sample_bytes.h"

namespace vetra::samples {
namespace {

// What an item measures; each has its own course over the drive.
enum class Signal {
  EngineSpeed, IgnitionTiming, AirCon, TimingBtdc, VehicleSpeed, RunTime, AirFlowPeriod,
  FuelTrimLearn, SteeringAngle, Battery, Coolant, Throttle, OxygenTrim, ShiftLever, LockUp,
};

// One descriptor as the viewer reads it; unused fields stay zero.
struct Item {
  const char* name;  // UTF-8
  Signal signal;
  int convType;
  int rawSize = 1;
  float scale = 0;     // also the type-10 addend
  float offset = 0;    // also the type-10 divisor
  int multiplier = 0, addend = 0, modulus = 0;  // types 5 and 6
  int lutTable = 0, maskKind = 0, polarity = 0, mask = 0, lutTable16 = 0;  // type 3
  int offset16 = 0, stateTable = 0, signMode = 0;  // types 4 and 9
  int graphMin = 0, graphMax = 255;
  int unit = 0, format = 1;
};

// The first ten cover the ten conversion types.
const Item kCatalogue[] = {
    {.name = "엔진회전수", .signal = Signal::EngineSpeed, .convType = 1, .rawSize = 2, .scale = 1, .graphMin = 0, .graphMax = 8000, .unit = 4, .format = 1},
    {.name = "점화시기", .signal = Signal::IgnitionTiming, .convType = 2, .rawSize = 1, .scale = 0.5f, .graphMin = -40, .graphMax = 100, .unit = 16, .format = 2},
    {.name = "에어컨 스위치", .signal = Signal::AirCon, .convType = 3, .lutTable = 1, .maskKind = 1, .polarity = 1, .mask = 0x04, .graphMin = 0, .graphMax = 1},
    {.name = "점화시기(크랭크각)", .signal = Signal::TimingBtdc, .convType = 4, .scale = 1, .offset16 = 0, .stateTable = 8, .signMode = 2, .graphMin = -20, .graphMax = 60, .unit = 16},
    {.name = "차속센서", .signal = Signal::VehicleSpeed, .convType = 5, .multiplier = 1, .addend = 0, .modulus = 0, .graphMin = 0, .graphMax = 200, .unit = 18},
    {.name = "시동후 경과시간", .signal = Signal::RunTime, .convType = 6, .multiplier = 1, .addend = 0, .modulus = 1440, .graphMin = 0, .graphMax = 1440},
    {.name = "흡입공기량 센서 주파수", .signal = Signal::AirFlowPeriod, .convType = 7, .scale = 100000, .offset = 0, .graphMin = 100, .graphMax = 5000, .unit = 2, .format = 1},
    {.name = "연료보정 학습치", .signal = Signal::FuelTrimLearn, .convType = 8, .graphMin = -16, .graphMax = 32, .unit = 17},
    {.name = "조향각 센서", .signal = Signal::SteeringAngle, .convType = 9, .scale = 1, .offset16 = 0, .stateTable = 9, .signMode = 0, .graphMin = -540, .graphMax = 540, .unit = 16},
    {.name = "배터리 전압", .signal = Signal::Battery, .convType = 10, .scale = 0, .offset = 10, .graphMin = 0, .graphMax = 180, .unit = 3, .format = 2},
    {.name = "냉각수온 센서", .signal = Signal::Coolant, .convType = 1, .rawSize = 1, .scale = 0.75f, .offset = -48, .graphMin = 0, .graphMax = 255, .unit = 14, .format = 1},
    {.name = "스로틀 포지션 센서", .signal = Signal::Throttle, .convType = 1, .rawSize = 1, .scale = 0.0196f, .offset = 0, .graphMin = 0, .graphMax = 255, .unit = 3, .format = 3},
    {.name = "산소센서 피드백 보정", .signal = Signal::OxygenTrim, .convType = 2, .rawSize = 2, .scale = 0.01f, .graphMin = -2500, .graphMax = 2500, .unit = 17, .format = 2},
    {.name = "변속레버 스위치", .signal = Signal::ShiftLever, .convType = 3, .lutTable = 72, .maskKind = 4, .polarity = 1, .mask = 0xF0, .graphMin = 0, .graphMax = 8},
    {.name = "댐퍼클러치 작동", .signal = Signal::LockUp, .convType = 3, .lutTable = 255, .maskKind = 2, .polarity = 0, .mask = 0x0C, .lutTable16 = 321, .graphMin = 0, .graphMax = 3},
};
constexpr int kCatalogueSize = static_cast<int>(std::size(kCatalogue));

void WriteDescriptor(ByteImage& image, std::size_t at, const Item& item, const std::string& name) {
  image.PutText(at + 0, 83, name);
  image.PutU8(at + 83, static_cast<std::uint8_t>(item.rawSize));
  image.PutI8(at + 84, item.convType);
  switch (item.convType) {
    case 3:
      image.PutU8(at + 85, static_cast<std::uint8_t>(item.lutTable));
      image.PutU8(at + 86, static_cast<std::uint8_t>(item.maskKind));
      image.PutU8(at + 87, static_cast<std::uint8_t>(item.polarity));
      image.PutU8(at + 88, static_cast<std::uint8_t>(item.mask));
      if (item.lutTable == 255) image.PutU16(at + 91, static_cast<std::uint16_t>(item.lutTable16));
      break;
    case 4:
    case 9:
      image.PutF32(at + 85, item.scale);
      image.PutI16(at + 89, item.offset16);
      image.PutU8(at + 91, static_cast<std::uint8_t>(item.stateTable));
      image.PutU8(at + 92, static_cast<std::uint8_t>(item.signMode));
      break;
    case 5:
    case 6:
      image.PutI16(at + 85, item.multiplier);
      image.PutI16(at + 87, item.addend);
      image.PutU16(at + 89, static_cast<std::uint16_t>(item.modulus));
      break;
    case 8:
      break;
    default:  // 1, 2, 7, 10
      image.PutF32(at + 85, item.scale);
      image.PutF32(at + 89, item.offset);
      if (item.convType == 2) image.PutU8(at + 92, static_cast<std::uint8_t>(item.signMode));
      if (item.convType == 7) image.PutF32(at + 93, item.offset);
      break;
  }
  image.PutI16(at + 97, item.graphMin);
  image.PutI16(at + 99, item.graphMax);
  image.PutU8(at + 101, static_cast<std::uint8_t>(item.unit));
  image.PutU8(at + 102, static_cast<std::uint8_t>(item.format));
}

// A short city drive: warm idle, pull away, cruise, stop, idle.
struct Drive {
  double speed;     // km/h
  double rpm;
  double throttle;  // volts
  bool moving;
};

Drive DriveAt(double f) {
  Drive d{};
  if (f < 0.15) d.speed = 0;
  else if (f < 0.35) d.speed = 60.0 * (f - 0.15) / 0.2;
  else if (f < 0.6) d.speed = 60.0 + 20.0 * (f - 0.35) / 0.25;
  else if (f < 0.7) d.speed = 80.0;
  else if (f < 0.85) d.speed = 80.0 * (0.85 - f) / 0.15;
  else d.speed = 0;
  d.moving = d.speed > 0.5;
  const double gearSpeed = std::fmod(d.speed, 25.0);  // each gear spans about 25 km/h
  d.rpm = d.moving ? 1300.0 + gearSpeed * 70.0 : 750.0;
  const bool accelerating = f >= 0.15 && f < 0.6;
  d.throttle = !d.moving ? 0.45 : accelerating ? 1.6 + 0.6 * std::sin(f * 40.0) : (f < 0.7 ? 1.05 : 0.45);
  return d;
}

int RawFor(Signal signal, double f, int index, int count, int intervalMs, Noise& noise) {
  const Drive d = DriveAt(f);
  switch (signal) {
    case Signal::EngineSpeed: return ClampRound(d.rpm + noise.Uniform(15), 0, 8000);
    case Signal::IgnitionTiming: return ClampRound((d.moving ? 24.0 + d.throttle * 3 : 10.0) * 2 + noise.Uniform(2), -128, 127) & 0xFF;
    case Signal::AirCon: return (f > 0.5 ? 0x04 : 0x00) | 0x01;
    case Signal::TimingBtdc: return ClampRound(d.moving ? 28 : 10, -60, 60);
    case Signal::VehicleSpeed: return ClampRound(d.speed + noise.Uniform(0.4), 0, 255);
    case Signal::RunTime: return 18 + index * intervalMs / 60000;
    case Signal::AirFlowPeriod: {
      const double hertz = 28.0 + (d.rpm - 750.0) * 0.09 + d.throttle * 20.0;
      return ClampRound(100000.0 / hertz, 1, 32767);
    }
    case Signal::FuelTrimLearn: return ClampRound(-2 + noise.Uniform(1.4), -16, 31) & 0xFF;
    case Signal::SteeringAngle: {
      const double turn = (f > 0.4 && f < 0.5) ? 90.0 * std::sin((f - 0.4) / 0.1 * 3.14159) : 0.0;
      return ClampRound(turn + noise.Uniform(1.0), -540, 540);
    }
    case Signal::Battery: return ClampRound(141 + noise.Uniform(1.2), 0, 180);
    case Signal::Coolant: {
      const double celsius = 92.0 - 30.0 * std::exp(-3.0 * static_cast<double>(index) / std::max(count, 1));
      return ClampRound((celsius + 48.0) / 0.75, 0, 255);
    }
    case Signal::Throttle: return ClampRound(d.throttle / 0.0196 + noise.Uniform(0.6), 0, 255);
    case Signal::OxygenTrim: return ClampRound(250.0 * std::sin(index * 0.7) + noise.Uniform(80), -2500, 2500);
    case Signal::ShiftLever: return (d.moving || (f > 0.12 && f < 0.9) ? 6 : 1) << 4;
    case Signal::LockUp: return (d.moving && d.speed > 55 ? 2 : 0) << 2;
  }
  return 0;
}

bool Validate(const ScanOptions& o, std::string* error) {
  auto fail = [&](const char* message) {
    SetError(error, message);
    return false;
  };
  if (o.itemCount < 1 || o.itemCount > 100) return fail("item count must be 1..100");
  if (o.sampleCount < 1 || o.sampleCount > 5010) return fail("sample count must be 1..5010");
  if (o.sampleWidth != 2 && o.sampleWidth != 4) return fail("sample width must be 2 or 4");
  if (o.triggerCount < 0 || o.triggerCount > 10) return fail("trigger count must be 0..10");
  if (o.markedSample < 0 || o.markedSample >= o.sampleCount) return fail("marked sample must lie inside the recording");
  if (o.intervalMs < 1 || o.intervalMs > 60000) return fail("sample interval must be 1..60000 ms");
  return true;
}

}  // namespace

bool WriteScanSample(const ScanOptions& o, const std::filesystem::path& path, std::string* error) {
  if (!Validate(o, error)) return false;
  Noise noise(o.seed);
  ByteImage image(kScanSamplesAt);
  image.PutText(0, 100, Cp949("스캔 데이터 기록"));
  image.PutText(100, 100, o.ecuText);
  image.PutText(200, 25, o.systemText);
  image.PutU8(225, static_cast<std::uint8_t>(o.itemCount));

  std::vector<int> ids(static_cast<std::size_t>(o.itemCount));
  std::iota(ids.begin(), ids.end(), 0);
  for (int id = 0; id < o.itemCount; ++id) {
    const Item& item = kCatalogue[id % kCatalogueSize];
    std::string name = Cp949(item.name);
    if (id >= kCatalogueSize) name += " #" + std::to_string(id / kCatalogueSize + 1);
    WriteDescriptor(image, kScanDescriptorTable + static_cast<std::size_t>(kScanDescriptorSize) * id, item, name);
  }
  if (o.shuffleIds) {  // a fixed rotation keeps the recording order apart from the ids
    std::rotate(ids.begin(), ids.begin() + o.itemCount / 3, ids.end());
  }

  image.PutI8(kScanItemCountAt, o.itemCount);
  for (int k = 0; k < o.itemCount; ++k) image.PutI8(78757 + k, ids[k]);
  image.PutI16(78857, o.sampleCount);
  image.PutI32(78859, o.startTime);
  image.PutI32(78863, o.startTime + static_cast<std::int32_t>(static_cast<std::int64_t>(o.sampleCount) * o.intervalMs / 1000));
  image.PutI16(78867, o.markedSample);
  image.PutU8(78869, static_cast<std::uint8_t>(o.sampleWidth == 4 ? 4 : 2));

  std::size_t at = kScanSamplesAt;
  for (int k = 0; k < o.itemCount; ++k) {
    const Signal signal = kCatalogue[ids[k] % kCatalogueSize].signal;
    for (int s = 0; s < o.sampleCount; ++s, at += o.sampleWidth) {
      const double f = static_cast<double>(s) / o.sampleCount;
      const int raw = RawFor(signal, f, s, o.sampleCount, o.intervalMs, noise);
      if (o.sampleWidth == 4) image.PutI32(at, raw);
      else image.PutU16(at, static_cast<std::uint16_t>(raw & 0xFFFF));
    }
  }
  for (int s = 0; s < o.sampleCount; ++s, at += 2) {
    image.PutI16(at, ClampRound(DriveAt(static_cast<double>(s) / o.sampleCount).rpm + noise.Uniform(15), 0, 8000));
  }
  image.PutI16(at, o.triggerCount);
  for (int t = 0; t < o.triggerCount; ++t) {
    image.PutI16(at + 2 + 2 * t, (t + 1) * o.sampleCount / (o.triggerCount + 1));
  }
  image.Resize(at + 2 + 60);
  return WriteFileAtomically(path, image.Bytes(), error);
}

}  // namespace vetra::samples
