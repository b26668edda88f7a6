#pragma once
// Writes a PDF one page at a time: each page is one picture filling the sheet. Only the page
// being added is held in memory; the file is complete only after Finish succeeds.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/gdi/bitmap32.h"
#include "platform/print/page_geometry.h"

namespace vetra::print {

class PdfWriter {
public:
  // Starts the file at `path` (UTF-8 title for the document information).
  PdfWriter(const std::filesystem::path& path, const std::string& titleUtf8);
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  bool Ok() const;
  // Adds `times` pages, each showing `sheet` (the whole sheet, page.sheetWidth by sheetHeight
  // pixels) on a sheet of the page's size. False once anything failed.
  bool AddPage(const gdi::Bitmap32& sheet, const PageGeometry& page, int times = 1);
  int PageCount() const { return m_pages; }
  // Writes the rest of the file and closes it. False when the file is not whole.
  bool Finish();

private:
  struct Cairo;
  std::unique_ptr<Cairo> m_cairo;
  int m_pages = 0;
  bool m_failed = false;
};

}  // namespace vetra::print
