#include "tools/skins/skin_set.h"

#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "platform/base/drive.h"
#include "tools/skins/bmp_file.h"
#include "tools/skins/canvas.h"
#include "tools/skins/catalogue.h"
#include "tools/skins/cursor_file.h"
#include "tools/skins/logo_jpeg.h"
#include "tools/skins/skin_art.h"

namespace vetra::skins {
namespace {

constexpr Rgb kBlank{255, 255, 255};
constexpr int kLogoQuality = 92;

std::string_view FolderOf(std::string_view windowsPath) { return windowsPath.substr(0, windowsPath.rfind('\\')); }

// Where a file of the set goes on the drive, with its folder made (the drive matches existing
// folders whatever the case of their names). Nothing when the folder cannot be made: the file is
// then not drawn at all.
std::optional<std::filesystem::path> Target(std::string_view windowsPath, SkinSetResult& result)
{
  const std::filesystem::path folder = MapPath(FolderOf(windowsPath));
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !std::filesystem::is_directory(folder, ec)) {
    result.ok = false;
    result.failures.push_back("cannot make the folder " + folder.string());
    return std::nullopt;
  }
  return MapPath(windowsPath);
}

bool HoldsAlready(const std::filesystem::path& target, std::string_view bytes)
{
  std::error_code ec;
  if (!std::filesystem::is_regular_file(target, ec) || std::filesystem::file_size(target, ec) != bytes.size()) return false;
  std::ifstream in(target, std::ios::binary);
  std::string held(bytes.size(), '\0');
  return in.read(held.data(), static_cast<std::streamsize>(held.size())) && held == bytes;
}

void Store(const std::filesystem::path& target, std::string_view bytes, SkinSetResult& result)
{
  if (!bytes.empty() && HoldsAlready(target, bytes)) {
    ++result.unchanged;
    return;
  }
  if (bytes.empty() || !WriteFileAtomically(target, bytes)) {
    result.ok = false;
    result.failures.push_back("cannot write " + target.string());
    return;
  }
  ++result.written;
}

}  // namespace

SkinSetResult WriteSkinSet()
{
  SkinSetResult result;
  FontCache fonts;
  for (const Picture& picture : AllPictures()) {
    const auto target = Target(picture.windowsPath, result);
    if (!target) continue;
    Canvas canvas(picture.entry->width, picture.entry->height, kBlank, fonts);
    PaintPicture(canvas, *picture.entry, picture.variant);
    Store(*target, EncodeBmp24(canvas.Pixels()), result);
  }
  if (const auto target = Target(kLogoPath, result)) {
    Canvas logo(kLogoWidth, kLogoHeight, kBlank, fonts);
    PaintLogo(logo);
    Store(*target, EncodeJpeg(logo.Pixels(), kLogoQuality), result);
  }
  for (const ResourceBitmap& bitmap : ResourceBitmaps()) {
    const auto target = Target(ResourceBitmapPath(bitmap), result);
    if (!target) continue;
    Canvas canvas(bitmap.width, bitmap.height, kBlank, fonts);
    PaintResource(canvas, bitmap);
    Store(*target, EncodeBmp24(canvas.Pixels()), result);
  }
  const std::string cursor = EncodeHandCursor();
  for (std::string_view module : ModulesWithHandCursor()) {
    if (const auto target = Target(HandCursorPath(module), result)) Store(*target, cursor, result);
  }
  return result;
}

}  // namespace vetra::skins
