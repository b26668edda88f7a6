// Feeds arbitrary bytes to the road-test unpacker: it must end, stay inside its ring, and
// either give exactly the declared length or report the input as truncated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/roadtest/core/lzss_unpacker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto out = morvit::UnpackLzssBytes({data, size});
  if (out && size >= 4) {
    const std::uint32_t length = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    if (out->size() != length) std::abort();
  }
  return 0;
}
