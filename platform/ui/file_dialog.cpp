#include "platform/ui/file_dialog.h"

#include <filesystem>
#include <iostream>

#include "platform/base/current_directory.h"
#include "platform/base/drive.h"
#include "platform/base/text.h"
#include "platform/ui/file_dialog_answers.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {
std::vector<FileDialogRecord>& Log()
{
  static std::vector<FileDialogRecord> log;
  return log;
}
}  // namespace

const std::vector<FileDialogRecord>& FileDialogLog() { return Log(); }
void ClearFileDialogLog() { Log().clear(); }

}  // namespace vetra::ui

namespace win {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::size_t LastSeparator(const std::string& path)
{
  // A trail byte of a double-byte character may look like a backslash: walk by characters.
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (vetra::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (IsSeparator(path[i])) last = i;
  }
  return last;
}

std::string JoinPath(std::string folder, const std::string& name)
{
  const char separator = !folder.empty() && folder.front() == '/' ? '/' : '\\';
  while (folder.size() > 1 && LastSeparator(folder) == folder.size() - 1) folder.pop_back();
  if (folder.empty()) return name;
  if (folder.size() == 2 && folder[1] == ':') return folder + "\\" + name;
  if (folder == "/") return folder + name;
  return folder + separator + name;
}

bool Exists(const std::string& path)
{
  std::error_code error;
  return std::filesystem::exists(vetra::MapPath(path), error);
}

bool IsFolder(const std::string& path)
{
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(vetra::MapPath(path), error);
}

// An answer's path in the form the system gives callers: drive paths as they are, Linux paths
// inside the drive in their Windows form, names relative to the dialog's folder joined to it.
std::string ResolveAnswer(const std::string& answer, const std::string& folder)
{
  if (vetra::HasDriveLetter(answer)) return answer;
  if (!answer.empty() && answer.front() == '/') return vetra::WindowsPathOf(vetra::MapPath(answer));
  if (!answer.empty() && answer.front() == '\\') return "C:" + answer;
  return JoinPath(folder, answer);
}

bool IsHeadless()
{
  auto& system = detail::WindowSystem::Get();
  return !system.HasDisplay() || system.Display().IsHeadless();
}

// Where a dialog without a start folder of its own opens: the current folder when it lies in
// drive C, else the drive's root. The process's Linux folder means nothing to the user.
std::string DefaultFolder()
{
  const std::string current = vetra::CurrentDirectory();
  return vetra::HasDriveLetter(current) && IsFolder(current) ? current : std::string("C:\\");
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_open(openFileDialog != 0),
      m_defExt(defExt ? std::optional<std::string>(defExt) : std::nullopt),
      m_fileName(fileName ? fileName : ""),
      m_filterText(filter ? filter : ""),
      m_filters(vetra::ui::ParseFileFilters(m_filterText)),
      m_parent(parent)
{
  m_ofn.Flags = flags | OFN_EXPLORER;
  m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
  m_ofn.lpstrDefExt = m_defExt ? m_defExt->c_str() : nullptr;
}

std::string CFileDialog::Title() const
{
  if (m_ofn.lpstrTitle && *m_ofn.lpstrTitle) return m_ofn.lpstrTitle;
  return vetra::Cp949(m_open ? "열기" : "다른 이름으로 저장");
}

std::string CFileDialog::GetFileName() const
{
  const std::size_t at = LastSeparator(m_path);
  return at == std::string::npos ? m_path : m_path.substr(at + 1);
}

std::string CFileDialog::GetFileExt() const
{
  const std::string name = GetFileName();
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const
{
  const std::string name = GetFileName();
  return name.substr(0, name.rfind('.'));
}

std::string CFileDialog::GetFolderPath() const
{
  const std::size_t at = LastSeparator(m_path);
  if (at == std::string::npos) return {};
  // A root keeps its separator ("C:\", "/").
  return m_path.substr(0, (at == 2 && m_path.size() > 1 && m_path[1] == ':') || at == 0 ? at + 1 : at);
}

void CFileDialog::AddDefaultExtension(std::string& path, int filterIndex) const
{
  if (m_ofn.lpstrDefExt == nullptr) return;
  const std::size_t at = LastSeparator(path);
  const std::string name = at == std::string::npos ? path : path.substr(at + 1);
  if (name.find('.') != std::string::npos) return;  // the name's own extension stays
  // A file to open that exists under the name as typed is that file.
  if (m_open && Exists(path)) return;
  std::string extension = m_ofn.lpstrDefExt;
  if (extension.empty() && filterIndex >= 1 && static_cast<std::size_t>(filterIndex) <= m_filters.size()) {
    extension = vetra::ui::FilterExtension(m_filters[static_cast<std::size_t>(filterIndex - 1)]);
  }
  if (!extension.empty()) path += "." + extension;
}

bool CFileDialog::Accept(std::string& path, int filterIndex, HWND owner) const
{
  AddDefaultExtension(path, filterIndex);
  // The questions name the file as it will be.
  const std::size_t at = LastSeparator(path);
  const std::string name = at == std::string::npos ? path : path.substr(at + 1);
  if (m_open && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !Exists(path)) {
    const std::string text = name + vetra::Cp949("\n파일을 찾을 수 없습니다.\n파일 이름을 확인한 다음 다시 시도하십시오.");
    MessageBox(owner, text.c_str(), Title().c_str(), MB_OK | MB_ICONWARNING);
    return false;
  }
  if (!m_open && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && Exists(path)) {
    // Replacing a file needs the user's yes; the default button keeps the file.
    const std::string text = name + vetra::Cp949("이(가) 이미 있습니다.\n바꾸시겠습니까?");
    return MessageBox(owner, text.c_str(), Title().c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
  }
  return true;
}

bool CFileDialog::ChooseFromAnswers(const std::string& folder, Choice& choice)
{
  std::optional<vetra::ui::FileDialogAnswer> answer = vetra::ui::TakeFileDialogAnswer();
  if (!answer || answer->path.empty()) return false;
  choice.path = ResolveAnswer(answer->path, folder);
  const int preset = m_ofn.nFilterIndex > 0 && m_ofn.nFilterIndex <= m_filters.size() ? static_cast<int>(m_ofn.nFilterIndex) : 1;
  if (!answer->filter.empty()) {
    choice.filterIndex = vetra::ui::FilterIndexOf(m_filters, answer->filter);
    if (choice.filterIndex == 0) {
      std::cerr << "file dialog: no filter " << vetra::Utf8(answer->filter) << "; the first is taken\n";
      choice.filterIndex = 1;
    }
    return true;
  }
  // No filter named: the one the dialog opens with when it takes the file, else the first that does.
  const std::size_t at = LastSeparator(choice.path);
  const std::string name = at == std::string::npos ? choice.path : choice.path.substr(at + 1);
  choice.filterIndex = preset;
  if (!m_filters.empty() && !vetra::ui::MatchesFilter(name, m_filters[static_cast<std::size_t>(preset - 1)])) {
    for (std::size_t i = 0; i < m_filters.size(); ++i) {
      if (vetra::ui::MatchesFilter(name, m_filters[i])) {
        choice.filterIndex = static_cast<int>(i) + 1;
        break;
      }
    }
  }
  return true;
}

bool CFileDialog::ChooseOnScreen(const std::string& startFolder, Choice& choice)
{
  std::string folder = startFolder;
  int filterIndex = m_ofn.nFilterIndex > 0 ? static_cast<int>(m_ofn.nFilterIndex) : 1;
  std::string name = m_fileName;
  CWnd* owner = m_parent ? m_parent : CWnd::FromHandle(m_ofn.hwndOwner);
  std::string accepted;
  const auto check = [&](std::string& path, int chosenFilter, CWnd* dialog) {
    if (!Accept(path, chosenFilter, dialog->m_hWnd)) return false;
    accepted = path;
    return true;
  };
  if (!vetra::ui::RunFileDialogWindow(m_open, Title(), folder, m_filters, filterIndex, name, owner, check)) return false;
  choice.path = accepted.empty() ? JoinPath(folder, name) : accepted;
  choice.filterIndex = filterIndex;
  return true;
}

INT_PTR CFileDialog::DoModal()
{
  std::string folder;
  if (m_ofn.lpstrInitialDir && IsFolder(m_ofn.lpstrInitialDir)) folder = m_ofn.lpstrInitialDir;
  else folder = DefaultFolder();

  vetra::ui::FileDialogRecord record;
  record.open = m_open;
  record.title = Title();
  record.folder = folder;
  record.filter = m_filterText;

  Choice choice;
  bool chosen = false;
  if (vetra::ui::HasFileDialogAnswer() || IsHeadless()) {
    chosen = ChooseFromAnswers(folder, choice) &&
             Accept(choice.path, choice.filterIndex, m_parent ? m_parent->m_hWnd : m_ofn.hwndOwner);
  } else {
    chosen = ChooseOnScreen(folder, choice);
  }
  if (chosen) {
    m_path = choice.path;
    m_ofn.nFilterIndex = static_cast<DWORD>(choice.filterIndex);
    record.path = m_path;
    record.filterIndex = choice.filterIndex;
    if (!(m_ofn.Flags & OFN_NOCHANGEDIR)) {
      const std::string chosenFolder = GetFolderPath();
      if (!chosenFolder.empty()) vetra::ChangeCurrentDirectory(chosenFolder);
    }
  }
  vetra::ui::Log().push_back(std::move(record));
  return chosen ? IDOK : IDCANCEL;
}

}  // namespace win
