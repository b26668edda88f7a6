#pragma once
// Printing a page as the view shows it: the picture goes onto one sheet of the chosen printer
// (its copies and orientation as the settings say), as wide as the printable area allows while
// keeping its proportions.

#include <string>

#include "platform/gdi/bitmap32.h"
#include "platform/print/print_types.h"

namespace vetra::web {

// False (with the reason in `error`) when there is no printer or the document could not be
// written or sent. `documentName` is system text (code page 949); `settings` name the printer.
bool PrintPicture(const gdi::Bitmap32& picture, const std::string& documentName, const win::DEVMODEA& settings,
                  std::string* error = nullptr);

// What the viewer says when a page could not be printed (code page 949).
std::string PrintFailedText();

}  // namespace vetra::web
