#pragma once
// The skin pictures of the oscilloscope control: the top image and the faces of its drawn
// buttons, loaded when the control's window is made and freed when it goes.
#include <array>
#include <string_view>

#include "common/dib/dib.h"

namespace tessial {

struct ButtonFaces {
  vetra::CDib normal;
  vetra::CDib down;
  vetra::CDib over;
};

struct TessialSkin {
  vetra::CDib top;
  ButtonFaces print;
  ButtonFaces units;
  // Play buttons in the order start, fast reverse, reverse, forward, fast forward, end.
  std::array<ButtonFaces, 6> play;
  ButtonFaces rightArrow;
  ButtonFaces leftArrow;

  // Loads every picture; each one that fails is reported in an OK message box with its text, and
  // the control goes on without it.
  void Load();
  void Free();
  // The faces of a drawn button (null for none).
  const ButtonFaces* FacesOf(int button) const;
  ButtonFaces* FacesOf(int button) { return const_cast<ButtonFaces*>(static_cast<const TessialSkin*>(this)->FacesOf(button)); }
};

// The picture that sizes a drawn button's rectangle.
const vetra::CDib* SizingPicture(const TessialSkin& skin, int button);

}  // namespace tessial
