#pragma once
// Reduction of an item's samples under a page to at most 1450 points: one point per sample on a
// sparse page, a minimum/maximum pair per column on a dense one, an even spread over the whole
// recording in the full view. The same pass fills the per-column values the measurements read.
#include <array>
#include <cstdint>
#include <string>

#include "controls/roadtest/core/scales.h"

namespace morvit {

inline constexpr int kMaxPoints = 1450;
inline constexpr int kValueColumns = 710;

// Scale combo entries: 0 = the whole recording, then samples per column.
inline constexpr std::array<int, 10> kScaleOfEntry = {0, 1, 2, 5, 10, 25, 50, 100, 200, 500};
// Entries of the scale combos for a record-length code ("1:500" is left out for code 4).
int ScaleEntryCount(int recordLengthCode);
// The scale combo entry of samples per column S (0 for a scale the combos do not offer).
int EntryOfScale(int scale);

enum class Builder { None, Points, Pairs, FullView };

struct BuilderChoice {
  Builder builder = Builder::None;
  int step = 0;  // samples per window of the pairs
};
// The builder of a page of `scale` samples per column for an item of `rate`.
BuilderChoice ChooseBuilder(int scale, int rate, bool zoomView);

struct GraphPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

enum class DrawingKind { Points0 = 0, Pairs = 1, Points = 2 };

// What one build leaves for the drawing and the measurement of an item.
struct ItemPage {
  std::array<GraphPoint, kMaxPoints> points{};
  int count = 0;
  DrawingKind drawing = DrawingKind::Points0;
  std::array<double, kValueColumns> columnMax{};
  std::array<double, kValueColumns> columnMin{};
  bool pairsBuilder = false;  // builder kind: pairs (true) or points
  int step = 0;
  std::array<std::int32_t, kColumns> windowLengths{};  // the full view's
  bool fullView = false;
};

struct PageView {
  int scale = 0;             // samples per column; 0 = the whole recording
  std::int64_t start = 0;    // full-rate sample at column 0
  bool zoomView = false;
};

// Folds the raw samples at indexes from .. from + length - 1 into a running largest and smallest
// value; indexes outside the item's data read as kMissingSample.
void FoldWindow(const SampleMapper& mapper, std::int64_t from, std::int64_t length, int& max, int& min);

// The largest and smallest raw sample of every column of an item's full view, kept for as long as
// the item's samples stay as they are: the full view repaints without reading every sample again.
struct FullViewFold {
  const ChannelSamples* samples = nullptr;
  std::uint64_t generation = 0;
  std::int64_t recordLength = 0;
  int rate = 0;
  std::array<std::int16_t, kColumns> max{};
  std::array<std::int16_t, kColumns> min{};
  std::array<std::int32_t, kColumns> lengths{};
};

// Builds the page of an item. `recordLength` is that of the recording. A full view reads its
// columns from `fold` when that holds them for the item's samples as they are, and leaves them
// there otherwise.
void BuildItemPage(const SampleMapper& mapper, const PageView& view, std::int64_t recordLength, ItemPage& page,
                   FullViewFold* fold = nullptr);

// Seconds from the trigger point of a full-rate sample.
double SampleTime(std::int64_t sample, std::int64_t recordLength, std::int64_t postTrigger);
// Full-rate sample under a cursor column.
std::int64_t SampleUnderColumn(int column, const PageView& view, std::int64_t recordLength);
// The cursor time label "%7.4f 초" (CP949); the stacked graphs of the normal view show a negative
// zero as "0.0000 초".
std::string CursorTimeText(double seconds, bool stackedNormalView);

// Whether a paint rebuilds the page: the normal view keeps its points at scales 2..500 while only a
// cursor moved, and the full view also while playback runs.
bool NeedsRebuild(int scale, bool zoomView, int cursorSource, bool playing);

}  // namespace morvit
