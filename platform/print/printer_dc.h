#pragma once
// A printer device context. Each page is drawn with the same raster as the screen, at the
// printer's resolution (254 dots per inch unless the device mode asks otherwise, so that one
// MM_LOMETRIC unit is one pixel), on a white A4 sheet whose printable area starts at device
// (0, 0). Finished pages go into a PDF: for "PDF file" that PDF is the output, for a CUPS
// printer it is handed to the print queue when the document ends. Only the page being drawn is
// held in memory. Nothing is written under the final name, and nothing is sent, unless EndDoc
// succeeds; AbortDoc (or destroying the DC in mid-document) leaves nothing behind.
//
// The DC logs as "Printer"; besides the drawing, its draw log records the job: StartDoc (with
// the document name), StartPage, EndPage, EndDoc, AbortDoc.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/cdc.h"
#include "platform/print/page_geometry.h"
#include "platform/print/print_types.h"
#include "platform/print/printer_catalogue.h"

namespace vetra::print {
class PageSpool;
class PdfWriter;
}

namespace win {

class CPrinterDC : public CDC {
public:
  CPrinterDC();
  ~CPrinterDC() override;

  // A DC for the printer named `device` (code page 949; null or empty: the default printer)
  // with the settings `mode` (null: the printer's own). `output` names a file that receives the
  // PDF instead of the printer (a drive path or a Linux path). FALSE for an unknown printer.
  // `driver` is not looked at.
  BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* mode);

  // Returns a job number above 0, or SP_ERROR when no document can be started (no printer, one
  // already started, the output file cannot be created). lpszOutput, when given, overrides the
  // DC's output file.
  int StartDoc(const DOCINFOA* info);
  int StartDoc(LPCSTR documentName);
  // A white page; the DC's selected objects and modes carry over from page to page.
  int StartPage();
  int EndPage();
  // Writes the document (a page still open is ended first). SP_ERROR when the file could not be
  // written or the printer refused it; then nothing is left.
  int EndDoc();
  int AbortDoc();

  // The printer's answers (resolution, printable area, sheet, offsets), then the raster's.
  int GetDeviceCaps(int index) const;

  const vetra::print::PrinterInfo& Printer() const { return m_printer; }
  const DEVMODEA& DevMode() const { return m_mode; }
  const vetra::print::PageGeometry& Page() const { return m_page; }
  // The file the last finished document went to ("PDF file" or an output file); empty otherwise.
  const std::filesystem::path& OutputPath() const { return m_outputPath; }
  bool InDocument() const { return m_writer != nullptr; }
  bool InPage() const { return m_inPage; }

private:
  void Discard();
  bool WriteCollatedCopies();

  vetra::print::PrinterInfo m_printer;
  DEVMODEA m_mode;
  vetra::print::PageGeometry m_page;
  std::string m_output;  // the DC's output file (code page 949), empty for none
  std::shared_ptr<vetra::gdi::Bitmap32> m_sheet;
  std::unique_ptr<vetra::print::PdfWriter> m_writer;
  std::unique_ptr<vetra::print::PageSpool> m_spool;  // pages kept for collated copies in a file
  std::string m_documentName;
  std::filesystem::path m_temporary;
  std::filesystem::path m_destination;  // empty when the PDF goes to a print queue
  bool m_namedByUs = false;             // m_destination was chosen in the print folder
  std::filesystem::path m_outputPath;
  bool m_inPage = false;
  int m_jobId = 0;
};

// A printer DC ready to draw, or null when the printer is unknown.
std::unique_ptr<CPrinterDC> CreatePrinterDC(LPCSTR device, const DEVMODEA* mode, LPCSTR output = nullptr);

// The same operations on a handle; SP_ERROR when the handle is not a printer DC.
int StartDoc(HDC dc, const DOCINFOA* info);
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);

}  // namespace win
