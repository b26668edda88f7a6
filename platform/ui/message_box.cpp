#include "platform/ui/message_box.h"

#include <deque>
#include <iostream>

#include "platform/base/text.h"
#include "platform/ui/app.h"
#include "platform/ui/message_box_window.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {

struct Answers {
  std::deque<int> queued;
  std::vector<MessageBoxRecord> log;
};

Answers& TheAnswers()
{
  static Answers answers;
  return answers;
}

}  // namespace

std::vector<int> MessageBoxButtons(win::UINT type)
{
  using namespace win;
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

void QueueMessageBoxAnswer(int answer) { TheAnswers().queued.push_back(answer); }
const std::vector<MessageBoxRecord>& MessageBoxLog() { return TheAnswers().log; }

void ClearMessageBoxes()
{
  TheAnswers().queued.clear();
  TheAnswers().log.clear();
}

int DefaultMessageBoxAnswer(win::UINT type)
{
  const std::vector<int> buttons = MessageBoxButtons(type);
  const std::size_t index = (type & win::MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

int MessageBoxAnswerFromName(const std::string& name)
{
  static const std::pair<const char*, int> kNames[] = {
      {"IDOK", win::IDOK},       {"IDCANCEL", win::IDCANCEL}, {"IDABORT", win::IDABORT},
      {"IDRETRY", win::IDRETRY}, {"IDIGNORE", win::IDIGNORE}, {"IDYES", win::IDYES},
      {"IDNO", win::IDNO}};
  for (const auto& [text, id] : kNames) {
    if (EqualsNoCase(name, text)) return id;
  }
  return 0;
}

}  // namespace vetra::ui

namespace win {

int MessageBox(HWND owner, const char* text, const char* caption, UINT type)
{
  using namespace vetra::ui;
  auto& answers = TheAnswers();
  MessageBoxRecord record;
  record.text = text ? text : "";
  record.caption = caption ? caption : AfxGetAppName();
  record.type = type;

  const std::vector<int> buttons = MessageBoxButtons(type);
  int answer = 0;
  auto& system = detail::WindowSystem::Get();
  if (!answers.queued.empty()) {
    answer = answers.queued.front();
    answers.queued.pop_front();
    if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
      answer = DefaultMessageBoxAnswer(type);
    }
  } else if (!system.Display().IsHeadless()) {
    answer = RunMessageBoxWindow(record.text, record.caption, type, owner);
  } else {
    answer = DefaultMessageBoxAnswer(type);
  }
  record.answer = answer;
  if (system.Display().IsHeadless()) {
    std::cerr << "[" << vetra::Utf8(record.caption) << "] " << vetra::Utf8(record.text) << "\n";
  }
  answers.log.push_back(std::move(record));
  return answer;
}

int AfxMessageBox(const char* text, UINT type, UINT)
{
  CWnd* main = AfxGetMainWnd();
  return MessageBox(main ? main->m_hWnd : nullptr, text, nullptr, type);
}

}  // namespace win
