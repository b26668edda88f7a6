#include "controls/oscilloscope/tessial_skin.h"

#include <string>

#include "controls/oscilloscope/core/drawn_buttons.h"
#include "platform/ui/message_box.h"

namespace tessial {
namespace {

struct PictureFile {
  vetra::CDib TessialSkin::*single = nullptr;
  ButtonFaces TessialSkin::*button = nullptr;
  int playIndex = -1;
  vetra::CDib ButtonFaces::*face = nullptr;
  const char* path;
  const char* failure;  // the message box text when it does not load
};

using S = TessialSkin;
using F = ButtonFaces;

// In load order. The units button's pictures are the ignition viewer's; its messages name the
// print button, and one over picture is reported with the bare "Load Error", as the control has
// always said.
const PictureFile kFiles[] = {
    {&S::top, nullptr, -1, nullptr, "C:\\Vetra\\Fenmark\\Img\\Scope\\top_image.bmp", "m_VetraLogoBmp Load Error"},
    {nullptr, &S::print, -1, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\menu_01.bmp", "m_PrintButtonBmp Load Error"},
    {nullptr, &S::print, -1, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\menu_d01.bmp", "m_PrintButtonDownBmp Load Error"},
    {nullptr, &S::print, -1, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\menu_o01.bmp", "m_PrintButtonOverBmp Load Error"},
    {nullptr, &S::units, -1, &F::normal, "C:\\Vetra\\Fenmark\\Img\\Ign\\menu_02.bmp", "m_PrintButtonBmp Load Error"},
    {nullptr, &S::units, -1, &F::down, "C:\\Vetra\\Fenmark\\Img\\Ign\\menu_d02.bmp", "m_PrintButtonDownBmp Load Error"},
    {nullptr, &S::units, -1, &F::over, "C:\\Vetra\\Fenmark\\Img\\Ign\\menu_o02.bmp", "m_PrintButtonOverBmp Load Error"},
    {nullptr, nullptr, 0, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_01.bmp", "m_PlayStartButtonBmp Load Error"},
    {nullptr, nullptr, 1, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_02.bmp", "m_PlayRRButtonBmp Load Error"},
    {nullptr, nullptr, 2, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_03.bmp", "m_PlayRButtonBmp Load Error"},
    {nullptr, nullptr, 3, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_04.bmp", "m_PlayFButtonBmp Load Error"},
    {nullptr, nullptr, 4, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_05.bmp", "m_PlayFFButtonBmp Load Error"},
    {nullptr, nullptr, 5, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_06.bmp", "m_PlayEndButtonBmp Load Error"},
    {nullptr, nullptr, 0, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o01.bmp", "m_PlayStartButtonDownBmp Load Error"},
    {nullptr, nullptr, 0, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o01.bmp", "m_PlayStartButtonOverBmp Load Error"},
    {nullptr, nullptr, 1, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o02.bmp", "m_PlayRRButtonDownBmp Load Error"},
    {nullptr, nullptr, 1, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o02.bmp", "m_PlayRRButtonOverBmp Load Error"},
    {nullptr, nullptr, 2, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o03.bmp", "m_PlayRButtonDownBmp Load Error"},
    {nullptr, nullptr, 2, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o03.bmp", "Load Error"},
    {nullptr, nullptr, 3, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o04.bmp", "m_PlayFButtonDownBmp Load Error"},
    {nullptr, nullptr, 3, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o04.bmp", "m_PlayFButtonOverBmp Load Error"},
    {nullptr, nullptr, 4, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o05.bmp", "m_PlayFFButtonDownBmp Load Error"},
    {nullptr, nullptr, 4, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o05.bmp", "m_PlayFFButtonOverBmp Load Error"},
    {nullptr, nullptr, 5, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o06.bmp", "m_PlayEndButtonDownBmp Load Error"},
    {nullptr, nullptr, 5, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\pbutton_o06.bmp", "m_PlayEndButtonOverBmp Load Error"},
    {nullptr, &S::rightArrow, -1, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\ms_arrow2.bmp", "m_TimeRightBmp Load Error"},
    {nullptr, &S::leftArrow, -1, &F::normal, "C:\\Vetra\\Fenmark\\Img\\scope\\ms_arrow1.bmp", "m_TimeLefttBmp Load Error"},
    {nullptr, &S::rightArrow, -1, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\ms_rarrow2.bmp", "m_TimeRightDownBmp Load Error"},
    {nullptr, &S::rightArrow, -1, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\ms_rarrow2.bmp", "m_TimeRightOverBmp Load Error"},
    {nullptr, &S::leftArrow, -1, &F::down, "C:\\Vetra\\Fenmark\\Img\\scope\\ms_rarrow1.bmp", "m_TimeLefttDownBmp Load Error"},
    {nullptr, &S::leftArrow, -1, &F::over, "C:\\Vetra\\Fenmark\\Img\\scope\\ms_rarrow1.bmp", "m_TimeLefttOverBmp Load Error"},
};

vetra::CDib& PictureOf(TessialSkin& skin, const PictureFile& file)
{
  if (file.single != nullptr) return skin.*file.single;
  ButtonFaces& faces = file.playIndex >= 0 ? skin.play[file.playIndex] : skin.*file.button;
  return faces.*file.face;
}

// Play buttons by number: forward 10, reverse 11, fast forward 12, fast reverse 13, start 14,
// end 15, against their order in the skin.
int PlayIndexOf(int button)
{
  switch (button) {
    case kStartButton: return 0;
    case kFastReverseButton: return 1;
    case kReverseButton: return 2;
    case kForwardButton: return 3;
    case kFastForwardButton: return 4;
    case kEndButton: return 5;
    default: return -1;
  }
}

}  // namespace

void TessialSkin::Load()
{
  for (const PictureFile& file : kFiles) {
    if (!PictureOf(*this, file).Open(file.path)) win::AfxMessageBox(file.failure, win::MB_OK);
  }
}

void TessialSkin::Free()
{
  for (const PictureFile& file : kFiles) PictureOf(*this, file).Free();
}

const ButtonFaces* TessialSkin::FacesOf(int button) const
{
  switch (button) {
    case kPrintButton: return &print;
    case kUnitsButton: return &units;
    case kCompressButton: return &rightArrow;
    case kExpandButton: return &leftArrow;
    default: {
      const int index = PlayIndexOf(button);
      return index >= 0 ? &play[index] : nullptr;
    }
  }
}

const vetra::CDib* SizingPicture(const TessialSkin& skin, int button)
{
  // The arrows are sized by each other's picture.
  if (button == kCompressButton) return &skin.leftArrow.normal;
  if (button == kExpandButton) return &skin.rightArrow.normal;
  const ButtonFaces* faces = skin.FacesOf(button);
  return faces ? &faces->normal : nullptr;
}

}  // namespace tessial
