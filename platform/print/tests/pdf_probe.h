#pragma once
// Reads printed PDFs back with poppler's command-line tools: page count and sizes (pdfinfo) and
// a page rendered to pixels (pdftoppm).

#include <filesystem>
#include <string>
#include <vector>

namespace vetra::print::testing {

struct PageSize {
  double width = 0;  // points
  double height = 0;
};

// Sizes of every page; empty when the file is no readable PDF.
std::vector<PageSize> PdfPageSizes(const std::filesystem::path& pdf);

struct RenderedPage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows top-down

  // 0xRRGGBB at (x, y); -1 outside.
  long At(int x, int y) const;
};

// Page `page` (1-based) rendered at `dpi`.
RenderedPage RenderPdfPage(const std::filesystem::path& pdf, int page, double dpi);

// Files in `folder` (none when it does not exist).
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder);

}  // namespace vetra::print::testing
