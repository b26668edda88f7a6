// The capture reader on arbitrary bytes: every header field is checked before it is used.

#include <cstddef>
#include <cstdint>

#include "programs/printlayout/picture_library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const auto picture = tolvex::DecodeBmp(data, size);
  if (picture && picture->rgb.size() != static_cast<std::size_t>(picture->width) * picture->height * 3) __builtin_trap();
  return 0;
}
