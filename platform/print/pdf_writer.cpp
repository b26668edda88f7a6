#include "platform/print/pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>

namespace vetra::print {

struct PdfWriter::Cairo {
  cairo_surface_t* pdf = nullptr;
  cairo_t* context = nullptr;

  ~Cairo()
  {
    if (context) cairo_destroy(context);
    if (pdf) cairo_surface_destroy(pdf);
  }
};

namespace {

struct ImageSurface {
  cairo_surface_t* surface;
  ~ImageSurface()
  {
    // Finishing detaches any copy the PDF surface still keeps of these pixels before the
    // caller reuses them for the next page.
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
  }
};

}  // namespace

PdfWriter::PdfWriter(const std::filesystem::path& path, const std::string& titleUtf8)
    : m_cairo(std::make_unique<Cairo>())
{
  // The sheet size is set for each page; this first size is replaced before anything is drawn.
  const PageGeometry a4 = A4Page(false, kPrinterDpi);
  m_cairo->pdf = cairo_pdf_surface_create(path.c_str(), a4.sheetWidthPoints, a4.sheetHeightPoints);
  if (cairo_surface_status(m_cairo->pdf) != CAIRO_STATUS_SUCCESS) {
    m_failed = true;
    return;
  }
  cairo_pdf_surface_set_metadata(m_cairo->pdf, CAIRO_PDF_METADATA_TITLE, titleUtf8.c_str());
  cairo_pdf_surface_set_metadata(m_cairo->pdf, CAIRO_PDF_METADATA_CREATOR, "Vetra");
  m_cairo->context = cairo_create(m_cairo->pdf);
  m_failed = cairo_status(m_cairo->context) != CAIRO_STATUS_SUCCESS;
}

PdfWriter::~PdfWriter() = default;

bool PdfWriter::Ok() const
{
  return !m_failed;
}

bool PdfWriter::AddPage(const gdi::Bitmap32& sheet, const PageGeometry& page, int times)
{
  if (m_failed) return false;
  if (sheet.Width() != page.sheetWidth || sheet.Height() != page.sheetHeight || sheet.Empty()) {
    m_failed = true;
    return false;
  }
  // The raster's 0x00RRGGBB pixels are cairo's RGB24 layout, so the page is handed over as is.
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, sheet.Width());
  if (stride != sheet.Width() * 4) {
    m_failed = true;
    return false;
  }
  auto* pixels = const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(sheet.Pixels().data()));
  const ImageSurface image{cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_RGB24, sheet.Width(), sheet.Height(), stride)};
  cairo_pdf_surface_set_size(m_cairo->pdf, page.sheetWidthPoints, page.sheetHeightPoints);
  for (int copy = 0; copy < times; ++copy) {
    cairo_t* cr = m_cairo->context;
    cairo_save(cr);
    cairo_scale(cr, page.sheetWidthPoints / sheet.Width(), page.sheetHeightPoints / sheet.Height());
    cairo_set_source_surface(cr, image.surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_FAST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_show_page(cr);
    ++m_pages;
  }
  m_failed = cairo_status(m_cairo->context) != CAIRO_STATUS_SUCCESS;
  return !m_failed;
}

bool PdfWriter::Finish()
{
  if (!m_cairo->pdf) return false;
  if (m_cairo->context) {
    cairo_destroy(m_cairo->context);
    m_cairo->context = nullptr;
  }
  cairo_surface_finish(m_cairo->pdf);
  if (cairo_surface_status(m_cairo->pdf) != CAIRO_STATUS_SUCCESS) m_failed = true;
  cairo_surface_destroy(m_cairo->pdf);
  m_cairo->pdf = nullptr;
  return !m_failed && m_pages > 0;
}

}  // namespace vetra::print
