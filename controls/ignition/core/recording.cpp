#include "controls/ignition/core/recording.h"

#include <algorithm>
#include <cstring>

namespace sparwen {
namespace {

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int16_t I16(const std::uint8_t* p) { return static_cast<std::int16_t>(U16(p)); }
std::int32_t I32(const std::uint8_t* p)
{
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                   (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}
float F32(const std::uint8_t* p)
{
  const std::uint32_t bits = static_cast<std::uint32_t>(I32(p));
  float value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A zero-terminated text that ends at its field's end when the terminator is missing.
std::string FieldText(const std::uint8_t* p, std::size_t size)
{
  const auto* end = std::find(p, p + size, std::uint8_t{0});
  return std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
}

}  // namespace

IgnitionHeader ParseHeader(std::span<const std::uint8_t, ig::kHeaderSize> bytes)
{
  const std::uint8_t* b = bytes.data();
  IgnitionHeader h;
  h.headerValue = I32(b + ig::kHeaderValue);
  h.cylinderLabel = FieldText(b + ig::kCylinderText, ig::kTextSize);
  h.coilText = FieldText(b + ig::kCoilText, ig::kTextSize);
  h.firingText = FieldText(b + ig::kFiringText, ig::kTextSize);
  h.sweepCount = I16(b + ig::kSweepCount);
  const std::uint8_t* s = b + ig::kSettings;
  h.settings.ignitionKind = s[0];
  h.settings.displayMode = s[1];
  h.settings.pairedFlag = s[2];
  h.settings.bandPosition = I16(s + 3);
  h.settings.timeBaseCode = s[5];
  h.settings.scaleByte = s[6];
  h.settings.rangeIndex = s[7];
  std::memcpy(h.engineBytes.data(), b + ig::kEngine, h.engineBytes.size());
  h.engineClass = static_cast<std::int8_t>(h.engineBytes[0]);
  h.firingCode = h.engineBytes[1];
  h.coilCode = h.engineBytes[2];
  h.frameCount = I32(b + ig::kFrameCount);
  for (int i = 0; i < ig::kTableFloats; ++i) h.tables[i] = F32(b + ig::kTables + 4 * i);
  return h;
}

void ParseFrameRecord(std::span<const std::uint8_t, ig::kRecordSize> bytes, int valueFields, FrameRecord& out)
{
  const std::uint8_t* b = bytes.data();
  valueFields = std::clamp(valueFields, 0, kMaxValueFields);
  out.marker = U16(b + ig::kMarker);
  for (int k = 0; k < kSamplesPerRecord; ++k) out.samples[k] = U16(b + ig::kSamples + 2 * k);
  out.values.fill(0.0f);
  for (int v = 0; v < valueFields; ++v) out.values[v] = F32(b + ig::kValues + 4 * v);
  out.valueFields = valueFields;
  const std::uint8_t* tail = b + ig::kValues + 4 * valueFields;
  out.rpm = I16(tail);
  out.cylinderSync = tail[2];
}

RecordingError Recording::Open(std::string_view path)
{
  Close();
  if (!m_file.Open(path, win::CFile::modeRead | win::CFile::shareDenyNone | win::CFile::typeBinary)) {
    return RecordingError::cannotOpen;
  }
  std::array<std::uint8_t, ig::kHeaderSize> header{};
  const std::uint64_t length = m_file.GetLength();
  // CFile::Read returns fewer bytes only at the end of the file; a failing read throws.
  bool whole = false;
  try {
    whole = length >= ig::kHeaderSize && m_file.Read(header.data(), header.size()) == header.size();
  } catch (const win::CFileException&) {
  }
  if (!whole) {
    Close();
    return RecordingError::tooShort;
  }
  m_header = ParseHeader(header);
  m_records = static_cast<std::int64_t>((length - ig::kHeaderSize) / ig::kRecordSize);
  return RecordingError::none;
}

void Recording::Close()
{
  DropReadAhead();
  m_file.Abort();
  m_header = IgnitionHeader{};
  m_records = 0;
}

void Recording::ReadAhead(std::int64_t first, std::int64_t count)
{
  DropReadAhead();
  first = std::max<std::int64_t>(first, 0);
  count = std::min(count, m_records - first);
  if (!IsOpen() || count <= 0) return;
  const std::int64_t offset = static_cast<std::int64_t>(ig::kHeaderSize) + first * static_cast<std::int64_t>(ig::kRecordSize);
  m_ahead.resize(static_cast<std::size_t>(count) * ig::kRecordSize);
  std::size_t got = 0;
  try {
    if (m_file.Seek(offset, win::CFile::begin) != static_cast<win::ULONGLONG>(offset)) return;
    got = m_file.Read(m_ahead.data(), static_cast<win::UINT>(m_ahead.size()));
  } catch (const win::CFileException&) {
    return;
  }
  m_aheadFirst = first;
  m_aheadCount = static_cast<std::int64_t>(got / ig::kRecordSize);
}

void Recording::DropReadAhead() { m_aheadCount = 0; }

bool Recording::ReadRecord(std::int64_t index, int valueFields, FrameRecord& out)
{
  if (!IsOpen() || index < 0 || index >= m_records) return false;
  if (index >= m_aheadFirst && index < m_aheadFirst + m_aheadCount) {
    const std::size_t at = static_cast<std::size_t>(index - m_aheadFirst) * ig::kRecordSize;
    ParseFrameRecord(std::span<const std::uint8_t, ig::kRecordSize>(m_ahead.data() + at, ig::kRecordSize), valueFields, out);
    return true;
  }
  const std::int64_t offset = static_cast<std::int64_t>(ig::kHeaderSize) + index * static_cast<std::int64_t>(ig::kRecordSize);
  std::array<std::uint8_t, ig::kRecordSize> bytes{};
  try {
    if (m_file.Seek(offset, win::CFile::begin) != static_cast<win::ULONGLONG>(offset)) return false;
    if (m_file.Read(bytes.data(), bytes.size()) != bytes.size()) return false;
  } catch (const win::CFileException&) {
    return false;
  }
  ParseFrameRecord(bytes, valueFields, out);
  return true;
}

}  // namespace sparwen
