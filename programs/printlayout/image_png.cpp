// PNG reading and writing of the image family. Transparency is laid on the background colour
// (31, 127, 255), 16-bit channels are cut to 8, a PNG palette becomes the image's palette;
// true-colour rows are converted between PNG's red, green, blue order and the DIB's blue, green,
// red order here.

#include <algorithm>
#include <cstdio>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "programs/printlayout/image_file_bytes.h"
#include "programs/printlayout/image_impl.h"

namespace tolvex {

namespace {

// libpng reports failures through a long jump back into the step that was running. Each step
// below arms it and holds no object with a destructor, so nothing is skipped by the jump.
struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count)
{
  auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
  if (reader->size - reader->pos < count) png_error(png, "file ends early");
  std::memcpy(out, reader->data + reader->pos, count);
  reader->pos += count;
}

void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

enum class PngKind { Grey, Indexed, TrueColour };

struct PngLayout {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  PngKind kind = PngKind::TrueColour;
  int passes = 1;
  int colours = 0;
  std::uint8_t palette[256 * 3] = {};
};

// Reads the header and sets up the conversions: 16-bit channels cut to 8, small depths spread
// to a byte a pixel, transparency laid on the background, true colour delivered blue first as
// the DIB holds it.
bool ReadHeader(PngReader& reader, PngLayout& layout)
{
  if (setjmp(png_jmpbuf(reader.png))) return false;
  png_set_read_fn(reader.png, &reader, ReadBytes);
  png_read_info(reader.png, reader.info);
  int depth = 0, type = 0;
  png_get_IHDR(reader.png, reader.info, &layout.width, &layout.height, &depth, &type, nullptr, nullptr, nullptr);
  if (layout.width == 0 || layout.height == 0 || static_cast<std::int64_t>(layout.width) * layout.height > kMaxImagePixels)
    return false;
  const bool transparent = png_get_valid(reader.png, reader.info, PNG_INFO_tRNS) != 0;
  png_set_strip_16(reader.png);
  if (type == PNG_COLOR_TYPE_PALETTE) {
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(reader.png, reader.info, &entries, &count) || count <= 0 || count > 256) return false;
    png_bytep alpha = nullptr;
    int alphas = 0;
    if (transparent) png_get_tRNS(reader.png, reader.info, &alpha, &alphas, nullptr);
    constexpr int background[3] = {31, 127, 255};
    for (int i = 0; i < count; ++i) {
      const int a = (alpha && i < alphas) ? alpha[i] : 255;
      const int rgb[3] = {entries[i].red, entries[i].green, entries[i].blue};
      for (int c = 0; c < 3; ++c) layout.palette[i * 3 + c] = static_cast<std::uint8_t>((rgb[c] * a + background[c] * (255 - a) + 127) / 255);
    }
    layout.colours = count;
    png_set_packing(reader.png);
    layout.kind = PngKind::Indexed;
  } else if (type == PNG_COLOR_TYPE_GRAY && !transparent) {
    if (depth < 8) png_set_expand_gray_1_2_4_to_8(reader.png);
    layout.kind = PngKind::Grey;
  } else {
    if (!(type & PNG_COLOR_MASK_COLOR)) {
      if (depth < 8) png_set_expand_gray_1_2_4_to_8(reader.png);
      png_set_gray_to_rgb(reader.png);
    }
    if (transparent) png_set_tRNS_to_alpha(reader.png);
    if ((type & PNG_COLOR_MASK_ALPHA) || transparent) {
      png_color_16 background{};
      background.red = 31;
      background.green = 127;
      background.blue = 255;
      png_set_background_fixed(reader.png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, PNG_FP_1);
    }
    png_set_bgr(reader.png);
    layout.kind = PngKind::TrueColour;
  }
  layout.passes = png_set_interlace_handling(reader.png);
  png_read_update_info(reader.png, reader.info);
  const png_size_t expected = static_cast<png_size_t>(layout.width) * (layout.kind == PngKind::TrueColour ? 3 : 1);
  return png_get_rowbytes(reader.png, reader.info) == expected;
}

// Reads every pass over all rows.
bool ReadRows(PngReader& reader, png_bytepp rows, png_uint_32 height, int passes)
{
  if (setjmp(png_jmpbuf(reader.png))) return false;
  for (int pass = 0; pass < passes; ++pass) png_read_rows(reader.png, rows, nullptr, height);
  return true;
}

// What the writer hands to libpng: the header fields, the palette and the rows from the top
// down (true-colour rows blue first, as the DIB holds them).
struct PngPicture {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int depth = 8;
  int colourType = PNG_COLOR_TYPE_RGB;
  std::vector<png_color> palette;
  std::vector<const std::uint8_t*> rows;
};

