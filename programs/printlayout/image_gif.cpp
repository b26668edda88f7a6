// GIF reading (our own LZW decoder: code sizes 2 to 9, codes up to 12 bits, interlaced rows) and
// writing (GIF87a, one 8-bit image with a 256-entry global colour table).

#include <array>
#include <cstring>
#include <unordered_map>

#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/image_impl.h"
#include "programs/printlayout/image_messages.h"

namespace tolvex {
namespace {

constexpr int kMaxCodes = 4096;

// Reads the data sub-blocks that follow the LZW code size.
class ByteReader {
public:
  ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool Has(std::size_t n) const { return m_size - m_pos >= n; }
  std::uint8_t U8() { return Has(1) ? m_data[m_pos++] : 0; }
  std::uint16_t U16() { const int lo = U8(); return static_cast<std::uint16_t>(lo | (U8() << 8)); }
  bool Skip(std::size_t n) { if (!Has(n)) return false; m_pos += n; return true; }
  const std::uint8_t* Here() const { return m_data + m_pos; }
  bool AtEnd() const { return m_pos >= m_size; }
  // Sub-blocks up to the terminator; false when the data ends first.
  bool ReadSubBlocks(std::vector<std::uint8_t>* out)
  {
    while (Has(1)) {
      const std::size_t n = U8();
      if (n == 0) return true;
      if (!Has(n)) return false;
      if (out) out->insert(out->end(), Here(), Here() + n);
      m_pos += n;
    }
    return false;
  }

private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

// Decodes LZW data into `pixels` (as many as fit); pixels past the end of the data stay 0.
void DecodeLzw(const std::vector<std::uint8_t>& data, int minCodeSize, std::vector<std::uint8_t>& pixels)
{
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes + 1> stack{};
  for (int i = 0; i < clear; ++i) suffix[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  int codeSize = minCodeSize + 1;
  int next = end + 1;
  int previous = -1;
  std::uint8_t first = 0;
  std::size_t out = 0;
  std::uint32_t accumulator = 0;
  int bits = 0;
  std::size_t pos = 0;
  while (out < pixels.size()) {
    while (bits < codeSize && pos < data.size()) {
      accumulator |= static_cast<std::uint32_t>(data[pos++]) << bits;
      bits += 8;
    }
    if (bits < codeSize) return;
    const int code = static_cast<int>(accumulator & ((1u << codeSize) - 1));
    accumulator >>= codeSize;
    bits -= codeSize;
    if (code == clear) {
      codeSize = minCodeSize + 1;
      next = end + 1;
      previous = -1;
      continue;
    }
    if (code == end) return;
    if (previous < 0) {
      if (code >= clear) return;  // a damaged stream: nothing known to repeat
      pixels[out++] = static_cast<std::uint8_t>(code);
      previous = code;
      first = static_cast<std::uint8_t>(code);
      continue;
    }
    if (code > next || (code == next && next >= kMaxCodes)) return;  // not a code of this table
    std::size_t depth = 0;
    int walk = code;
    if (code == next) {
      stack[depth++] = first;
      walk = previous;
    }
    while (walk >= clear) {
      if (depth >= stack.size() - 1) return;
      stack[depth++] = suffix[static_cast<std::size_t>(walk)];
      walk = prefix[static_cast<std::size_t>(walk)];
    }
    first = static_cast<std::uint8_t>(walk);
    stack[depth++] = first;
    while (depth > 0 && out < pixels.size()) pixels[out++] = stack[--depth];
    if (next < kMaxCodes) {
      prefix[static_cast<std::size_t>(next)] = static_cast<std::uint16_t>(previous);
      suffix[static_cast<std::size_t>(next)] = first;
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    previous = code;
  }
}

// Collects codes of variable width into 254-byte data blocks.
class CodeWriter {
public:
  explicit CodeWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
  void Put(int code, int size)
  {
    m_accumulator |= static_cast<std::uint32_t>(code) << m_bits;
    m_bits += size;
    while (m_bits >= 8) {
      Byte(static_cast<std::uint8_t>(m_accumulator));
      m_accumulator >>= 8;
      m_bits -= 8;
    }
  }
  void Finish()
  {
    if (m_bits > 0) Byte(static_cast<std::uint8_t>(m_accumulator));
    m_bits = 0;
    Flush();
    m_out.push_back(0);
  }

private:
  void Byte(std::uint8_t b)
  {
    m_block.push_back(b);
    if (m_block.size() == 254) Flush();
  }
  void Flush()
  {
    if (m_block.empty()) return;
    m_out.push_back(static_cast<std::uint8_t>(m_block.size()));
    m_out.insert(m_out.end(), m_block.begin(), m_block.end());
    m_block.clear();
  }
  std::vector<std::uint8_t>& m_out;
  std::vector<std::uint8_t> m_block;
  std::uint32_t m_accumulator = 0;
  int m_bits = 0;
};

void EncodeLzw(const std::vector<std::uint8_t>& pixels, std::vector<std::uint8_t>& out)
{
  constexpr int minCodeSize = 8;
  constexpr int clear = 1 << minCodeSize;
  constexpr int end = clear + 1;
  CodeWriter writer(out);
  std::unordered_map<std::uint32_t, int> table;
  table.reserve(5003);
  int codeSize = minCodeSize + 1;
  int next = end + 1;
  writer.Put(clear, codeSize);
  if (pixels.empty()) {
    writer.Put(end, codeSize);
    writer.Finish();
    return;
  }
  int prefix = pixels[0];
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixels[i];
    const auto found = table.find(key);
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    writer.Put(prefix, codeSize);
    if (next < kMaxCodes) {
      // The reader widens its codes as soon as its table reaches the next power of two.
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
      table.emplace(key, next++);
    } else {
      writer.Put(clear, codeSize);
      table.clear();
      codeSize = minCodeSize + 1;
      next = end + 1;
    }
    prefix = pixels[i];
  }
  writer.Put(prefix, codeSize);
  if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
  writer.Put(end, codeSize);
  writer.Finish();
}

}  // namespace

int CImageGIF::Decode(const std::uint8_t* data, std::size_t size)
{
  ByteReader in(data, size);
  if (!in.Has(13) || std::memcmp(in.Here(), "GIF8", 4) != 0) return 0;
  in.Skip(6);
  in.U16();
  in.U16();
  const std::uint8_t screenFlags = in.U8();
  in.Skip(2);
  std::vector<std::uint8_t> globalTable;
  if (screenFlags & 0x80) {
    const std::size_t bytes = 3u << ((screenFlags & 7) + 1);
    if (!in.Has(bytes)) return 0;
    globalTable.assign(in.Here(), in.Here() + bytes);
    in.Skip(bytes);
  }
  int transparent = -1;
  int images = 0;
  while (!in.AtEnd()) {
    const std::uint8_t kind = in.U8();
    if (kind == ';') break;
    if (kind == '!') {
      const std::uint8_t label = in.U8();
      std::vector<std::uint8_t> body;
      if (!in.ReadSubBlocks(&body)) break;
      if (label == 0xF9 && body.size() >= 4 && (body[0] & 1)) transparent = body[3];
      continue;
    }
    if (kind != ',') break;  // unknown block: the file ends here for us
    if (!in.Has(9)) break;
    in.U16();
    in.U16();
    const int width = in.U16();
    const int height = in.U16();
    const std::uint8_t flags = in.U8();
    std::vector<std::uint8_t> table = globalTable;
    if (flags & 0x80) {
      const std::size_t bytes = 3u << ((flags & 7) + 1);
      if (!in.Has(bytes)) break;
      table.assign(in.Here(), in.Here() + bytes);
      in.Skip(bytes);
    }
    const int minCodeSize = in.U8();
    std::vector<std::uint8_t> lzw;
    const bool complete = in.ReadSubBlocks(&lzw);
    if (minCodeSize < 2 || minCodeSize > 9 || width <= 0 || height <= 0 ||
        static_cast<std::int64_t>(width) * height > kMaxImagePixels)
      break;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height, 0);
    DecodeLzw(lzw, minCodeSize, pixels);
    if (!Create(width, height, 8, kColorIndexed)) return 0;
    // Palette: the file's table; with transparency always 256 entries, the transparent one
    // black, those beyond the table white, and entry 255 white when the table has no white.
    const int tableEntries = static_cast<int>(table.size() / 3);
    const int entries = transparent >= 0 ? 256 : std::max(tableEntries, 1);
    std::vector<win::BYTE> rgb(static_cast<std::size_t>(entries) * 3, 0);
    bool hasWhite = false;
    for (int i = 0; i < entries; ++i) {
      win::BYTE* e = &rgb[static_cast<std::size_t>(i) * 3];
      if (i < tableEntries) std::memcpy(e, &table[static_cast<std::size_t>(i) * 3], 3);
      else if (transparent >= 0) std::memset(e, 255, 3);
      if (i < tableEntries && e[0] == 255 && e[1] == 255 && e[2] == 255) hasWhite = true;
    }
    if (transparent >= 0) {
      std::memset(&rgb[static_cast<std::size_t>(transparent) * 3], 0, 3);
      if (!hasWhite) std::memset(&rgb[255 * 3], 255, 3);
    }
    {
      std::vector<win::BYTE> r(static_cast<std::size_t>(entries)), g(r.size()), b(r.size());
      for (int i = 0; i < entries; ++i) {
        r[static_cast<std::size_t>(i)] = rgb[static_cast<std::size_t>(i) * 3];
        g[static_cast<std::size_t>(i)] = rgb[static_cast<std::size_t>(i) * 3 + 1];
        b[static_cast<std::size_t>(i)] = rgb[static_cast<std::size_t>(i) * 3 + 2];
      }
      SetPalette(entries, r.data(), g.data(), b.data());
    }
    m_transparentIndex = transparent;
    // Rows in file order; interlaced files give every 8th row from 0, every 8th from 4, every
    // 4th from 2, then every 2nd from 1.
    std::vector<int> order;
    if (flags & 0x40) {
      for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
        for (int y = start; y < height; y += step) order.push_back(y);
    } else {
      for (int y = 0; y < height; ++y) order.push_back(y);
    }
    for (std::size_t i = 0; i < order.size(); ++i)
      std::memcpy(RowFromTop(order[i]), pixels.data() + i * static_cast<std::size_t>(width), static_cast<std::size_t>(width));
    ++images;
    if (!complete) break;
  }
  return images > 0 ? 1 : 0;
}

int CImageGIF::Read(const std::string& path)
{
  SetPath(path);
  const auto bytes = ReadFileBytes(m_path);
  if (!bytes) return 0;
  return Decode(bytes->data(), bytes->size());
}

int CImageGIF::Write(const std::string& path)
{
  if (!IsValid()) return 0;
  SetPath(path);
  if (m_bitsPerPixel > 8) {
    ShowImageMessage("GIF Images must be 8 bit or less");
    return 0;
  }
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '7', 'a'};
  const auto put16 = [&](int v) { out.push_back(static_cast<std::uint8_t>(v)); out.push_back(static_cast<std::uint8_t>(v >> 8)); };
  put16(m_width);
  put16(m_height);
  out.insert(out.end(), {0xE7, 0, 0});
  for (int i = 0; i < 256; ++i) {
    const win::RGBQUAD q = PaletteColor(i);
    out.insert(out.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
  }
  out.push_back(',');
  put16(0);
  put16(0);
  put16(m_width);
  put16(m_height);
  out.push_back(0);
  out.push_back(8);
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<std::size_t>(m_width) * m_height);
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) pixels.push_back(static_cast<std::uint8_t>(GetPixelIndex(x, m_height - 1 - y)));
  EncodeLzw(pixels, out);
  out.push_back(';');
  PictureOutputFile file(m_path);
  if (!file.Get()) {
    ShowImageMessage("Can't open GIF for writing");
    return 0;
  }
  if (!file.Write(out.data(), out.size()) || !file.Commit()) {
    ShowImageMessage("Write Error in GIF file");
    return 0;
  }
  return 1;
}

}  // namespace tolvex
