#pragma once
// The save-file dialog of the picture saving: filter "JPG File (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP",
// title "File to save as", overwrite prompt, starting in the customer's folder.

#include <optional>
#include <string>

#include "platform/ui/cwnd.h"
#include "programs/printlayout/capture.h"

namespace tolvex {

struct SaveChoice {
  std::string path;  // code page 949, exactly as chosen
  SavedFormat format = SavedFormat::Jpg;
};

// Nothing when the user cancels.
std::optional<SaveChoice> AskSavePicturePath(const std::string& startFolder, win::CWnd* parent);

}  // namespace tolvex
