// The file dialog as it shows on screen: the "look in" list of drives and the folders above the
// current one with an up-folder button, the folder's sub-folders and matching files in a list,
// the file name, the filter choice, and the open (or save) and cancel buttons. What the user
// types in the name box is taken as the dialog manager of that platform takes it: a pattern
// filters the list, a folder is entered, and only a file name ends the dialog.

#include <algorithm>
#include <filesystem>

#include "platform/base/drive.h"
#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/control_painting.h"
#include "platform/ui/edit.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/file_dialog_folders.h"
#include "platform/ui/list_box.h"
#include "platform/ui/message_box.h"
#include "platform/ui/system_metrics.h"

namespace vetra::ui {

namespace {

using namespace win;
namespace fs = std::filesystem;

constexpr int kLookIn = 1137;
constexpr int kUpFolder = 1141;
constexpr int kEntries = 1120;
constexpr int kFileName = 1152;
constexpr int kFilterChoice = 1136;

DialogTemplate FileDialogTemplate(bool open, const std::string& title)
{
  DialogTemplate t;
  t.caption = title;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
  t.cx = 270;
  t.cy = 148;
  t.fontFace = Cp949("굴림");
  t.fontPoints = 9;
  const DWORD visible = WS_VISIBLE;
  t.items = {
      {"STATIC", Cp949(open ? "찾는 위치(&I):" : "저장 위치(&I):"), -1, visible, 7, 8, 48, 10},
      {"COMBOBOX", "", kLookIn, visible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 57, 6, 181, 110},
      {"BUTTON", Cp949("▲"), kUpFolder, visible | WS_TABSTOP | BS_PUSHBUTTON, 243, 5, 20, 13},
      {"LISTBOX", "", kEntries, visible | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 7, 24, 256, 76},
      {"STATIC", Cp949("파일 이름(&N):"), -1, visible, 7, 110, 48, 10},
      {"EDIT", "", kFileName, visible | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_FILENAME, 57, 108, 149, 12},
      {"STATIC", Cp949("파일 형식(&T):"), -1, visible, 7, 128, 48, 10},
      {"COMBOBOX", "", kFilterChoice, visible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 57, 126, 149, 70},
      {"BUTTON", Cp949(open ? "열기(&O)" : "저장(&S)"), IDOK, visible | WS_TABSTOP | BS_DEFPUSHBUTTON, 213, 107, 50, 14},
      {"BUTTON", Cp949("취소"), IDCANCEL, visible | WS_TABSTOP | BS_PUSHBUTTON, 213, 125, 50, 14},
  };
  return t;
}

std::string Trimmed(std::string text)
{
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  text = text.substr(start, text.find_last_not_of(' ') - start + 1);
  // A name in quotes is the name (a name may hold blanks).
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

// The position of the last separator of a typed path, walking by characters.
std::size_t LastSeparator(const std::string& path)
{
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/') last = i;
  }
  return last;
}

bool IsFile(const std::string& path)
{
  std::error_code error;
  return fs::exists(MapPath(path), error) && !fs::is_directory(MapPath(path), error);
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

std::vector<std::string> SplitPatterns(const std::string& text)
{
  std::vector<std::string> patterns;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t semi = std::min(text.find(';', start), text.size());
    if (std::string one = Trimmed(text.substr(start, semi - start)); !one.empty()) patterns.push_back(one);
    start = semi + 1;
  }
  return patterns;
}

// The width a dropped list needs to show every row whole.
int DroppedWidthFor(CComboBox& combo)
{
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CFont* old = dc.SelectObject(ControlFont(combo));
  int widest = 0;
  for (int i = 0; i < combo.GetCount(); ++i) {
    std::string text;
    combo.GetLBText(i, text);
    widest = std::max<int>(widest, dc.GetTextExtent(text).cx);
  }
  dc.SelectObject(old);
  // The row's text margins, the list's border and room for its scroll strip.
  return widest + 10 + GetSystemMetrics(SM_CXVSCROLL);
}

class FileDialogWindow : public CDialog {
public:
  FileDialogWindow(bool open, const std::string& title, std::string folder, const std::vector<FileFilter>& filters,
                   int filterIndex, std::string fileName, FileDialogCheck check, CWnd* owner)
      : CDialog(FileDialogTemplate(open, title), owner),
        m_open(open),
        m_title(title),
        m_filters(filters),
        m_folder(OwnSpelling(folder)),
        m_filterIndex(filterIndex),
        m_fileName(std::move(fileName)),
        m_check(std::move(check)),
        m_drives(FileDialogDrives(DesktopMediaFolders()))
  {
  }

  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    if (auto* choice = dynamic_cast<CComboBox*>(GetDlgItem(kFilterChoice))) {
      for (const FileFilter& filter : m_filters) choice->AddString(filter.description.c_str());
      choice->SetCurSel(std::clamp(m_filterIndex, 1, std::max<int>(1, static_cast<int>(m_filters.size()))) - 1);
      choice->SetDroppedWidth(static_cast<UINT>(DroppedWidthFor(*choice)));
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
  // Backspace in the list goes up a folder, as "[..]" does; in the name box it edits the name.
  BOOL PreTranslateMessage(MSG* msg) override
  {
    const CWnd* entries = GetDlgItem(kEntries);
    if (entries && msg->message == WM_KEYDOWN && msg->wParam == VK_BACK && msg->hwnd == entries->m_hWnd) {
      Up();
      return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
  }

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
      m_patterns.clear();  // a type chosen from the list replaces a typed pattern
      Fill();
      return TRUE;
    }
    if (id == kLookIn && code == CBN_SELCHANGE) {
      auto* lookIn = dynamic_cast<CComboBox*>(GetDlgItem(kLookIn));
      const int row = lookIn ? lookIn->GetCurSel() : -1;
      if (row >= 0 && static_cast<std::size_t>(row) < m_lookIn.size()) Enter(m_lookIn[static_cast<std::size_t>(row)]);
      return TRUE;
    }
    if (id == kUpFolder && code == BN_CLICKED) {
      Up();
      // The button is a tool, as on a tool bar: the keyboard goes back to the name box.
      if (GetFocus() == GetDlgItem(kUpFolder) || !GetFocus()) GotoDlgCtrl(GetDlgItem(kFileName));
      return TRUE;
    }
    if (id == kEntries && entries && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
      const int row = entries->GetCurSel();
      if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) return TRUE;
      const Entry& entry = m_entries[static_cast<std::size_t>(row)];
      if (code == LBN_SELCHANGE) {
        m_chosenFolder = entry.folder ? entry.path : std::string();
        if (!entry.folder) SetDlgItemText(kFileName, entry.name.c_str());
      } else if (entry.folder) {
        Enter(entry.path);
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
      Enter(folder);
      if (CWnd* nameBox = GetDlgItem(kFileName)) GotoDlgCtrl(nameBox);  // ready for the name
      return;
    }
    std::string typed;
    GetDlgItemText(kFileName, typed);
    typed = Trimmed(typed);
    if (typed.empty()) return;
    if (typed == "..") {
      Up();
      SetDlgItemText(kFileName, "");
      return;
    }
    std::string target = typed;
    if (typed.front() == '\\') target = "C:" + typed;
    else if (!IsAbsolutePath(typed)) target = m_folder.empty() ? std::string() : JoinFolder(m_folder, typed);
    if (target.empty()) return;  // a bare name in the computer: there is no folder to hold it

    if (IsFolderPath(target)) {
      m_patterns.clear();  // the typed folder replaces a typed pattern
      Enter(target);
      SetDlgItemText(kFileName, "");
      return;
    }
    const std::size_t at = LastSeparator(target);
    std::string folder = at == std::string::npos ? m_folder : target.substr(0, at == 0 || (at == 2 && HasDriveLetter(target)) ? at + 1 : at);
    const std::string name = at == std::string::npos ? target : target.substr(at + 1);
    if (!IsFolderPath(folder)) {
      Say(folder + Cp949("\n경로를 찾을 수 없습니다.\n경로를 확인한 다음 다시 시도하십시오."));
      return;
    }
    folder = OwnSpelling(folder);
    if (HasWildcard(name)) {
      // A pattern lists what matches it here, in place of the chosen type, until a type is chosen.
      Enter(folder);
      m_patterns = SplitPatterns(name);
      Fill();
      SetDlgItemText(kFileName, name.c_str());
      if (auto* box = dynamic_cast<CEdit*>(GetDlgItem(kFileName))) box->SetSel(0, -1);  // the next name replaces it
      return;
    }
    std::string path = JoinFolder(folder, name);
    // The caller's checks first: they may give the name its default extension.
    if (m_check && !m_check(path, m_filterIndex, this)) return;
    if (m_open && !IsFile(path)) {
      Say(path.substr(LastSeparator(path) + 1) + Cp949("\n파일을 찾을 수 없습니다.\n파일 이름을 확인한 다음 다시 시도하십시오."));
      return;
    }
    m_folder = folder;
    m_fileName = path.substr(LastSeparator(path) + 1);
    EndDialog(IDOK);
  }

private:
  struct Entry {
    std::string name;  // as the list shows it
    std::string path;  // a folder's own path
    bool folder = false;
  };

