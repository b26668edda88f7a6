#include "controls/roadtest/windows/resources.h"

#include "platform/ui/bitmap_resources.h"
#include "platform/ui/images.h"

namespace morvit {

std::string ResourceBitmapPath(unsigned id) { return "C:\\Vetra\\Fenmark\\Res\\Morvit\\Bitmap" + std::to_string(id) + ".bmp"; }

void RegisterMorvitBitmaps()
{
  static const bool registered = [] {
    for (unsigned id : {kRemoveButtonBitmap, kRemoveButtonDisabledBitmap, kCancelBitmap, kPrintBitmap, kPictureBitmap}) {
      win::RegisterBitmapResource(id, [id](win::CBitmap& bitmap) {
        const win::HBITMAP loaded =
            win::LoadImage(nullptr, ResourceBitmapPath(id).c_str(), win::IMAGE_BITMAP, 0, 0, win::LR_LOADFROMFILE);
        return loaded != nullptr ? bitmap.Attach(loaded) : win::FALSE;
      });
    }
    return true;
  }();
  (void)registered;
}

}  // namespace morvit
