#pragma once
// Where the graph window draws in its four display modes: grid lines, time-axis ticks and their
// texts, band and plane positions, trace origins and point spacing, in the window's logical units
// (y = 0 the bottom row, upward negative). The window only draws at these places. Every step of a
// cylinder count of 0 gives nothing to draw.
#include <optional>
#include <string>
#include <vector>

#include "platform/base/win_types.h"

namespace sparwen {

struct AxisTick {
  int x = 0;          // the vertical line's x, from y = 0 to the top
  std::string text;
  int textX = 0;      // the text is drawn at (textX, -20)
  int cylinderPosition = 0;  // mode 0 at 720 degrees: firing position named above odd ticks, 0 none
};

// Points of one trace in modes 1..3: 1500 at time base 0 with sweeps, else 750.
int TracePointCount(int timeBaseCode, int sweepCount);

// The time axis of modes 1 and 3: four ticks (five for a scale with a half). W is the drawing width.
std::vector<AxisTick> StandardTimeAxis(double graphScale, int timeBaseCode, double divValue, int width);
// The time axis of mode 0: per cylinder at 720 degrees (time-base code 1), else five ticks.
std::vector<AxisTick> JikTimeAxis(int timeBaseCode, int cylinders, double divValue, int width);
// "[%s]" at (W - 50, -20).
std::string AxisUnitText(const std::string& unitText);

// Horizontal lines every 2/10 of an area A high, one through the zero line.
std::vector<int> ZeroGridYs(int zeroPos, int areaHeight, bool modeZero);
// The same lines for the upper half of the split display of mode 0.
std::vector<int> UpperZeroGridYs(int zeroPos, int areaHeight);
// Band rectangle of the split display (top 0, bottom -A as given; not reordered).
win::RECT JikBandRect(int bandPosition, int width, int areaHeight);
// x of point i of the serial trace of mode 0.
int JikPointX(int i, int width);

// Mode 1: n + 1 bands of H / (n + 1).
std::vector<int> ByunBandLineYs(int graphHeight, int cylinders);
int ByunLabelY(int j, int graphHeight, int cylinders);      // label of position n - j, drawn at (5, y)
int ByunTraceOriginY(int k, int graphHeight, int cylinders);  // window origin y of position k + 1
int TracePointX(int i, int width, int pointCount);          // modes 1 and 3
// "시간차 : %.1f %s" of the distance of the two cursors; graphWidth is the graph rectangle's width.
std::string TimeDifferenceText(int cursorX, int cursor2X, double divValue, int graphWidth, const std::string& unitText);

// Mode 2: the front plane and the planes behind it.
struct ThreeDGeometry {
  int division = 0;     // d: one time division
  int floor = 0;        // e: height below the front plane
  int shift = 0;        // sx: horizontal shift of each plane behind
  int stepLength = 0;   // L: width of a trace of the given point count
};
std::optional<ThreeDGeometry> ThreeDLayout(int width, int graphHeight, int cylinders, int pointCount);
struct DepthTick {
  AxisTick tick;        // tick from (x, 0) to (x, -e)
  win::POINT depthEnd{};  // depth line from (x, -e) to here; only with more than one cylinder
};
std::vector<DepthTick> ThreeDTimeAxis(const ThreeDGeometry& g, double graphScale, int timeBaseCode, double divValue,
                                      int width, int depthStep, int cylinders);
// Baseline of plane j: from (x0, y) to (x1, y).
struct PlaneLine {
  int x0 = 0;
  int x1 = 0;
  int y = 0;
};
PlaneLine ThreeDPlaneLine(const ThreeDGeometry& g, int j, int depthStep);
// Window origin of trace k (position n - k).
win::POINT ThreeDTraceOrigin(const ThreeDGeometry& g, int k, int depthStep, int graphHeight);
int ThreeDPointX(int i, const ThreeDGeometry& g, int pointCount);

// Cylinder names beside traces: "%d" or "?" (modes 0..2), "CYL #%d" or "CYL ?" (mode 3).
std::string TraceCylinderText(bool known, int cylinder);
std::string GaiCylinderText(bool known, int cylinder);

}  // namespace sparwen
