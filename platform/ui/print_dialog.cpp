#include "platform/ui/print_dialog.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <iostream>

#include "platform/base/text.h"
#include "platform/ui/message_box.h"
#include "platform/ui/printer_catalogue.h"
#include "platform/ui/window_system.h"

namespace vetra::ui {

namespace {

std::deque<PrintDialogAnswer>& Answers()
{
  static std::deque<PrintDialogAnswer> answers;
  return answers;
}

std::vector<PrintDialogRecord>& Log()
{
  static std::vector<PrintDialogRecord> log;
  return log;
}

}  // namespace

void QueuePrintDialogAnswer(PrintDialogAnswer answer) { Answers().push_back(std::move(answer)); }
bool HasPrintDialogAnswer() { return !Answers().empty(); }

void ClearPrintDialogAnswers()
{
  Answers().clear();
  Log().clear();
}

const std::vector<PrintDialogRecord>& PrintDialogLog() { return Log(); }

}  // namespace vetra::ui

namespace win {

namespace {

using vetra::ui::PrinterInfo;

const PrinterInfo* FindPrinter(const std::vector<PrinterInfo>& printers, const std::string& name)
{
  for (const PrinterInfo& printer : printers) {
    if (vetra::EqualsNoCase(printer.name, name)) return &printer;
  }
  return nullptr;
}

void Fill(PRINTDLG& pd, const PrinterInfo& printer, short orientation, int copies)
{
  auto settings = std::make_shared<DEVMODE>();
  const std::string name = vetra::CutCp949(printer.name, CCHDEVICENAME - 1);
  std::memcpy(settings->dmDeviceName, name.c_str(), name.size() + 1);
  settings->dmOrientation = orientation;
  settings->dmPaperSize = printer.paperSize;
  settings->dmCopies = static_cast<short>(std::clamp(copies, 1, 9999));
  pd.hDevMode = std::move(settings);
  pd.hDevNames = std::make_shared<DEVNAMES>(DEVNAMES{printer.driver, printer.name, printer.port});
  pd.nCopies = (pd.Flags & PD_USEDEVMODECOPIES) ? 1 : static_cast<WORD>(std::clamp(copies, 1, 9999));
}

// With PD_RETURNDC, the printing layer makes the chosen printer's device context.
void ReturnDC(PRINTDLG& pd)
{
  if (!(pd.Flags & PD_RETURNDC)) return;
  pd.hDCOwner = vetra::ui::MakePrinterDC(*pd.hDevMode, *pd.hDevNames);
  pd.hDC = pd.hDCOwner.get();
}

bool IsHeadless()
{
  auto& system = detail::WindowSystem::Get();
  return !system.HasDisplay() || system.Display().IsHeadless();
}

// Applies a queued answer to the dialog's choice; false for Cancel or when nothing is queued.
bool Answer(vetra::ui::PrintChoice& choice, const std::vector<PrinterInfo>& printers)
{
  auto& answers = vetra::ui::Answers();
  if (answers.empty()) return false;
  const vetra::ui::PrintDialogAnswer answer = answers.front();
  answers.pop_front();
  if (!answer.ok) return false;
  if (!answer.printer.empty()) {
    if (const PrinterInfo* printer = FindPrinter(printers, answer.printer)) {
      choice.printer = printer->name;
    } else {
      std::cerr << "print dialog: no printer " << vetra::Utf8(answer.printer) << "; "
                << vetra::Utf8(choice.printer) << " is kept\n";
    }
  }
  if (answer.copies > 0) choice.copies = answer.copies;
  if (answer.orientation == DMORIENT_PORTRAIT || answer.orientation == DMORIENT_LANDSCAPE) {
    choice.orientation = answer.orientation;
  }
  return true;
}

}  // namespace

BOOL PrintDlg(LPPRINTDLG pd)
{
  if (!pd) return FALSE;
  const std::vector<PrinterInfo> printers = vetra::ui::AvailablePrinters();
  if (pd->Flags & PD_RETURNDEFAULT) {
    if (printers.empty()) return FALSE;
    Fill(*pd, printers.front(), printers.front().orientation, 1);
    ReturnDC(*pd);
    return TRUE;
  }
  const bool setup = (pd->Flags & PD_PRINTSETUP) != 0;
  CWnd* owner = CWnd::FromHandle(pd->hwndOwner);
  if (printers.empty()) {
    MessageBox(pd->hwndOwner, vetra::Cp949("설치된 프린터가 없습니다.").c_str(), vetra::Cp949(setup ? "인쇄 설정" : "인쇄").c_str(),
               MB_OK | MB_ICONWARNING);
    return FALSE;
  }

  // The dialog opens with the settings handed in, else with the default printer's.
  vetra::ui::PrintChoice choice;
  const PrinterInfo* shown = &printers.front();
  choice.orientation = shown->orientation;
  choice.copies = std::max<int>(1, pd->nCopies);
  if (const DEVMODE* settings = pd->hDevMode.get()) {
    const std::string name(settings->dmDeviceName, strnlen(settings->dmDeviceName, CCHDEVICENAME));
    if (const PrinterInfo* printer = FindPrinter(printers, name)) shown = printer;
    if (settings->dmOrientation == DMORIENT_PORTRAIT || settings->dmOrientation == DMORIENT_LANDSCAPE) {
      choice.orientation = settings->dmOrientation;
    }
    if ((pd->Flags & PD_USEDEVMODECOPIES) && settings->dmCopies > 0) choice.copies = settings->dmCopies;
  }
  choice.printer = shown->name;

  bool ok = false;
  if (vetra::ui::HasPrintDialogAnswer() || IsHeadless()) {
    ok = Answer(choice, printers);
  } else {
    ok = vetra::ui::RunPrintDialogWindow(setup, choice, owner);
  }
  if (setup) choice.copies = std::max(1, choice.copies);
  vetra::ui::Log().push_back({setup, ok, choice.printer, choice.copies, choice.orientation});
  if (!ok) return FALSE;
  const PrinterInfo* chosen = FindPrinter(printers, choice.printer);
  Fill(*pd, chosen ? *chosen : printers.front(), choice.orientation, choice.copies);
  ReturnDC(*pd);
  return TRUE;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : m_parent(parent)
{
  // Printing (not setup) returns the chosen printer's device context, as the framework's does.
  m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  m_pd.hwndOwner = parent ? parent->m_hWnd : nullptr;
  m_pd.nFromPage = m_pd.nToPage = m_pd.nMinPage = m_pd.nMaxPage = 1;
}

INT_PTR CPrintDialog::DoModal()
{
  if (!m_pd.hwndOwner) {
    CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
    m_pd.hwndOwner = owner ? owner->m_hWnd : nullptr;
  }
  return PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
  m_pd.hDevMode.reset();
  m_pd.hDevNames.reset();
  m_pd.Flags |= PD_RETURNDEFAULT;
  const BOOL result = PrintDlg(&m_pd);
  m_pd.Flags &= ~PD_RETURNDEFAULT;
  return result;
}

std::string CPrintDialog::GetDeviceName() const { return m_pd.hDevNames ? m_pd.hDevNames->device : std::string(); }
std::string CPrintDialog::GetDriverName() const { return m_pd.hDevNames ? m_pd.hDevNames->driver : std::string(); }
std::string CPrintDialog::GetPortName() const { return m_pd.hDevNames ? m_pd.hDevNames->output : std::string(); }

int CPrintDialog::GetCopies() const
{
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) && m_pd.hDevMode) return m_pd.hDevMode->dmCopies;
  return m_pd.nCopies;
}

HDC CPrintDialog::CreatePrinterDC()
{
  if (!m_pd.hDevMode || !m_pd.hDevNames) return nullptr;
  std::unique_ptr<CDC> dc = vetra::ui::MakePrinterDC(*m_pd.hDevMode, *m_pd.hDevNames);
  if (!dc) return nullptr;
  m_madeDCs.push_back(std::move(dc));
  return m_madeDCs.back().get();
}

}  // namespace win