  void Say(const std::string& text) { win::MessageBox(m_hWnd, text.c_str(), m_title.c_str(), MB_OK | MB_ICONWARNING); }

  void Enter(const std::string& folder)
  {
    m_chosenFolder.clear();
    m_folder = OwnSpelling(folder);
    Fill();
  }

  void Up()
  {
    if (m_folder.empty()) return;
    m_chosenFolder.clear();
    m_folder = ParentFolder(m_folder);
    Fill();
  }

  bool Listed(const std::string& name) const
  {
    if (!m_patterns.empty()) {
      return std::any_of(m_patterns.begin(), m_patterns.end(), [&](const std::string& p) { return p == "*.*" || MatchesPattern(name, p); });
    }
    if (m_filters.empty()) return true;
    const int index = std::clamp<int>(m_filterIndex, 1, static_cast<int>(m_filters.size()));
    return MatchesFilter(name, m_filters[static_cast<std::size_t>(index - 1)]);
  }

  void Fill()
  {
    m_entries.clear();
    if (m_folder.empty()) {
      // The computer: its drives.
      for (const std::string& drive : m_drives) m_entries.push_back({drive, drive, true});
    } else {
      std::vector<Entry> folders, files;
      std::error_code error;
      for (fs::directory_iterator it(MapPath(m_folder), error), end; !error && it != end; it.increment(error)) {
        const std::string linuxName = it->path().filename().string();
        if (linuxName.front() == '.') continue;  // hidden, as the desktop keeps such names
        const std::string name = NameFromLinux(linuxName);
        std::error_code kind;
        if (it->is_directory(kind)) folders.push_back({name, JoinFolder(m_folder, name), true});
        else if (Listed(name)) files.push_back({name, JoinFolder(m_folder, name), false});
      }
      const auto byName = [](const Entry& a, const Entry& b) { return ToUpperAscii(a.name) < ToUpperAscii(b.name); };
      std::sort(folders.begin(), folders.end(), byName);
      std::sort(files.begin(), files.end(), byName);
      m_entries.push_back({"..", ParentFolder(m_folder), true});
      m_entries.insert(m_entries.end(), folders.begin(), folders.end());
      m_entries.insert(m_entries.end(), files.begin(), files.end());
    }
    if (auto* entries = dynamic_cast<CListBox*>(GetDlgItem(kEntries))) {
      entries->ResetContent();
      for (const Entry& entry : m_entries) entries->AddString((entry.folder ? "[" + entry.name + "]" : entry.name).c_str());
    }
    FillLookIn();
    if (CWnd* up = GetDlgItem(kUpFolder)) {
      if (m_folder.empty() && GetFocus() == up) GotoDlgCtrl(GetDlgItem(kEntries));
      up->EnableWindow(!m_folder.empty());
    }
  }

