#pragma once
// The choice of the save-or-print command: print the road-test report, save the screen as a
// picture, or close without either.
#include "platform/ui/bitmap_button.h"
#include "platform/ui/dialog.h"
#include "platform/ui/static.h"

namespace morvit {

class CPrintChoiceDlg : public win::CDialog {
public:
  static constexpr int kPrintButton = 241;
  static constexpr int kPictureButton = 242;

  explicit CPrintChoiceDlg(win::CWnd* parent);
  ~CPrintChoiceDlg() override;
  // True when the user chose print (the dialog ended with OK) or picture (it ended with Cancel).
  bool Chosen() const { return m_chosen; }

protected:
  win::BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  win::BOOL OnCommand(win::WPARAM wParam, win::LPARAM lParam) override;

private:
  bool m_chosen = false;
  win::CStatic m_picture;
  win::CBitmapButton m_cancelButton;
  win::CBitmapButton m_printButton;
  win::CBitmapButton m_pictureButton;
  win::HBITMAP m_bitmap = nullptr;
};

}  // namespace morvit
