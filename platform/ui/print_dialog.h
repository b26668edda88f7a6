#pragma once
// The print dialog and the print-setup dialog. PrintDlg with PD_RETURNDEFAULT gives the default
// printer's settings without showing anything; otherwise the user picks a printer (from the
// printer catalogue), the orientation and, when printing, the number of copies. Headless (and
// whenever an answer is queued) the dialog takes the next queued answer, or is cancelled when
// there is none; on screen it shows in the classic look.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/print/print_types.h"
#include "platform/ui/dialog.h"

namespace win {

inline constexpr DWORD PD_ALLPAGES = 0x00000000;
inline constexpr DWORD PD_SELECTION = 0x00000001;
inline constexpr DWORD PD_PAGENUMS = 0x00000002;
inline constexpr DWORD PD_NOSELECTION = 0x00000004;
inline constexpr DWORD PD_NOPAGENUMS = 0x00000008;
inline constexpr DWORD PD_COLLATE = 0x00000010;
inline constexpr DWORD PD_PRINTTOFILE = 0x00000020;
inline constexpr DWORD PD_PRINTSETUP = 0x00000040;
inline constexpr DWORD PD_RETURNDC = 0x00000100;
inline constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
inline constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
inline constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
inline constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;


// A printer's names.
struct DEVNAMES {
  std::string driver;
  std::string device;
  std::string output;
};

// Settings travel in movable memory handles; here a shared block. GlobalLock gives the settings
// (null for an empty handle), GlobalUnlock does nothing, GlobalFree empties the handle.
using HDEVMODE = std::shared_ptr<DEVMODE>;
using HDEVNAMES = std::shared_ptr<DEVNAMES>;
template <typename T>
T* GlobalLock(const std::shared_ptr<T>& handle) { return handle.get(); }
template <typename T>
BOOL GlobalUnlock(const std::shared_ptr<T>&) { return FALSE; }
template <typename T>
void GlobalFree(std::shared_ptr<T>& handle) { handle.reset(); }

struct PRINTDLG {
  DWORD lStructSize = 66;
  HWND hwndOwner = nullptr;
  HDEVMODE hDevMode;
  HDEVNAMES hDevNames;
  HDC hDC = nullptr;  // with PD_RETURNDC: the chosen printer's device context
  std::shared_ptr<CDC> hDCOwner;  // keeps hDC alive as long as the structure (or a copy) lives
  DWORD Flags = 0;
  WORD nFromPage = 0;
  WORD nToPage = 0;
  WORD nMinPage = 0;
  WORD nMaxPage = 0;
  WORD nCopies = 1;
};
using LPPRINTDLG = PRINTDLG*;

// FALSE when cancelled, or with PD_RETURNDEFAULT when there is no printer.
BOOL PrintDlg(LPPRINTDLG pd);

class CPrintDialog {
public:
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* parent = nullptr);
  virtual ~CPrintDialog() = default;

  virtual INT_PTR DoModal();  // IDOK or IDCANCEL
  // The default printer's settings, without showing anything.
  BOOL GetDefaults();
  DEVMODE* GetDevMode() const { return m_pd.hDevMode.get(); }
  std::string GetDeviceName() const;
  std::string GetDriverName() const;
  std::string GetPortName() const;
  int GetCopies() const;
  // A device context for the chosen printer (from the printing layer); null when none. The
  // dialog keeps it alive until the dialog ends, as the framework deletes it then.
  HDC CreatePrinterDC();
  // The device context the print dialog made (printing, not setup); null when none.
  HDC GetPrinterDC() const { return m_pd.hDC; }

  PRINTDLG m_pd;

private:
  CWnd* m_parent;
  std::vector<std::unique_ptr<CDC>> m_madeDCs;
};

}  // namespace win

namespace vetra::ui {

// The answer for the next print or print-setup dialog.
struct PrintDialogAnswer {
  bool ok = true;
  std::string printer{};  // empty keeps the printer the dialog shows
  int copies = 0;       // 0 keeps the number shown
  short orientation = 0;  // 0 keeps the one shown
};
void QueuePrintDialogAnswer(PrintDialogAnswer answer);
bool HasPrintDialogAnswer();
void ClearPrintDialogAnswers();

// Every print dialog shown so far (not the PD_RETURNDEFAULT queries), oldest first.
struct PrintDialogRecord {
  bool setup = false;
  bool ok = false;
  std::string printer;
  int copies = 1;
  short orientation = 1;
};
const std::vector<PrintDialogRecord>& PrintDialogLog();

// What the dialog shows and lets the user change.
struct PrintChoice {
  std::string printer;
  int copies = 1;
  short orientation = win::DMORIENT_PORTRAIT;
};
// The dialog on screen; false when cancelled.
bool RunPrintDialogWindow(bool setup, PrintChoice& choice, win::CWnd* owner);

}  // namespace vetra::ui
