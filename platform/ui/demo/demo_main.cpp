// A small window program that shows the standard controls: used by the session-script test
// (headless) and to check the on-screen display (SDL2, under Xvfb or a desktop).

#include <string>

#include "platform/base/text.h"
#include "platform/ui/demo/demo_app.h"
#include "platform/ui/edit.h"
#include "platform/ui/message_box.h"
#include "platform/ui/scroll_bar.h"

namespace {

using namespace win;

enum ControlId : int { kHelloButton = 1001, kAnswerText, kNotes, kLevel, kLevelText };

DialogTemplate DemoTemplate()
{
  return vetra::ui::demo::DemoDialogTemplate(
      "UI demo", 200, 120,
      {
          {"BUTTON", vetra::Cp949("인사"), kHelloButton, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 10, 10, 50, 14},
          {"STATIC", "-", kAnswerText, SS_LEFT | WS_VISIBLE, 70, 13, 120, 10},
          {"EDIT", "", kNotes, ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP | WS_VISIBLE, 10, 30, 180, 40},
          {"SCROLLBAR", "", kLevel, SBS_HORZ | WS_VISIBLE, 10, 78, 140, 8},
          {"STATIC", "0", kLevelText, SS_RIGHT | WS_VISIBLE, 155, 78, 35, 10},
          {"BUTTON", vetra::Cp949("확인"), IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 75, 98, 50, 14},
      });
}

class DemoDialog : public CDialog {
public:
  DemoDialog() : CDialog(DemoTemplate()) {}

  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kLevel, m_level); }
  BOOL OnInitDialog() override
  {
    CDialog::OnInitDialog();
    m_level.SetScrollRange(0, 100);
    return TRUE;
  }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
  {
    if (LOWORD(wParam) == kHelloButton && HIWORD(wParam) == BN_CLICKED) {
      const int answer = MessageBox(vetra::Cp949("안녕하세요?").c_str(), "UI demo", MB_YESNO | MB_ICONQUESTION);
      SetDlgItemText(kAnswerText, answer == IDYES ? "IDYES" : "IDNO");
      return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
  }

  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override
  {
    if (bar != &m_level) return;
    int p = m_level.GetScrollPos();
    if (code == SB_LINELEFT) p -= 1;
    else if (code == SB_LINERIGHT) p += 1;
    else if (code == SB_PAGELEFT) p -= 10;
    else if (code == SB_PAGERIGHT) p += 10;
    else if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) p = static_cast<int>(pos);
    m_level.SetScrollPos(p);
    SetDlgItemInt(kLevelText, static_cast<UINT>(m_level.GetScrollPos()));
  }

private:
  CScrollBar m_level;
};

vetra::ui::demo::DialogApp<DemoDialog> theApp;

}  // namespace

int main(int argc, char** argv) { return win::AfxWinMain(argc, argv); }
