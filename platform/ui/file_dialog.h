#pragma once
// File dialogs for opening and saving. Headless (and whenever an answer is queued, as a session
// script or a test does) the dialog takes the next queued answer, or is cancelled when there is
// none; on screen without an answer it shows a dialog in the classic look. A chosen file makes
// its folder the process's current folder, as the system always did, unless OFN_NOCHANGEDIR.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/dialog.h"
#include "platform/ui/file_filters.h"

namespace win {

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;

// The fields of the dialog's set-up that callers read or change before DoModal. The texts the
// pointers name must live until DoModal returns.
struct OPENFILENAME {
  DWORD lStructSize = sizeof(OPENFILENAME);
  HWND hwndOwner = nullptr;
  DWORD nFilterIndex = 0;  // 1-based; 0 takes the first
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  // The extension a name typed without one takes: none when null; with an empty text the
  // chosen filter's (FilterExtension); else this one.
  const char* lpstrDefExt = nullptr;
  DWORD Flags = 0;
};

class CFileDialog {
public:
  explicit CFileDialog(BOOL openFileDialog, const char* defExt = nullptr, const char* fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                       CWnd* parent = nullptr);
  virtual ~CFileDialog() = default;
  // m_ofn points into the dialog's own texts.
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK with a chosen file, IDCANCEL otherwise.
  virtual INT_PTR DoModal();

  std::string GetPathName() const { return m_path; }
  std::string GetFileName() const;   // name with extension
  std::string GetFileExt() const;    // without the dot
  std::string GetFileTitle() const;  // name without extension
  std::string GetFolderPath() const;

  OPENFILENAME m_ofn;

private:
  struct Choice {
    std::string path;
    int filterIndex = 0;
  };
  bool ChooseFromAnswers(const std::string& folder, Choice& choice);
  bool ChooseOnScreen(const std::string& folder, Choice& choice);
  // The default extension added to a name without one (filterIndex is the chosen filter, 1-based).
  void AddDefaultExtension(std::string& path, int filterIndex) const;
  // The default extension added, then the checks of the chosen name (overwrite prompt, missing
  // file), asked over `owner`; false when it is refused.
  bool Accept(std::string& path, int filterIndex, HWND owner) const;
  std::string Title() const;

  bool m_open;
  std::optional<std::string> m_defExt;
  std::string m_fileName;
  std::string m_filterText;
  std::vector<vetra::ui::FileFilter> m_filters;
  CWnd* m_parent;
  std::string m_path;
};

}  // namespace win

namespace vetra::ui {

// Every file dialog shown so far, oldest first (for tests).
struct FileDialogRecord {
  bool open = true;
  std::string title;        // code page 949
  std::string folder;       // the folder it started in
  std::string filter;       // as the caller wrote it
  std::string path;         // the chosen file; empty when cancelled
  int filterIndex = 0;      // 1-based, of the chosen filter
};
const std::vector<FileDialogRecord>& FileDialogLog();
void ClearFileDialogLog();

// The caller's checks of a file name the user chose (the full path; the check may add to it) with
// the filter chosen (1-based), asked over the dialog window; false keeps the dialog open.
using FileDialogCheck = std::function<bool(std::string& path, int filterIndex, win::CWnd* dialog)>;

// The dialog shown on screen: lists the folder's sub-folders and the files that match the
// chosen filter or a typed pattern; typed folders are entered. On a chosen file `folder` is its
// folder and `fileName` its name. Returns false when cancelled.
bool RunFileDialogWindow(bool open, const std::string& title, std::string& folder,
                         const std::vector<FileFilter>& filters, int& filterIndex, std::string& fileName,
                         win::CWnd* owner, FileDialogCheck check = nullptr);

}  // namespace vetra::ui