struct PngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<std::uint8_t>* out = nullptr;
  ~PngWriter() { png_destroy_write_struct(&png, &info); }
};

void WriteBytes(png_structp png, png_bytep data, png_size_t count)
{
  auto* writer = static_cast<PngWriter*>(png_get_io_ptr(png));
  writer->out->insert(writer->out->end(), data, data + count);
}

void FlushNothing(png_structp) {}

// Encodes the picture without interlace. Like the reader's steps it holds no object with a
// destructor across libpng's long jump.
bool EncodeRows(PngWriter& writer, const PngPicture& picture)
{
  if (setjmp(png_jmpbuf(writer.png))) return false;
  png_set_write_fn(writer.png, &writer, WriteBytes, FlushNothing);
  png_set_IHDR(writer.png, writer.info, picture.width, picture.height, picture.depth, picture.colourType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty())
    png_set_PLTE(writer.png, writer.info, picture.palette.data(), static_cast<int>(picture.palette.size()));
  png_write_info(writer.png, writer.info);
  if (picture.colourType == PNG_COLOR_TYPE_RGB) png_set_bgr(writer.png);
  for (const std::uint8_t* row : picture.rows) png_write_row(writer.png, row);
  png_write_end(writer.png, writer.info);
  return true;
}

bool EncodePng(const PngPicture& picture, std::vector<std::uint8_t>& encoded)
{
  PngWriter writer;
  writer.out = &encoded;
  writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  if (!writer.png) return false;
  writer.info = png_create_info_struct(writer.png);
  if (!writer.info) return false;
  return EncodeRows(writer, picture);
}

}  // namespace

int CImagePNG::Read(const std::string& path)
{
  SetPath(path);
  const auto bytes = ReadFileBytes(m_path);
  if (!bytes || bytes->size() < 8 || png_sig_cmp(bytes->data(), 0, 8) != 0) return 0;
  PngReader reader;
  reader.data = bytes->data();
  reader.size = bytes->size();
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  if (!reader.png) return 0;
  reader.info = png_create_info_struct(reader.png);
  if (!reader.info) return 0;
  auto layout = std::make_unique<PngLayout>();
  if (!ReadHeader(reader, *layout)) return 0;
  const int width = static_cast<int>(layout->width);
  const int height = static_cast<int>(layout->height);
  const bool trueColour = layout->kind == PngKind::TrueColour;
  if (!Create(width, height, trueColour ? 24 : 8,
              trueColour ? kColorTrue : layout->kind == PngKind::Grey ? kColorGrey : kColorIndexed))
    return 0;
  if (layout->kind == PngKind::Indexed) {
    SetPaletteRGB(layout->colours, layout->palette);
  } else if (layout->kind == PngKind::Grey) {
    win::BYTE levels[256];
    for (int i = 0; i < 256; ++i) levels[i] = static_cast<win::BYTE>(i);
    SetPalette(256, levels, levels, levels);
    m_colorType = kColorGrey;
  }
  // Rows go straight into the DIB, the picture's top row into its last row.
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = RowFromTop(y);
  if (!ReadRows(reader, rows.data(), layout->height, layout->passes)) {
    Create(0, 0, 8, -1);
    return 0;
  }
  return 1;
}

int CImagePNG::Write(const std::string& path)
{
  if (!IsValid()) return 0;
  SetPath(path);
  PngPicture picture;
  picture.width = static_cast<png_uint_32>(m_width);
  picture.height = static_cast<png_uint_32>(m_height);
  const bool indexed = m_bitsPerPixel <= 8 && m_colorType != kColorGrey;
  // One channel up to 8 bits a pixel, three above, each sample of the picture's own depth; the
  // rows of an indexed or grey picture already hold its samples packed as PNG wants them.
  picture.depth = m_bitsPerPixel <= 8 ? m_bitsPerPixel : 8;
  picture.colourType = m_bitsPerPixel > 8 ? PNG_COLOR_TYPE_RGB : indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_GRAY;
  if (indexed) {
    // A PNG palette holds at most as many colours as the depth can index.
    const int entries = std::min(256, 1 << m_bitsPerPixel);
    for (int i = 0; i < entries; ++i) {
      const win::RGBQUAD q = PaletteColor(i);
      picture.palette.push_back(png_color{q.rgbRed, q.rgbGreen, q.rgbBlue});
    }
  }
  for (int y = 0; y < m_height; ++y) picture.rows.push_back(RowFromTop(y));
  std::vector<std::uint8_t> encoded;
  if (!EncodePng(picture, encoded)) return 0;
  PictureOutputFile file(m_path);
  return (file.Write(encoded.data(), encoded.size()) && file.Commit()) ? 1 : 0;
}

}  // namespace tolvex
