#include "platform/print/tests/pdf_probe.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <system_error>

namespace vetra::print::testing {

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& text)
{
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Run(const std::string& command)
{
  std::string output;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  ::pclose(pipe);
  return output;
}

}  // namespace

std::vector<PageSize> PdfPageSizes(const fs::path& pdf)
{
  const std::string info = Run("pdfinfo -f 1 -l 100000 " + Quoted(pdf.string()));
  std::vector<PageSize> sizes;
  const std::regex line(R"(Page +\d+ size: +([0-9.]+) x ([0-9.]+) pts)");
  for (auto it = std::sregex_iterator(info.begin(), info.end(), line); it != std::sregex_iterator(); ++it) {
    sizes.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
  }
  return sizes;
}

long RenderedPage::At(int x, int y) const
{
  if (x < 0 || y < 0 || x >= width || y >= height) return -1;
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
  return (static_cast<long>(rgb[i]) << 16) | (static_cast<long>(rgb[i + 1]) << 8) | rgb[i + 2];
}

RenderedPage RenderPdfPage(const fs::path& pdf, int page, double dpi)
{
  RenderedPage rendered;
  const fs::path prefix = pdf.parent_path() / ("probe-" + std::to_string(page));
  Run("pdftoppm -singlefile -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " + std::to_string(page) + " " +
      Quoted(pdf.string()) + " " + Quoted(prefix.string()));
  const fs::path ppm = prefix.string() + ".ppm";
  std::ifstream in(ppm, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  if (!(in >> magic >> rendered.width >> rendered.height >> maxValue) || magic != "P6" || maxValue != 255) return {};
  in.get();
  rendered.rgb.resize(static_cast<std::size_t>(rendered.width) * static_cast<std::size_t>(rendered.height) * 3);
  in.read(reinterpret_cast<char*>(rendered.rgb.data()), static_cast<std::streamsize>(rendered.rgb.size()));
  if (!in) return {};
  in.close();
  std::error_code error;
  fs::remove(ppm, error);
  return rendered;
}

std::vector<fs::path> FilesIn(const fs::path& folder)
{
  std::vector<fs::path> files;
  std::error_code error;
  for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator(); it.increment(error)) {
    files.push_back(it->path());
  }
  return files;
}

}  // namespace vetra::print::testing
