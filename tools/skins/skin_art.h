#pragma once
// How the skin set looks: one flat instrument-panel style for every screen. Graphite title bands
// with an accent line, light toolbars and panels, white fields for the texts the screens write
// into them, and button faces whose four states differ in face, edge and ink.

#include "tools/skins/canvas.h"
#include "tools/skins/catalogue.h"

namespace vetra::skins {

// Draws one picture of the catalogue at its catalogued size.
void PaintPicture(Canvas& canvas, const Entry& entry, Variant variant);

// Draws one resource bitmap at its catalogued size.
void PaintResource(Canvas& canvas, const ResourceBitmap& bitmap);

// Draws the report logo at kLogoWidth x kLogoHeight.
void PaintLogo(Canvas& canvas);

}  // namespace vetra::skins
