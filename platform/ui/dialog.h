#pragma once
// Dialogs: a window built from a template, run modally (DoModal, with its own message loop
// until EndDialog) or modelessly (Create). Return confirms with the default button (or the push
// button with the keyboard), Esc cancels, Tab moves between controls in the template's order, the
// arrows move within a group, and a letter marked with "&" picks its control
// (dialog_navigation.h).

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/cwnd.h"
#include "platform/ui/dialog_template.h"

namespace win {

using INT_PTR = std::intptr_t;

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Binds a control object to the template's control with this id.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Moves a control's text to or from a string.
void DDX_Text(CDataExchange* dx, int id, std::string& value);

inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr WORD DC_HASDEFID = 0x534B;

class CDialog : public CWnd {
public:
  CDialog() = default;
  explicit CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
  void SetTemplate(const DialogTemplate& dialogTemplate) { m_template = dialogTemplate; }
  const DialogTemplate& Template() const { return m_template; }

  // Shows the dialog modally; returns the EndDialog result, or -1 when it could not be shown
  // or the program is quitting.
  virtual INT_PTR DoModal();
  // Creates the dialog modelessly.
  BOOL Create(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* dx);
  BOOL UpdateData(BOOL save = TRUE);

  void MapDialogRect(LPRECT rect) const;
  void GotoDlgCtrl(CWnd* control);
  void NextDlgCtrl();
  void PrevDlgCtrl();
  void SetDefID(UINT id);
  DWORD GetDefID() const;

  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CWnd* m_pParentWnd = nullptr;

protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
  BOOL CreateFromTemplate(CWnd* owner);

  DialogTemplate m_template;
  std::unique_ptr<CFont> m_font;  // the template's font, given to every control
  UINT m_defId = 0;
  bool m_modal = false;
};

}  // namespace win
