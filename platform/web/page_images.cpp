#include "platform/web/page_images.h"

#include <cstring>

#include "platform/gdi/dib_format.h"
#include "platform/web/fetch.h"

namespace vetra::web {

std::unique_ptr<PagePicture> PagePicture::FromBmp(std::string bytes)
{
  constexpr std::size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + 12 || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
  std::uint32_t bitsOffset = 0;
  std::memcpy(&bitsOffset, bytes.data() + 10, sizeof bitsOffset);  // little-endian, as the file
  const auto layout = gdi::ReadDibLayout(bytes.data() + kFileHeader, bytes.size() - kFileHeader,
                                         win::DIB_RGB_COLORS, {});
  if (!layout || layout->width <= 0 || layout->height <= 0) return nullptr;
  if (bitsOffset < kFileHeader + layout->headerBytes + layout->tableBytes || bitsOffset > bytes.size() ||
      bytes.size() - bitsOffset < gdi::DibImageBytes(*layout))
    return nullptr;  // a cut-off file draws nothing rather than reading past its end
  auto picture = std::unique_ptr<PagePicture>(new PagePicture);
  const std::size_t infoBytes = bitsOffset - kFileHeader;
  picture->m_info.resize((infoBytes + 3) / 4);
  std::memcpy(picture->m_info.data(), bytes.data() + kFileHeader, infoBytes);
  picture->m_bits = bytes.substr(bitsOffset);
  picture->m_width = layout->width;
  picture->m_height = layout->height;
  return picture;
}

void PagePicture::Draw(win::CDC& dc, int x, int y, int width, int height) const
{
  const auto* info = reinterpret_cast<const win::BITMAPINFO*>(m_info.data());
  dc.StretchDIBits(x, y, width, height, 0, 0, m_width, m_height, m_bits.data(), info,
                   win::DIB_RGB_COLORS, win::SRCCOPY);
}

const PagePicture* PagePictures::Find(const std::string& address)
{
  if (const auto found = m_pictures.find(address); found != m_pictures.end()) return found->second.get();
  FetchedPage fetched = m_reader ? m_reader(address) : Fetch(ClassifyAddress(address));
  auto picture = fetched.ok ? PagePicture::FromBmp(std::move(fetched.bytes)) : nullptr;
  return (m_pictures[address] = std::move(picture)).get();
}

}  // namespace vetra::web