  // The computer, each drive, and below the current folder's drive the folders down to it.
  void FillLookIn()
  {
    m_lookIn = {std::string()};
    const std::string currentDrive = DriveOf(m_drives, m_folder);
    for (const std::string& drive : m_drives) {
      m_lookIn.push_back(drive);
      if (drive != currentDrive) continue;
      for (const std::string& folder : FoldersBelowDrive(drive, m_folder)) m_lookIn.push_back(folder);
    }
    // A folder below none of the drives (another drive letter) is still shown where it is.
    if (std::find(m_lookIn.begin(), m_lookIn.end(), m_folder) == m_lookIn.end()) m_lookIn.push_back(m_folder);
    auto* lookIn = dynamic_cast<CComboBox*>(GetDlgItem(kLookIn));
    if (!lookIn) return;
    lookIn->ResetContent();
    int current = 0;
    for (std::size_t i = 0; i < m_lookIn.size(); ++i) {
      lookIn->AddString(m_lookIn[i].empty() ? Cp949("내 컴퓨터").c_str() : m_lookIn[i].c_str());
      if (m_lookIn[i] == m_folder) current = static_cast<int>(i);
    }
    lookIn->SetCurSel(current);
    lookIn->SetDroppedWidth(static_cast<UINT>(DroppedWidthFor(*lookIn)));
  }

  bool m_open;
  std::string m_title;
  std::vector<FileFilter> m_filters;
  std::string m_folder;  // own spelling; empty for the computer
  int m_filterIndex;
  std::string m_fileName;
  FileDialogCheck m_check;
  std::vector<std::string> m_drives;
  std::vector<std::string> m_lookIn;  // the folders of the "look in" rows
  std::vector<std::string> m_patterns;  // typed in the name box; empty: the chosen type's
  std::vector<Entry> m_entries;
  std::string m_chosenFolder;  // the folder row last chosen in the list
};

}  // namespace

bool RunFileDialogWindow(bool open, const std::string& title, std::string& folder,
                         const std::vector<FileFilter>& filters, int& filterIndex, std::string& fileName,
                         win::CWnd* owner, FileDialogCheck check)
{
  FileDialogWindow dialog(open, title, folder, filters, filterIndex, fileName, std::move(check), owner);
  if (dialog.DoModal() != IDOK) return false;
  folder = dialog.Folder();
  filterIndex = dialog.FilterIndex();
  fileName = dialog.FileName();
  return true;
}

}  // namespace vetra::ui
