#include "platform/print/printer_dc.h"

#include <atomic>
#include <system_error>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/base/trace.h"
#include "platform/gdi/gdi_types.h"
#include "platform/print/cups_queue.h"
#include "platform/print/page_spool.h"
#include "platform/print/pdf_writer.h"
#include "platform/print/print_output.h"

namespace win {

namespace fs = std::filesystem;
using vetra::print::PrinterKind;

namespace {

constexpr vetra::gdi::Pixel kPaper = 0x00FFFFFF;
// The most copies a print dialog lets one ask for.
constexpr short kMostCopies = 9999;

int NextJobId()
{
  static std::atomic<int> next{1};
  return next++;
}

// The job's steps go into the draw log beside the drawing, so a test reads the whole print job.
void LogJobStep(const CDC& dc, const char* op, std::string text = {})
{
  vetra::gdi::DrawLog* own = dc.GetDrawLog();
  vetra::gdi::DrawLog* scoped = vetra::gdi::ActiveScopedLog();
  if (!own && !scoped) return;
  vetra::gdi::DrawCall call{dc.GetLogName(), op, {}, std::move(text)};
  if (scoped && scoped != own) scoped->Add(call);
  if (own) own->Add(std::move(call));
}

void RemoveQuietly(const fs::path& path)
{
  std::error_code error;
  if (!path.empty()) fs::remove(path, error);
}

}  // namespace

CPrinterDC::CPrinterDC() = default;

CPrinterDC::~CPrinterDC()
{
  Discard();
}

BOOL CPrinterDC::CreateDC(LPCSTR /*driver*/, LPCSTR device, LPCSTR output, const DEVMODEA* mode)
{
  Discard();
  auto printer = vetra::print::FindPrinter(device ? device : "");
  if (!printer) return FALSE;
  m_printer = std::move(*printer);
  m_mode = mode ? *mode : vetra::print::DefaultDevMode(m_printer);
  SetDevModeName(m_mode, m_printer.name);
  if (m_mode.dmCopies < 1) m_mode.dmCopies = 1;
  if (m_mode.dmCopies > kMostCopies) m_mode.dmCopies = kMostCopies;
  m_output = output ? output : "";
  m_page = vetra::print::A4Page(m_mode.dmOrientation == DMORIENT_LANDSCAPE, m_mode.dmPrintQuality);
  m_sheet = std::make_shared<vetra::gdi::Bitmap32>(m_page.sheetWidth, m_page.sheetHeight, kPaper);
  vetra::gdi::DeviceInfo deviceInfo;
  deviceInfo.technology = DT_RASPRINTER;
  deviceInfo.dpi = m_page.dpi;
  deviceInfo.width = m_page.width;
  deviceInfo.height = m_page.height;
  const vetra::gdi::Surface surface{m_sheet, {m_page.offsetX, m_page.offsetY}, {0, 0, m_page.width, m_page.height}};
  AttachSurface(surface, deviceInfo);
  SetLogName("Printer");
  return TRUE;
}

int CPrinterDC::StartDoc(LPCSTR documentName)
{
  DOCINFOA info;
  info.lpszDocName = documentName;
  return StartDoc(&info);
}

int CPrinterDC::StartDoc(const DOCINFOA* info)
{
  if (!m_sheet || !m_hDC || m_writer) return SP_ERROR;
  m_documentName = info && info->lpszDocName ? info->lpszDocName : "";
  m_outputPath.clear();
  const std::string output = info && info->lpszOutput && *info->lpszOutput ? info->lpszOutput : m_output;
  std::error_code error;
  m_namedByUs = false;
  if (!output.empty()) {
    m_destination = vetra::print::OutputPathOf(output);
  } else if (m_printer.kind == PrinterKind::PdfFile) {
    const fs::path folder = vetra::print::PrintFolder();
    fs::create_directories(folder, error);
    m_destination = vetra::print::NewPrintFileName(folder, m_documentName, vetra::WallClockNow());
    m_namedByUs = true;
  } else {
    m_destination.clear();
  }
  m_temporary = m_destination.empty()
      ? vetra::print::TemporaryFileFor(fs::temp_directory_path(error) / "vetra-print.pdf")
      : vetra::print::TemporaryFileFor(m_destination);
  m_writer = std::make_unique<vetra::print::PdfWriter>(m_temporary, vetra::Utf8(m_documentName));
  if (!m_writer->Ok()) {
    OutputDebugStringA(vetra::Cp949("Cannot start the document in " + m_temporary.string() + "\n"));
    Discard();
    return SP_ERROR;
  }
  if (!m_destination.empty() && m_mode.dmCopies > 1 && m_mode.dmCollate != DMCOLLATE_FALSE) {
    m_spool = std::make_unique<vetra::print::PageSpool>(m_temporary.string() + ".pages");
  }
  m_inPage = false;
  m_jobId = NextJobId();
  LogJobStep(*this, "StartDoc", m_documentName);
  return m_jobId;
}

int CPrinterDC::StartPage()
{
  if (!m_writer || m_inPage) return SP_ERROR;
  m_sheet->Fill(kPaper);
  m_inPage = true;
  LogJobStep(*this, "StartPage");
  return 1;
}

int CPrinterDC::EndPage()
{
  if (!m_writer || !m_inPage) return SP_ERROR;
  m_inPage = false;
  LogJobStep(*this, "EndPage");
  // A print queue makes the copies itself. A file gets each page once per copy: in a row, or,
  // collated, the whole document again at the end from the pages kept aside.
  const int times = m_destination.empty() || m_spool ? 1 : m_mode.dmCopies;
  if (!m_writer->AddPage(*m_sheet, m_page, times) || (m_spool && !m_spool->Append(*m_sheet))) {
    Discard();
    return SP_ERROR;
  }
  return 1;
}

int CPrinterDC::EndDoc()
{
  if (!m_writer) return SP_ERROR;
  if (m_inPage && EndPage() <= 0) return SP_ERROR;
  LogJobStep(*this, "EndDoc");
  if (!WriteCollatedCopies()) {
    Discard();
    return SP_ERROR;
  }
  const int pages = m_writer->PageCount();
  const bool written = m_writer->Finish();
  m_writer.reset();
  if (pages == 0) {
    // An empty document prints nothing and is no failure.
    Discard();
    return 1;
  }
  if (!written) {
    Discard();
    return SP_ERROR;
  }
  bool delivered = false;
  if (m_destination.empty()) {
    delivered = vetra::print::SubmitCupsJob({vetra::Utf8(m_printer.name), m_temporary, vetra::Utf8(m_documentName), m_mode.dmCopies, m_mode.dmCollate != DMCOLLATE_FALSE});
    RemoveQuietly(m_temporary);
  } else {
    if (m_namedByUs) {
      m_outputPath = vetra::print::CommitNewPrintFile(m_temporary, m_destination.parent_path(), m_documentName, vetra::WallClockNow());
      delivered = !m_outputPath.empty();
    } else {
      delivered = vetra::print::CommitFile(m_temporary, m_destination);
      if (delivered) m_outputPath = m_destination;
    }
  }
  m_temporary.clear();
  Discard();
  return delivered ? 1 : SP_ERROR;
}

int CPrinterDC::AbortDoc()
{
  if (!m_writer) return SP_ERROR;
  LogJobStep(*this, "AbortDoc");
  Discard();
  return 1;
}

bool CPrinterDC::WriteCollatedCopies()
{
  if (!m_spool) return true;
  for (int copy = 1; copy < m_mode.dmCopies; ++copy) {
    for (int page = 0; page < m_spool->Count(); ++page) {
      if (!m_spool->Read(page, *m_sheet) || !m_writer->AddPage(*m_sheet, m_page)) return false;
    }
  }
  m_spool.reset();
  return true;
}

void CPrinterDC::Discard()
{
  m_writer.reset();
  m_spool.reset();
  RemoveQuietly(m_temporary);
  m_temporary.clear();
  m_inPage = false;
}

int CPrinterDC::GetDeviceCaps(int index) const
{
  if (!m_sheet) return CDC::GetDeviceCaps(index);
  const int answer = vetra::print::PageCaps(m_page, index);
  return answer >= 0 ? answer : CDC::GetDeviceCaps(index);
}

std::unique_ptr<CPrinterDC> CreatePrinterDC(LPCSTR device, const DEVMODEA* mode, LPCSTR output)
{
  auto dc = std::make_unique<CPrinterDC>();
  if (!dc->CreateDC(nullptr, device, output, mode)) return nullptr;
  return dc;
}

namespace {

CPrinterDC* PrinterOf(HDC dc)
{
  return dynamic_cast<CPrinterDC*>(CDC::FromHandle(dc));
}

}  // namespace

int StartDoc(HDC dc, const DOCINFOA* info)
{
  CPrinterDC* printer = PrinterOf(dc);
  return printer ? printer->StartDoc(info) : SP_ERROR;
}

int StartPage(HDC dc)
{
  CPrinterDC* printer = PrinterOf(dc);
  return printer ? printer->StartPage() : SP_ERROR;
}

int EndPage(HDC dc)
{
  CPrinterDC* printer = PrinterOf(dc);
  return printer ? printer->EndPage() : SP_ERROR;
}

int EndDoc(HDC dc)
{
  CPrinterDC* printer = PrinterOf(dc);
  return printer ? printer->EndDoc() : SP_ERROR;
}

int AbortDoc(HDC dc)
{
  CPrinterDC* printer = PrinterOf(dc);
  return printer ? printer->AbortDoc() : SP_ERROR;
}

}  // namespace win
