// The file dialog as it shows on screen: the folder's sub-folders and matching files in a list,
// the file name, the filter choice, and the open (or save) and cancel buttons.

#include <algorithm>
#include <filesystem>

#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/list_box.h"

namespace vetra::ui {

namespace {

using namespace win;

constexpr int kFolderText = 1091;
constexpr int kEntries = 1120;
constexpr int kFileName = 1152;
constexpr int kFilterChoice = 1136;

DialogTemplate FileDialogTemplate(bool open, const std::string& title)
{
  DialogTemplate t;
  t.caption = title;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.cx = 260;
  t.cy = 144;
  t.fontFace = Cp949("굴림");
  t.fontPoints = 9;
  const DWORD visible = WS_VISIBLE;
  t.items = {
      {"STATIC", Cp949(open ? "찾는 위치:" : "저장 위치:"), -1, visible, 7, 8, 44, 10},
      {"STATIC", "", kFolderText, visible | SS_LEFT, 52, 8, 201, 10},
      {"LISTBOX", "", kEntries, visible | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 7, 22, 246, 76},
      {"STATIC", Cp949("파일 이름:"), -1, visible, 7, 106, 44, 10},
      {"EDIT", "", kFileName, visible | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 52, 104, 144, 12},
      {"STATIC", Cp949("파일 형식:"), -1, visible, 7, 124, 44, 10},
      {"COMBOBOX", "", kFilterChoice, visible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 52, 122, 144, 70},
      {"BUTTON", Cp949(open ? "열기" : "저장"), IDOK, visible | WS_TABSTOP | BS_DEFPUSHBUTTON, 203, 103, 50, 14},
      {"BUTTON", Cp949("취소"), IDCANCEL, visible | WS_TABSTOP | BS_PUSHBUTTON, 203, 121, 50, 14},
  };
  return t;
}

bool IsFolder(const std::string& path)
{
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(MapPath(path), error);
}

std::string Join(const std::string& folder, const std::string& name)
{
  if (folder.empty()) return name;
  const char separator = folder.front() == '/' ? '/' : '\\';
  return folder.back() == separator ? folder + name : folder + separator + name;
}

std::string Parent(const std::string& folder)
{
  const char separator = !folder.empty() && folder.front() == '/' ? '/' : '\\';
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == separator) trimmed.pop_back();
  const std::size_t at = trimmed.rfind(separator);
  if (at == std::string::npos) return folder;
  if (at == 0) return trimmed.substr(0, 1);                        // "/"
  if (at == 2 && trimmed[1] == ':') return trimmed.substr(0, 3);   // "C:\"
  return trimmed.substr(0, at);
}

bool IsRoot(const std::string& folder) { return Parent(folder) == folder || folder == "/"; }

class FileDialogWindow : public CDialog {
public:
  FileDialogWindow(bool open, const std::string& title, std::string folder, const std::vector<FileFilter>& filters,
                   int filterIndex, std::string fileName, CWnd* owner)
      : CDialog(FileDialogTemplate(open, title), owner),
        m_filters(filters),
        m_folder(std::move(folder)),
        m_filterIndex(filterIndex),
        m_fileName(std::move(fileName))
  {
  }

  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    if (auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(kFilterChoice))) {
      for (const FileFilter& filter : m_filters) choice->AddString(filter.description.c_str());
      choice->SetCurSel(std::clamp(m_filterIndex, 1, std::max<int>(1, static_cast<int>(m_filters.size()))) - 1);
    }
    SetDlgItemText(kFileName, m_fileName.c_str());
    Fill();
    // The user types a name first: the keyboard starts in the name box.
    if (CWnd* name = GetDlgItem(kFileName)) GotoDlgCtrl(name);
    return FALSE;
  }

  const std::string& Folder() const { return m_folder; }
  const std::string& FileName() const { return m_fileName; }
  int FilterIndex() const { return m_filterIndex; }

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    auto* entries = dynamic_cast<CListBox*>(GetDlgItem(kEntries));
    if (id == kFileName && code == EN_CHANGE && GetFocus() == GetDlgItem(kFileName)) {
      m_chosenFolder.clear();  // the user types a name of their own
      return TRUE;
    }
    if (id == kFilterChoice && code == CBN_SELCHANGE) {
      if (auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(kFilterChoice))) m_filterIndex = choice->GetCurSel() + 1;
      Fill();
      return TRUE;
    }
    if (id == kEntries && entries && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
      const int row = entries->GetCurSel();
      if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) return TRUE;
      const Entry& entry = m_entries[static_cast<std::size_t>(row)];
      if (code == LBN_SELCHANGE) {
        m_chosenFolder = entry.folder ? entry.name : std::string();
        if (!entry.folder) SetDlgItemText(kFileName, entry.name.c_str());
      } else if (entry.folder) {
        Enter(entry.name);
      } else {
        OnOK();
      }
      return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
  }

  void OnOK() override
  {
    // A folder chosen in the list (and no name typed since) opens.
    if (!m_chosenFolder.empty()) {
      const std::string folder = m_chosenFolder;
      m_chosenFolder.clear();
      Enter(folder);
      if (CWnd* nameBox = GetDlgItem(kFileName)) GotoDlgCtrl(nameBox);  // ready for the name
      return;
    }
    std::string name;
    GetDlgItemText(kFileName, name);
    if (name.empty()) return;
    if (name == ".." || IsFolder(Join(m_folder, name)) || IsFolder(HasDriveLetter(name) ? name : std::string())) {
      Enter(name);
      SetDlgItemText(kFileName, "");
      return;
    }
    m_fileName = name;
    EndDialog(IDOK);
  }

