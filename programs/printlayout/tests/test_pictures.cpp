#include "programs/printlayout/tests/test_pictures.h"

#include <tuple>

#include "platform/base/testing/temp_drive.h"
#include "programs/printlayout/image.h"

namespace tolvex::testing {
namespace {

void Put16(std::string& out, unsigned v) { out.push_back(static_cast<char>(v & 0xFF)); out.push_back(static_cast<char>((v >> 8) & 0xFF)); }
void Put32(std::string& out, unsigned v) { Put16(out, v & 0xFFFF); Put16(out, v >> 16); }

}  // namespace

void WritePrintDialogSkins(const vetra::testing::TempDrive& drive)
{
  const auto flat = [](int, int) { return Rgb{30, 60, 90}; };
  const std::tuple<const char*, int, int> pictures[] = {
      {"print_img1.bmp", 504, 360}, {"ok_button.bmp", 52, 24},     {"ok_dbutton.bmp", 52, 24},
      {"cancel_button.bmp", 52, 24}, {"cancel_dbutton.bmp", 52, 24}, {"print_button1.bmp", 88, 96},
      {"print_dbutton1.bmp", 88, 96}, {"print_button2.bmp", 88, 96}, {"print_dbutton2.bmp", 88, 96}};
  for (const auto& [name, width, height] : pictures)
    drive.WriteFile(std::string("Vetra/Fenmark/Img/Print/") + name, MakeBmp(width, height, 24, flat));
  drive.WriteFile("Vetra/Fenmark/Img/BKColor.bmp", MakeBmp(196, 15, 24, flat));
  CImage logo;
  logo.CreateImpl("c:\\Vetra\\Fenmark\\Img\\Logo.jpg", kImageJpg);
  logo.Create(40, 12, 24, -1);
  logo.Write("c:\\Vetra\\Fenmark\\Img\\Logo.jpg");
}

Rgb Pattern(int x, int y) { return {static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5), 64}; }

std::string MakeBmp(int width, int height, int bits, const PixelFunction& pixel)
{
  const unsigned stride = ((static_cast<unsigned>(width) * bits + 31) / 32) * 4;
  const unsigned table = bits == 8 ? 256 * 4 : 0;
  std::string out = "BM";
  Put32(out, 54 + table + stride * height);
  Put32(out, 0);
  Put32(out, 54 + table);
  Put32(out, 40);
  Put32(out, static_cast<unsigned>(width));
  Put32(out, static_cast<unsigned>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);
  Put32(out, stride * height);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, bits == 8 ? 256 : 0);
  Put32(out, 0);
  for (unsigned i = 0; i < table / 4; ++i) {
    out.push_back(static_cast<char>(i));
    out.push_back(static_cast<char>(i));
    out.push_back(static_cast<char>(i));
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, y);
      switch (bits) {
        case 8: row.push_back(static_cast<char>(c.r)); break;
        case 16: Put16(row, ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3)); break;
        case 24: row += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r)}; break;
        default: row += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r), 0}; break;
      }
    }
    row.resize(stride, 0);
    out += row;
  }
  return out;
}

namespace {

int Int32At(const std::string& bytes, std::size_t at)
{
  if (bytes.size() < at + 4) return 0;
  unsigned v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return static_cast<int>(v);
}

}  // namespace

BmpHeader ReadBmpHeader(const std::string& bytes)
{
  if (bytes.size() < 54) return {};
  return {Int32At(bytes, 18), Int32At(bytes, 22), Int32At(bytes, 28) & 0xFFFF};
}

Rgb Bmp24Pixel(const std::string& bytes, int x, int y)
{
  const BmpHeader header = ReadBmpHeader(bytes);
  const std::size_t stride = (static_cast<std::size_t>(header.width) * 3 + 3) & ~std::size_t{3};
  const std::size_t at = static_cast<std::size_t>(Int32At(bytes, 10)) + stride * static_cast<std::size_t>(header.height - 1 - y) + static_cast<std::size_t>(x) * 3;
  if (bytes.size() < at + 3) return {};
  return {static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]), static_cast<std::uint8_t>(bytes[at])};
}

}  // namespace tolvex::testing
