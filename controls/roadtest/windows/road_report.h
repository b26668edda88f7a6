#pragma once
// The printed road-test report: one landscape page with the header, the vehicle block with the
// symptom, and the graphs as the screen shows them, in page units of 0.1 mm.
#include "controls/roadtest/core/road_model.h"
#include "controls/roadtest/windows/graph_area.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"

namespace morvit {

// Draws the report page on a device context already in MM_LOMETRIC.
void DrawRoadReport(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets);

// The print job: the print dialog, then one page on the chosen printer; the control's graph area
// is redrawn after it. False when nothing was printed (cancelled, no printer, a failed job).
bool PrintRoadReport(win::CWnd& control, RoadModel& model, const ItemOffsets& offsets);

}  // namespace morvit
