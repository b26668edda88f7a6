#pragma once
// Everything one ignition control shares with its child windows: the recording settings, the
// engine, the measured values of the shown position, the texts, the trend selection and what the
// graph shows. One object per control; the windows only read it.
#include <array>
#include <string>

#include "controls/ignition/core/engine.h"
#include "controls/ignition/core/graph_data.h"
#include "controls/ignition/core/ign_format.h"
#include "controls/ignition/core/recording.h"
#include "controls/ignition/core/trend.h"
#include "platform/base/win_types.h"

namespace sparwen {

inline constexpr std::array<win::COLORREF, 12> kColours = {
    win::RGB(50, 49, 115),  win::RGB(43, 58, 124),  win::RGB(9, 60, 250),   win::RGB(210, 5, 254),
    win::RGB(254, 5, 175),  win::RGB(0, 167, 80),   win::RGB(163, 62, 6),   win::RGB(25, 212, 11),
    win::RGB(51, 161, 246), win::RGB(250, 194, 3),  win::RGB(255, 255, 255), win::RGB(15, 24, 177)};
inline constexpr int kBackgroundColour = 10;

// Right of the graph: the value panel or the cylinder selection bar.
enum class RightPanel { values, cylinderBar };

struct IgnitionState {
  RecordingSettings settings;
  int engineClass = 0;
  int firingCode = 0;
  int coilCode = 0;
  EngineSetup engine;  // cylinder count, firing order and the three engine texts
  int selectedPosition = 0;  // firing position (1-based) of mode 3
  int digitalPage = 1;       // value index of the panel's digital view
  int graphHeight = 0;
  int graphWidth = 0;
  bool trend = false;
  std::array<int, kMaxCylinders> trendSelection{};
  ValueTable values{};
  std::array<std::string, kValueColumns> unitTexts;
  double graphScale = 2.0;
  int sweepCount = 1;
  double gainConstant = 6.75;
  std::array<win::COLORREF, 12> colours = kColours;

  int rpm = 0;  // engine speed of the shown position, 0..9478
  std::string rpmText;
  std::string timeBaseLabel;
  std::string rangeLabel;
  RightPanel rightPanel = RightPanel::values;
  GraphData graph;

  bool Secondary() const { return settings.Secondary(); }
  int Cylinders() const { return engine.cylinderCount; }
  int DisplayMode() const { return settings.displayMode; }
  // Value fields per cylinder in a record: 4 secondary, 5 primary.
  int ValueCount() const { return Secondary() ? 4 : 5; }
  // The selected position as an index of the firing order; below 1 counts as 1.
  int SelectedIndex() const;
  // Cylinder number at firing position p (1-based), 0 outside the engine.
  int CylinderAt(int position) const;
  // Colour of cylinder c (1..8).
  win::COLORREF CylinderColour(int cylinder) const;
  ConversionSettings Conversion() const;
};

}  // namespace sparwen
