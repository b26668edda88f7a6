#include "programs/printlayout/report_printer.h"

#include <optional>

#include "platform/print/printer_catalogue.h"
#include "platform/print/printer_dc.h"
#include "programs/printlayout/print_setup.h"

namespace tolvex {
namespace {

std::function<std::unique_ptr<ReportPrinter>()>& Factory()
{
  static std::function<std::unique_ptr<ReportPrinter>()> factory;
  return factory;
}

// The system's printers: the default printer's settings, turned to portrait, until the user
// chooses otherwise in the print setup; the page is printed on a printer DC of those settings.
class SystemPrinter : public ReportPrinter {
public:
  bool LoadDefaults() override
  {
    const auto printer = vetra::print::FindPrinter("");
    if (!printer) return false;
    m_printer = *printer;
    m_mode = vetra::print::DefaultDevMode(*printer);
    return true;
  }

  Portrait ApplyPortraitDefault() override
  {
    const auto printer = vetra::print::FindPrinter("");
    if (!printer) return Portrait::NoDefaultPrinter;
    m_printer = *printer;
    m_mode = vetra::print::DefaultDevMode(*printer);
    m_mode->dmOrientation = win::DMORIENT_PORTRAIT;
    return Portrait::Applied;
  }

  void ShowSetup(win::CWnd* parent) override
  {
    PrinterSettings current;
    if (m_printer && m_mode) {
      current.printer = m_printer->name;
      current.orientation = m_mode->dmOrientation;
    }
    std::vector<std::string> names;
    for (const auto& printer : vetra::print::ListPrinters()) names.push_back(printer.name);
    const auto choice = RunPrintSetup(current, names, parent);
    if (!choice) return;
    const auto printer = vetra::print::FindPrinter(choice->printer);
    if (!printer) return;
    m_printer = *printer;
    m_mode = vetra::print::DefaultDevMode(*printer);
    m_mode->dmOrientation = choice->orientation;
  }

  win::CDC* StartDocument(const char* documentName) override
  {
    if (!m_printer) LoadDefaults();
    if (!m_printer || !m_mode) return nullptr;
    m_dc = win::CreatePrinterDC(m_printer->name.c_str(), &*m_mode);
    if (!m_dc) return nullptr;
    win::DOCINFOA info;
    info.cbSize = 20;
    info.lpszDocName = documentName;
    if (m_dc->StartDoc(&info) <= 0) {
      m_dc.reset();
      return nullptr;
    }
    return m_dc.get();
  }

  bool StartPage() override { return m_dc && m_dc->StartPage() > 0; }
  bool EndPage() override { return m_dc && m_dc->EndPage() > 0; }
  bool EndDocument() override
  {
    const bool ok = m_dc && m_dc->EndDoc() > 0;
    m_dc.reset();
    return ok;
  }

private:
  std::optional<vetra::print::PrinterInfo> m_printer;
  std::optional<win::DEVMODEA> m_mode;
  std::unique_ptr<win::CPrinterDC> m_dc;
};

}  // namespace

std::unique_ptr<ReportPrinter> MakeSystemPrinter() { return std::make_unique<SystemPrinter>(); }

void SetReportPrinterFactoryForTests(std::function<std::unique_ptr<ReportPrinter>()> factory)
{
  Factory() = std::move(factory);
}

std::unique_ptr<ReportPrinter> MakeReportPrinter() { return Factory() ? Factory()() : MakeSystemPrinter(); }

}  // namespace tolvex
