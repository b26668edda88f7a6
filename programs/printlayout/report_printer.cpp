#include "programs/printlayout/report_printer.h"

#include "platform/print/dialog_connection.h"
#include "platform/print/printer_dc.h"
#include "platform/ui/print_dialog.h"

namespace tolvex {
namespace {

std::function<std::unique_ptr<ReportPrinter>()>& Factory()
{
  static std::function<std::unique_ptr<ReportPrinter>()> factory;
  return factory;
}

// The system's printers through the print-setup dialog object: it holds the settings the page is
// printed with (the default printer in portrait until the user chooses otherwise) and makes the
// printer's device context.
class SystemPrinter : public ReportPrinter {
public:
  SystemPrinter()
      : m_dialog(win::TRUE, win::PD_ALLPAGES | win::PD_USEDEVMODECOPIES | win::PD_NOPAGENUMS | win::PD_HIDEPRINTTOFILE |
                                 win::PD_NOSELECTION)
  {
  }

  bool LoadDefaults() override { return m_dialog.GetDefaults() != win::FALSE; }

  Portrait ApplyPortraitDefault() override
  {
    win::PRINTDLG defaults;
    defaults.lStructSize = 66;
    defaults.Flags = win::PD_RETURNDEFAULT;
    if (!win::PrintDlg(&defaults)) return Portrait::NoDefaultPrinter;
    win::DEVMODE* settings = win::GlobalLock(defaults.hDevMode);
    if (!settings) return Portrait::SettingsUnavailable;
    settings->dmOrientation = win::DMORIENT_PORTRAIT;
    win::GlobalUnlock(defaults.hDevMode);
    m_dialog.m_pd.hDevMode = defaults.hDevMode;
    m_dialog.m_pd.hDevNames = defaults.hDevNames;
    return Portrait::Applied;
  }

  void ShowSetup(win::CWnd* parent) override
  {
    m_dialog.m_pd.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_dialog.DoModal();
  }

  win::CDC* StartDocument(const char* documentName) override
  {
    m_dc = m_dialog.CreatePrinterDC();
    if (!m_dc) return nullptr;
    win::DOCINFOA info;
    info.cbSize = 20;
    info.lpszDocName = documentName;
    if (win::StartDoc(m_dc, &info) <= 0) {
      m_dc = nullptr;
      return nullptr;
    }
    return win::CDC::FromHandle(m_dc);
  }

  bool StartPage() override { return m_dc && win::StartPage(m_dc) > 0; }
  bool EndPage() override { return m_dc && win::EndPage(m_dc) > 0; }
  bool EndDocument() override
  {
    const bool ok = m_dc && win::EndDoc(m_dc) > 0;
    m_dc = nullptr;
    return ok;
  }

private:
  win::CPrintDialog m_dialog;
  win::HDC m_dc = nullptr;  // kept alive by the dialog
};

}  // namespace

std::unique_ptr<ReportPrinter> MakeSystemPrinter()
{
  vetra::print::ConnectPrintDialogs();
  return std::make_unique<SystemPrinter>();
}

void SetReportPrinterFactoryForTests(std::function<std::unique_ptr<ReportPrinter>()> factory)
{
  Factory() = std::move(factory);
}

std::unique_ptr<ReportPrinter> MakeReportPrinter() { return Factory() ? Factory()() : MakeSystemPrinter(); }

}  // namespace tolvex
