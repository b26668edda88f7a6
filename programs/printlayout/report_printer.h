#pragma once
// The printer the report goes to: the print-setup dialog's settings, the default printer, and
// the print job on a printer device context (MM_LOMETRIC units are printer pixels at 254 dpi).

#include <functional>
#include <memory>

#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"

namespace tolvex {

class ReportPrinter {
public:
  virtual ~ReportPrinter() = default;

  // Takes the default printer's settings without showing anything; false without one.
  virtual bool LoadDefaults() = 0;
  enum class Portrait { NoDefaultPrinter, Applied, SettingsUnavailable };
  // Sets the default printer to portrait for the settings; SettingsUnavailable when its settings
  // cannot be taken (then nothing may be printed).
  virtual Portrait ApplyPortraitDefault() = 0;
  // The print-setup dialog, modal; its result is not looked at.
  virtual void ShowSetup(win::CWnd* parent) = 0;

  // Starts a document on the chosen printer; null when the document cannot be started.
  virtual win::CDC* StartDocument(const char* documentName) = 0;
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDocument() = 0;
};

// The system's printers.
std::unique_ptr<ReportPrinter> MakeSystemPrinter();
// Replaces the system's printers for tests (null restores them).
void SetReportPrinterFactoryForTests(std::function<std::unique_ptr<ReportPrinter>()> factory);
std::unique_ptr<ReportPrinter> MakeReportPrinter();

}  // namespace tolvex
