// Reads arbitrary bytes as a scan recording and walks the result as the viewer does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "controls/scandata/core/scan_recording.h"
#include "controls/scandata/text/scan_text_context.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quarnel::ScanRecording r = quarnel::ParseScanRecording(std::span(data, size));
  if (r.ItemCount() > quarnel::kMaxItems || r.sampleCount > quarnel::kMaxSamples ||
      static_cast<int>(r.triggers.size()) > quarnel::kMaxTriggers) {
    std::abort();
  }
  quarnel::ScanTextContext text;
  text.LoadHeaderBlock(r.headerBlock);
  for (const int id : r.itemIds) {
    for (int s = -1; s <= r.sampleCount; s += 97) {
      std::string out;
      text.FormatItemValue(static_cast<std::int16_t>(id), r.Sample(id, s), out);
      (void)text.ItemGraphY(r.Sample(id, s), static_cast<std::int16_t>(id), 1.0, 60);
    }
  }
  return 0;
}
