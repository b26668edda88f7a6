// make-scan: writes a scan-tool recording (*.SCN or *.HSN; one layout).
#include "tools/samples/sample_command_line.h"
#include "tools/samples/scan_sample.h"

int main(int argc, char** argv) {
  using namespace vetra::samples;
  ScanOptions o;
  int seed = 1;
  int start = o.startTime;
  bool inOrder = false;
  CommandLine cl("make-scan", "Writes a scan-tool recording of a short drive; items of all ten conversion types.", "OUTPUT.SCN|OUTPUT.HSN");
  cl.Add({"items", "N", "recorded items 1..100 (default 15: the whole catalogue; 10 cover every type)", IntIn(o.itemCount, 1, 100)});
  cl.Add({"samples", "N", "samples per item 1..5010 (default 600)", IntIn(o.sampleCount, 1, 5010)});
  cl.Add({"width", "N", "sample width 2 or 4 bytes (default 2)", IntOneOf(o.sampleWidth, {2, 4})});
  cl.Add({"triggers", "N", "trigger marks 0..10 (default 2)", IntIn(o.triggerCount, 0, 10)});
  cl.Add({"mark", "N", "marked sample index, 0 none (default 0)", IntIn(o.markedSample, 0, 5009)});
  cl.Add({"interval", "MS", "milliseconds between samples (default 250)", IntIn(o.intervalMs, 1, 60000)});
  cl.Add({"start", "SECONDS", "calendar seconds of the first sample", IntIn(start, 0, 2147483647)});
  cl.Add({"system", "TEXT", "system name (default SIRIUS-II; SM06 selects that system's sign words)", TextValue(o.systemText)});
  cl.Add({"ecu", "TEXT", "control unit identification", TextValue(o.ecuText)});
  cl.Add({"in-order", "", "record the items in id order", Switch(inOrder)});
  cl.Add({"seed", "N", "noise seed (default 1)", IntIn(seed, 0, 1 << 30)});
  if (!cl.Parse(argc, argv)) return 2;
  o.seed = static_cast<unsigned>(seed);
  o.startTime = start;
  o.shuffleIds = !inOrder;
  std::string error;
  return FinishWrite(WriteScanSample(o, cl.Output(), &error), cl.Output(), error);
}