private:
  struct Entry {
    std::string name;
    bool folder = false;
  };

  void Enter(const std::string& name)
  {
    m_chosenFolder.clear();
    if (name == "..") m_folder = Parent(m_folder);
    else if (HasDriveLetter(name)) m_folder = name;
    else m_folder = Join(m_folder, name);
    Fill();
  }

  void Fill()
  {
    m_entries.clear();
    std::vector<Entry> folders, files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(MapPath(m_folder), error)) {
      const std::string name = Cp949(item.path().filename().string());
      if (item.is_directory(error)) {
        folders.push_back({name, true});
      } else if (m_filters.empty() ||
                 MatchesFilter(name, m_filters[static_cast<std::size_t>(std::clamp<int>(m_filterIndex, 1, static_cast<int>(m_filters.size())) - 1)])) {
        files.push_back({name, false});
      }
    }
    const auto byName = [](const Entry& a, const Entry& b) { return ToUpperAscii(a.name) < ToUpperAscii(b.name); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    if (!IsRoot(m_folder)) m_entries.push_back({"..", true});
    m_entries.insert(m_entries.end(), folders.begin(), folders.end());
    m_entries.insert(m_entries.end(), files.begin(), files.end());
    SetDlgItemText(kFolderText, m_folder.c_str());
    if (auto* entries = dynamic_cast<CListBox*>(GetDlgItem(kEntries))) {
      entries->ResetContent();
      for (const Entry& entry : m_entries) entries->AddString((entry.folder ? "[" + entry.name + "]" : entry.name).c_str());
    }
  }

  std::vector<FileFilter> m_filters;
  std::string m_folder;
  int m_filterIndex;
  std::string m_fileName;
  std::vector<Entry> m_entries;
  std::string m_chosenFolder;  // the folder row last chosen in the list
};

}  // namespace

bool RunFileDialogWindow(bool open, const std::string& title, std::string& folder,
                         const std::vector<FileFilter>& filters, int& filterIndex, std::string& fileName,
                         win::CWnd* owner)
{
  FileDialogWindow dialog(open, title, folder, filters, filterIndex, fileName, owner);
  if (dialog.DoModal() != IDOK) return false;
  folder = dialog.Folder();
  filterIndex = dialog.FilterIndex();
  fileName = dialog.FileName();
  return true;
}

}  // namespace vetra::ui
