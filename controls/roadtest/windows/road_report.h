#pragma once
// The printed road-test report: one landscape page with the header, the vehicle block with the
// symptom, and the graphs as the screen shows them, in page units of 0.1 mm.
#include <string>

#include "controls/roadtest/core/road_model.h"
#include "controls/roadtest/windows/graph_area.h"
#include "platform/gdi/cdc.h"
#include "platform/ui/cwnd.h"

namespace morvit {

// What the control says when a print job fails (code page 949).
std::string PrintFailedText();

// Draws the report page on a device context already in MM_LOMETRIC.
void DrawRoadReport(win::CDC& dc, RoadModel& model, const ItemOffsets& offsets);

// The print job: the print dialog, then one page on the chosen printer; the control's graph area
// is redrawn after it. A job that cannot be started or whose document cannot be written or sent
// has failed; the caller says so.
enum class ReportPrint { printed, cancelled, failed };
ReportPrint PrintRoadReport(win::CWnd& control, RoadModel& model, const ItemOffsets& offsets);

}  // namespace morvit
