#include "common/image/picture.h"

#include "platform/base/text.h"

namespace vetra::image {

std::size_t RgbBytes(int width, int height)
{
  if (width <= 0 || height <= 0) return 0;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
}

std::string ErrorText(int code)
{
  switch (code) {
    case 0: return "No error";
    case 1: return "Error : out of memory";
    case 2: return "Error on file open";
    case 3: return "Error on file read";
    case 4: return "Error on file write";
    case 5: return "Bad user param";
    case 6: return "Bad BMP file";
    case 7: return "We don't do RLE BMP files";
    case 9: return "Bad jpg file";
    case 10: return "Device error";
    case 11: return "GetDIBits error";
    case 13: return "Resource Not Found";
    case 14: return "Operation cancelled by callback";
    case 16: return "Internal PNG creation error - possibly bad params";
    case 17: return "Internal _ISource error";
    case 18: return "Font creation error";
    case 20: return "Bad TIF file";
    default: return vetra::Format("Error #%d", code);
  }
}

}  // namespace vetra::image
