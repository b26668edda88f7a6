#pragma once
// Finished pages kept aside, compressed, in a temporary file, so that collated copies of a
// document can be written again page by page without holding more than one page in memory.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/gdi/bitmap32.h"

namespace vetra::print {

class PageSpool {
public:
  // The spool file is created at `path` on the first Append and removed by the destructor.
  explicit PageSpool(std::filesystem::path path);
  ~PageSpool();
  PageSpool(const PageSpool&) = delete;
  PageSpool& operator=(const PageSpool&) = delete;

  bool Append(const gdi::Bitmap32& page);
  int Count() const { return static_cast<int>(m_pages.size()); }
  // Page `index` back into `page`, which must have the size it was appended with.
  bool Read(int index, gdi::Bitmap32& page);

private:
  struct Entry {
    std::uint64_t offset;
    std::uint64_t bytes;
  };
  std::filesystem::path m_path;
  std::fstream m_file;
  std::vector<Entry> m_pages;
  std::uint64_t m_end = 0;
};

}  // namespace vetra::print
