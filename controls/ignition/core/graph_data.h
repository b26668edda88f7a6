#pragma once
// What the graph window shows, kept apart from the window: the trace rows converted from the
// records' samples, the vertical gain, the zero line, the two mode-1 cursors, the engine speed and
// the trend history. The control's reading fills it; the window only draws it.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "controls/ignition/core/ign_format.h"
#include "controls/ignition/core/trend.h"

namespace sparwen {

using TraceRow = std::array<std::int16_t, kTraceLength + 2>;

// The recording settings a conversion depends on.
struct ConversionSettings {
  bool secondary = true;
  int displayMode = 2;
  int pairedFlag = 0;
  int timeBaseCode = 6;
  int sweepCount = 1;
  int cylinders = 0;
  double gainConstant = 6.75;

  // A cylinder trace of modes 1..3 has four pieces of 375 samples at time base 0 with sweeps, else two.
  bool FourPieces() const { return timeBaseCode == 0 && sweepCount > 0; }
};

struct GraphData {
  int height = 0;  // graph height H
  int width = 0;   // drawing width: the graph rectangle's width less 5
  int cylinderSync = 0;
  std::vector<TraceRow> trace = std::vector<TraceRow>(kTraceRows, TraceRow{});
  int zeroPos = 0;    // zero line in tenths of the height: 10 minus the vertical offset
  int range = 0;      // voltage range index
  int depthStep = 0;  // mode 2: pixels between the cylinder planes
  double gain = 0;
  double offset = 1.0;
  int cursorX = 0;
  int cursor2X = 0;
  int trendSpan = kTrendPoints;
  int penWidth = 1;
  int rpm = 0;
  double divValue = 0;
  std::string unitText;
  TrendHistory trend;

  // The window's creation: sizes, cursors at a third and two thirds, traces and trend emptied.
  void Create(int graphHeight, int graphWidth, const ConversionSettings& settings);
  // Gain and depth step for the current range, trace rows 0..7 back to the zero level.
  void ResetView(const ConversionSettings& settings);
};

// Vertical gain of a range: secondary 6.75 x 14355.5 / (R / H) for R = 5000, 10000, 25000, 50000
// (a range outside 0..3 takes the last); primary 60 H / {10, 20, 60, 100, 300, 600} (H for a range
// outside the table).
double RangeGain(bool secondary, int range, int graphHeight, double gainConstant);
// Plane distance of mode 2 by cylinder count 1..12; nullopt keeps the previous step.
std::optional<int> DepthStep(int cylinders, int graphHeight);
void SetRangeGain(GraphData& graph, const ConversionSettings& settings);

// Converted count of one raw sample (before it is cut to 16 bits).
int SecondaryCount(std::uint16_t raw, double gain, double offset);
int PrimaryCount(std::uint16_t raw, double gain);

// Places one record's samples: marker = the piece number, offset = the vertical offset 0..10.
// Records with a marker outside 1..4 and rows outside 0..7 change nothing.
void ConvertFrame(GraphData& graph, const ConversionSettings& settings, std::span<const std::uint16_t, kSamplesPerRecord> samples,
                  int row, int marker, int verticalOffset);
// The second record of a pair (mode 0 only): assembles the upper trace into row 8.
void ConvertUpperFrame(GraphData& graph, const ConversionSettings& settings, std::span<const std::uint16_t, kSamplesPerRecord> samples,
                       int marker, int verticalOffset);

}  // namespace sparwen
