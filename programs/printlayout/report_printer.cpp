#include "programs/printlayout/report_printer.h"

namespace tolvex {
namespace {

std::function<std::unique_ptr<ReportPrinter>()>& Factory()
{
  static std::function<std::unique_ptr<ReportPrinter>()> factory;
  return factory;
}

// Until a printer platform is present, no printer is known: printing reports the missing
// default printer and prints nothing.
class NoPrinter : public ReportPrinter {
public:
  bool LoadDefaults() override { return false; }
  Portrait ApplyPortraitDefault() override { return Portrait::NoDefaultPrinter; }
  void ShowSetup(win::CWnd*) override {}
  win::CDC* StartDocument(const char*) override { return nullptr; }
  bool StartPage() override { return false; }
  bool EndPage() override { return false; }
  bool EndDocument() override { return false; }
};

}  // namespace

std::unique_ptr<ReportPrinter> MakeSystemPrinter() { return std::make_unique<NoPrinter>(); }

void SetReportPrinterFactoryForTests(std::function<std::unique_ptr<ReportPrinter>()> factory)
{
  Factory() = std::move(factory);
}

std::unique_ptr<ReportPrinter> MakeReportPrinter() { return Factory() ? Factory()() : MakeSystemPrinter(); }

}  // namespace tolvex
