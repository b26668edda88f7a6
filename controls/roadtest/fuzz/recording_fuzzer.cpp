// Feeds arbitrary bytes to the road-test recording reader and runs every derivation, page build
// and measurement on the result: nothing may read or write outside its arrays.
#include <cstddef>
#include <cstdint>

#include "controls/roadtest/core/decimation.h"
#include "controls/roadtest/core/derived.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/recording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvit::Recording rec = morvit::ParseRecording({data, size});
  morvit::DerivedItems derived;
  morvit::ItemFactors factors{};
  factors.fill(1.0);
  const morvit::LutStore luts("/nonexistent");
  static morvit::ItemPage page;
  for (int item = 0; item < morvit::kItemCount; ++item) {
    morvit::ComputeDerivedItem(rec, derived, item);
    const morvit::SampleMapper mapper(rec, derived, factors, item, 100, 1, luts);
    for (int scale : {0, 1, 25, 500}) {
      morvit::BuildItemPage(mapper, {scale, static_cast<std::int64_t>(size) * 7 - 1000, false}, rec.RecordLength(), page);
      const auto source = morvit::MeasureSourceOf(rec, derived, item);
      (void)morvit::ComputeCursorStatistics(source, page, 10, 600, 0);
    }
  }
  return 0;
}
