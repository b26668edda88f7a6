#include "programs/printlayout/save_file_dialog.h"

#include "platform/ui/file_dialog.h"

namespace tolvex {

std::optional<SaveChoice> AskSavePicturePath(const std::string& startFolder, win::CWnd* parent)
{
  win::CFileDialog dialog(win::FALSE, nullptr, nullptr, win::OFN_HIDEREADONLY | win::OFN_OVERWRITEPROMPT,
                          "JPG File (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP||", parent);
  dialog.m_ofn.lpstrTitle = "File to save as";
  dialog.m_ofn.lpstrInitialDir = startFolder.c_str();
  if (dialog.DoModal() != win::IDOK) return std::nullopt;
  SaveChoice choice;
  choice.path = dialog.GetPathName();
  // The format follows the chosen filter, not the name's extension.
  choice.format = dialog.m_ofn.nFilterIndex == 2 ? SavedFormat::Bmp : SavedFormat::Jpg;
  return choice;
}

}  // namespace tolvex
