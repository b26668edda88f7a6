#pragma once
// The round mark of a radio button: a sunken ring (dark above and to the left, light below and
// to the right) around the face, with a dot in the middle when the button is checked.

namespace vetra::ui {

inline constexpr int kRadioMarkSize = 12;

enum class RadioMarkPart { Outside, OuterShadow, InnerShadow, InnerLight, OuterLight, Face, Dot };

// The part of the mark that pixel (x, y) of its 12 by 12 square shows.
RadioMarkPart RadioMarkPartAt(int x, int y, bool checked);

}  // namespace vetra::ui
