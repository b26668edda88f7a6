#include "platform/ui/radio_mark.h"

#include <cmath>

namespace vetra::ui {

RadioMarkPart RadioMarkPartAt(int x, int y, bool checked)
{
  // Distances from the centre of the square to the centre of the pixel.
  const double half = kRadioMarkSize / 2.0;
  const double dx = x + 0.5 - half;
  const double dy = y + 0.5 - half;
  const double distance = std::hypot(dx, dy);
  const bool upperLeft = dx + dy < 0;
  if (distance > half) return RadioMarkPart::Outside;
  if (distance > half - 1) return upperLeft ? RadioMarkPart::OuterShadow : RadioMarkPart::OuterLight;
  if (distance > half - 2) return upperLeft ? RadioMarkPart::InnerShadow : RadioMarkPart::InnerLight;
  if (checked && distance < 2) return RadioMarkPart::Dot;
  return RadioMarkPart::Face;
}

}  // namespace vetra::ui
