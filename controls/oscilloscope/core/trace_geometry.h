#pragma once
// Geometry of a channel's graph window: the envelope turned into trace points, the grid, the
// cursors, the extreme markers and the column a click falls on. The window draws what these
// return.
#include <array>
#include <string>
#include <vector>

#include "controls/oscilloscope/core/measurement.h"
#include "controls/oscilloscope/core/scope_state.h"
#include "platform/base/win_types.h"

namespace tessial {

using TracePoints = std::array<win::POINT, kEnvelopeSize>;

// What the slot's window was given for its channel.
struct TraceSetup {
  int type = 0;
  double gain = 0.0;
  double offset = 0.0;
  double division = 0.0;  // the type's division value at its range
};
TraceSetup TraceSetupOf(const ScopeState& state, int slot);

// Zero shift of the type in the trace's own scale (low-current set, clamp in use, pressure).
double TraceZeroShift(const ScopeState& state, const TraceSetup& setup);
// Source points: x = i / 2, y = the scaled envelope value (1234 is half the plot height).
TracePoints SourcePoints(std::span<const std::int32_t, kEnvelopeSize> envelope, const TraceSetup& setup, double zeroShift);
// Source points before any data: everything off the bottom of the plot.
TracePoints EmptySourcePoints();
// Window coordinates (origin at the bottom row, y negative upwards) for a plot of width x height.
TracePoints ScreenPoints(const TracePoints& source, int width, int height, bool unipolar);
// The top-left of the "X" drawn at an extreme marker (envelope index, clamped to 0..1399).
win::POINT MarkerTextPoint(const TracePoints& screen, int marker, int width);
// The x of a cursor column.
int CursorX(int column, int width);
// The column a click at x falls on, 0..699.
int ClickColumn(int x, int width);

struct GridLines {
  std::vector<int> verticalX;    // empty unless the full grid is on
  std::vector<int> horizontalY;  // empty unless the full grid is on
  int zeroY = 0;                 // the zero line, always drawn
};
GridLines MakeGrid(int width, int height, bool unipolar, bool fullGrid);

// The text below a unipolar channel's zero line: "0", or the vacuum value of zero for type 7.
std::string UnipolarBottomText(int type, const UnitSelection& units);

}  // namespace tessial
