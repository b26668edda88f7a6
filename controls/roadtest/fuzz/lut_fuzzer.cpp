// Feeds arbitrary bytes as the coolant sensor's LUT table and runs the road test's scales, page
// build, axis texts and measurements through it: a table entry may be any double, NaN and
// infinities included, and none of it may overflow a pixel row or a value text.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/roadtest/core/axis_texts.h"
#include "controls/roadtest/core/decimation.h"
#include "controls/roadtest/core/derived.h"
#include "controls/roadtest/core/measurement.h"
#include "controls/roadtest/core/recording.h"
#include "controls/roadtest/core/scales.h"
#include "platform/base/testing/temp_drive.h"
#include "tools/samples/roadtest_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  static const morvit::Recording sample = [] {
    vetra::samples::RoadTestOptions options;
    options.recordLengthCode = 5;
    options.lutNumber = 7;
    std::vector<std::uint8_t> bytes;
    vetra::samples::BuildRoadTestRecording(options, bytes, nullptr);
    return morvit::ParseRecording(bytes);
  }();
  drive.WriteFile("Vetra/Fenmark/Data/LUT/Lut07.DAT", std::string_view(reinterpret_cast<const char*>(data), size));
  const morvit::LutStore luts((drive / "Vetra/Fenmark").string());
  morvit::Recording recording = sample;  // derivation writes into it
  morvit::DerivedItems derived;
  static morvit::ItemPage page;
  for (const int rangeMode : {morvit::kRangeFull, morvit::kRangeMinMax}) {
    morvit::ItemFactors factors{};
    factors.fill(1.0);
    for (int item = 0; item < morvit::kItemCount; ++item) morvit::ComputeDerivedItem(recording, derived, item);
    morvit::UpdateScaleFactors(recording, derived, 100, rangeMode, luts, factors);
    for (int item = 0; item < morvit::kItemCount; ++item) {
      const morvit::SampleMapper mapper(recording, derived, factors, item, 100, rangeMode, luts);
      morvit::BuildItemPage(mapper, {1, 0, false}, recording.RecordLength(), page);
      const auto source = morvit::MeasureSourceOf(recording, derived, item, &luts);
      (void)morvit::ComputeCursorStatistics(source, page, 10, 600, 0);
      for (const auto use : {morvit::AxisFor::Screen, morvit::AxisFor::Print}) {
        const morvit::AxisLimits limits =
            morvit::ItemAxisLimits(recording, derived, factors, luts, item, 100, rangeMode, use);
        (void)morvit::AxisText(limits.top);
        (void)morvit::AxisText(limits.bottom);
      }
      (void)morvit::ValueRangeText(page, 10, "C");
    }
  }
  return 0;
}
