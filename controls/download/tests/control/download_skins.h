#pragma once
// The download dialog's pictures of the skin set on the test's drive, drawn as the set draws them.
#include <filesystem>

#include "platform/base/drive.h"
#include "tools/skins/bmp_file.h"
#include "tools/skins/canvas.h"
#include "tools/skins/catalogue.h"
#include "tools/skins/skin_art.h"

namespace pakrel::testing {

// Returns false when a picture could not be written.
inline bool WriteDownloadDialogSkins()
{
  vetra::skins::FontCache fonts;
  for (const vetra::skins::Picture& picture : vetra::skins::AllPictures()) {
    if (picture.entry->screen != vetra::skins::Screen::DownloadDialog) continue;
    vetra::skins::Canvas canvas(picture.entry->width, picture.entry->height, {255, 255, 255}, fonts);
    vetra::skins::PaintPicture(canvas, *picture.entry, picture.variant);
    const std::filesystem::path target = vetra::MapPath(picture.windowsPath);
    std::filesystem::create_directories(target.parent_path());
    if (!vetra::skins::WriteFileAtomically(target, vetra::skins::EncodeBmp24(canvas.Pixels()))) return false;
  }
  return true;
}

}  // namespace pakrel::testing
