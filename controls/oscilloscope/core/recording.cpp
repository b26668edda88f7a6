#include "controls/oscilloscope/core/recording.h"

#include <algorithm>
#include <cstring>

namespace tessial {
namespace {

constexpr std::size_t kBytesPerSample = 2;
constexpr std::size_t kSamplesPerStep = 2;
constexpr std::size_t kLargestWindow =
    static_cast<std::size_t>(kMaxCompression) * kMaxSlots * kWindowColumns * kSamplesPerStep * kBytesPerSample;

}  // namespace

std::int64_t ColumnCount(std::int64_t dataBytes, int channels, int compression)
{
  if (dataBytes <= 0 || channels <= 0 || compression <= 0) return 0;
  return dataBytes / channels / 4 / compression;
}

std::int64_t MaxPosition(std::int64_t dataBytes, int channels, int compression)
{
  return ColumnCount(dataBytes, channels, compression) - kWindowColumns;
}

void BuildEnvelopes(const std::uint8_t* bytes, int channels, int compression, int columns, WindowData& out)
{
  columns = std::clamp(columns, 0, kWindowColumns);
  const std::size_t stepBytes = static_cast<std::size_t>(channels) * kSamplesPerStep * kBytesPerSample;
  for (int k = 0; k < columns; ++k) {
    const std::uint8_t* column = bytes + static_cast<std::size_t>(k) * compression * stepBytes;
    for (int j = 0; j < compression; ++j) {
      const std::uint8_t* step = column + j * stepBytes;
      for (int i = 0; i < channels; ++i) {
        const std::uint8_t* pair = step + i * kSamplesPerStep * kBytesPerSample;
        const int first = pair[0] | (pair[1] << 8);
        const int second = pair[2] | (pair[3] << 8);
        const int high = std::max(first, second);
        const int low = std::min(first, second);
        std::int32_t* cell = &out.envelopes[i][2 * k];
        if (j == 0) {
          cell[0] = high;
          cell[1] = low;
        } else {
          cell[0] = std::max(cell[0], high);
          cell[1] = std::min(cell[1], low);
        }
      }
    }
  }
  for (int i = 0; i < channels; ++i) {
    std::fill(out.envelopes[i].begin() + 2 * columns, out.envelopes[i].end(), kZeroLevel);
  }
  out.validColumns = columns;
}

Recording::Recording() : m_buffer(kLargestWindow) {}

RecordingError Recording::Open(std::string_view path)
{
  Close();
  if (!m_file.Open(path, win::CFile::modeRead | win::CFile::shareDenyNone | win::CFile::typeBinary)) {
    return RecordingError::cannotOpen;
  }
  RecordingError error = RecordingError::none;
  std::array<std::uint8_t, osc::kHeaderSize> header{};
  m_length = m_file.GetLength();
  // CFile::Read returns fewer bytes only at the end of the file; a failing read throws.
  bool whole = false;
  try {
    whole = m_length >= osc::kHeaderSize && m_file.Read(header.data(), header.size()) == header.size();
  } catch (const win::CFileException&) {
  }
  if (!whole) {
    error = RecordingError::tooShort;
  } else {
    m_header = ParseHeader(header);
    for (int type = 0; type < kChannelTypeCount; ++type) {
      if (m_header.blockA.channels[type].enabled == 1) m_shown.push_back(type);
    }
    if (m_shown.empty()) error = RecordingError::noChannels;
    if (m_shown.size() > static_cast<std::size_t>(kMaxSlots)) error = RecordingError::tooManyChannels;
  }
  if (error != RecordingError::none) Close();
  return error;
}

void Recording::Close()
{
  m_file.Abort();
  m_header = RecordingHeader{};
  m_shown.clear();
  m_length = 0;
}

std::int64_t Recording::Steps() const
{
  return ChannelCount() == 0 || DataBytes() <= 0 ? 0 : DataBytes() / (ChannelCount() * 4);
}

WindowRead Recording::ReadWindow(std::int64_t position, int compression, WindowData& out)
{
  const int n = ChannelCount();
  if (!IsOpen() || n == 0) return WindowRead::seekError;
  compression = std::clamp(compression, kMinCompression, kMaxCompression);
  position = std::max<std::int64_t>(position, 0);
  const std::int64_t columnBytes = static_cast<std::int64_t>(compression) * n * 4;
  const std::int64_t offset = static_cast<std::int64_t>(osc::kHeaderSize) + position * columnBytes;
  try {
    if (m_file.Seek(offset, win::CFile::begin) != static_cast<win::ULONGLONG>(offset)) return WindowRead::seekError;
  } catch (const win::CFileException&) {
    return WindowRead::seekError;
  }
  const std::size_t wanted = static_cast<std::size_t>(columnBytes) * kWindowColumns;
  std::size_t got = 0;  // a failing read leaves nothing to draw
  try {
    got = m_file.Read(m_buffer.data(), static_cast<win::UINT>(wanted));
  } catch (const win::CFileException&) {
  }
  // A recording shorter than one window legitimately ends early; fewer bytes than the file
  // holds there means the read failed.
  const std::int64_t available = std::max<std::int64_t>(static_cast<std::int64_t>(m_length) - offset, 0);
  const std::size_t expected = static_cast<std::size_t>(std::min<std::int64_t>(available, static_cast<std::int64_t>(wanted)));
  BuildEnvelopes(m_buffer.data(), n, compression, static_cast<int>(got / columnBytes), out);
  return got < expected ? WindowRead::shortRead : WindowRead::ok;
}

}  // namespace tessial
