#pragma once
// Pictures of a page (IMG elements and background pictures): read once per address through the
// page's own fetch, kept while the page shows, drawn through the drawing layer. Pictures are BMP
// files; anything else, or a damaged file, is no picture (an empty box).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/cdc.h"

#include "platform/web/fetch.h"

namespace vetra::web {

class PagePicture {
public:
  // Null when the bytes are no whole BMP picture.
  static std::unique_ptr<PagePicture> FromBmp(std::string bytes);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Draws the picture stretched to (x, y, width, height).
  void Draw(win::CDC& dc, int x, int y, int width, int height) const;

private:
  std::vector<std::uint32_t> m_info;  // header and colour table, aligned as the header's fields
  std::string m_bits;
  int m_width = 0;
  int m_height = 0;
};

class PagePictures {
public:
  // The picture at `address` (system text), read on first use; null when there is none.
  const PagePicture* Find(const std::string& address);
  void Clear() { m_pictures.clear(); }
  // Where the bytes of an address come from (the page's own fetched copies); unset, they are
  // read at once.
  void SetReader(ResourceReader reader) { m_reader = std::move(reader); }

private:
  std::map<std::string, std::unique_ptr<PagePicture>> m_pictures;
  ResourceReader m_reader;
};

}  // namespace vetra::web
