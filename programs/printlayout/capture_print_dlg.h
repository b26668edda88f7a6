#pragma once
// The print-layout program's one window: a skinned dialog with the remark box and four picture
// buttons (print, cancel, printer setup, save picture).

#include <array>
#include <memory>
#include <string>

#include "common/dib/dib.h"
#include "platform/base/named_mutex.h"
#include "platform/ui/dialog.h"
#include "platform/ui/edit.h"
#include "programs/printlayout/image.h"
#include "programs/printlayout/input_files.h"
#include "programs/printlayout/report_page.h"
#include "programs/printlayout/report_printer.h"

namespace tolvex {

inline constexpr const char* kInstanceMutexName = "PreventSecondInsttanceRunning-Print";
inline constexpr int kRemarkEditId = 1000;
inline constexpr int kDialogWidth = 504;
inline constexpr int kDialogHeight = 360;

enum PressedButton { kNoButton = 0, kPrintButton = 1, kCancelButton = 2, kSetupButton = 3, kSaveButton = 4 };

win::DialogTemplate CapturePrintTemplate();

class CCapturePrintDlg : public win::CDialog {
public:
  CCapturePrintDlg();
  ~CCapturePrintDlg() override;

  win::BOOL OnInitDialog() override;
  void DoDataExchange(win::CDataExchange* dx) override;

  void ReadEditLines();
  // Prints the page; true when the dialog should close afterwards.
  bool PrintReport();
  void OnPrinterSetup();
  void OnSavePicture();

  // What the window holds, for the page and for tests.
  const ReportTexts& Texts() const { return m_texts; }
  const RemarkLines& Typed() const { return m_strTyped; }
  const win::RECT& ButtonRect(int button) const { return *m_buttonRects[static_cast<std::size_t>(button - 1)]; }
  int PressedButton() const { return m_nPressedButton; }
  bool PrinterSetUp() const { return m_bPrinterSetUp != 0; }
  bool EndedAsSecondCopy() const { return m_secondCopy; }
  bool LogoValid() const { return m_Logo.IsValid(); }
  win::CEdit& RemarkBox() { return m_Edit; }

  std::string m_strCmdLine;

protected:
  void OnPaint() override;
  win::BOOL OnSetCursor(win::CWnd* wnd, win::UINT hitTest, win::UINT message) override;
  void OnMouseMove(win::UINT flags, win::CPoint point) override;
  void OnLButtonDown(win::UINT flags, win::CPoint point) override;
  void OnLButtonUp(win::UINT flags, win::CPoint point) override;
  void OnDestroy() override;

private:
  void LoadButtonBitmaps();
  void InvalidateButtons();
  int ButtonAt(win::CPoint point) const;
  void Show(const std::string& text);

  std::unique_ptr<win::CDC> m_pMemDC;
  std::unique_ptr<win::CBitmap> m_pBackBitmap;
  int m_nPressedButton = kNoButton;
  int m_bOverButton = 0;
  RemarkLines m_strTyped;
  ReportTexts m_texts;
  win::RECT m_rcWindow{};
  win::RECT m_rcPrint{}, m_rcCancel{}, m_rcSetup{}, m_rcSave{};
  std::array<win::RECT*, 4> m_buttonRects{&m_rcPrint, &m_rcCancel, &m_rcSetup, &m_rcSave};
  vetra::CDib m_BackBmp, m_PrintBmp, m_CancelBmp, m_SetupBmp, m_SaveBmp;
  vetra::CDib m_PrintDownBmp, m_CancelDownBmp, m_SetupDownBmp, m_SaveDownBmp;
  int m_bPrinterSetUp = 0;
  vetra::CDib m_CaptureBmp, m_BandBmp;
  CLogoPicture m_Logo;
  std::unique_ptr<ReportPrinter> m_pPrintDlg;
  win::CEdit m_Edit;
  bool m_secondCopy = false;
};

// The single-instance mutex, held for the rest of the process once taken.
const vetra::NamedMutex* InstanceMutex();
void ReleaseInstanceMutexForTests();

}  // namespace tolvex
