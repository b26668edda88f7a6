// make-roadtest: writes a road-test recording, *.DAT unpacked or *.RES packed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/base/text.h"
#include "tools/samples/lut_sample.h"
#include "tools/samples/roadtest_sample.h"
#include "tools/samples/sample_command_line.h"

int main(int argc, char** argv) {
  using namespace vetra::samples;
  RoadTestOptions o;
  bool old = false, flat = false, noDerived = false, seventyTwo = false, packed = false;
  int seed = 1;
  std::string lutFolder;
  CommandLine cl("make-roadtest",
                 "Writes a road-test recording: idle, a throttle snap and back, on up to ten sensors.\n"
                 "A name ending in .RES is packed; .DAT (or --unpacked) is not.",
                 "OUTPUT.DAT|OUTPUT.RES");
  cl.Add({"old", "", "old layout (no \"New1.00\" tag, tyre size as table indexes)", Switch(old)});
  cl.Add({"length", "CODE", "record length code 1..5 = 20 s .. 1 s at rate 50 (default 5)", IntIn(o.recordLengthCode, 1, 5)});
  cl.Add({"channels", "N", "recorded channels 1..80, the ten sensors repeated beyond ten (default 10)", IntIn(o.channels, 1, 80)});
  cl.Add({"rate", "R", "one rate for every channel: 50, 25, 10, 5, 2 or 1 (default: each its own)", IntOneOf(o.rate, {50, 25, 10, 5, 2, 1})});
  cl.Add({"no-derived", "", "leave out the derived items", Switch(noDerived)});
  cl.Add({"72", "", "channel count flag 0 (72 recorded channel records)", Switch(seventyTwo)});
  cl.Add({"lut", "N", "LUT number of the coolant temperature item (default 7)", IntIn(o.lutNumber, 0, 255)});
  cl.Add({"lut-folder", "DIR", "also write that LUT file into DIR", TextValue(lutFolder)});
  cl.Add({"tyre-width", "MM", "tyre width 150..290 (default 205)", IntIn(o.tyreWidth, 150, 290)});
  cl.Add({"tyre-aspect", "PCT", "aspect ratio 30..80 (default 60)", IntIn(o.tyreAspect, 30, 80)});
  cl.Add({"tyre-rim", "IN", "rim diameter 10..20 (default 15)", IntIn(o.tyreRim, 10, 20)});
  cl.Add({"rpm", "N", "idle speed 500..1500 (default 800)", IntIn(o.idleRpm, 500, 1500)});
  cl.Add({"packed", "", "pack whatever the name says", Switch(packed)});
  cl.Add({"unpacked", "", "do not pack whatever the name says", Switch(flat)});
  cl.Add({"maker", "TEXT", "maker (UTF-8)", TextValue(o.maker)});
  cl.Add({"model", "TEXT", "model (UTF-8)", TextValue(o.model)});
  cl.Add({"plate", "TEXT", "vehicle number (UTF-8)", TextValue(o.plate)});
  cl.Add({"seed", "N", "noise seed (default 1)", IntIn(seed, 0, 1 << 30)});
  if (!cl.Parse(argc, argv)) return 2;
  o.layout = old ? RoadTestLayout::Old : RoadTestLayout::New;
  o.derived = !noDerived;
  o.allEighty = !seventyTwo;
  o.seed = static_cast<unsigned>(seed);
  const std::string& out = cl.Output();
  const bool resName = out.size() >= 4 && vetra::EqualsNoCase(out.substr(out.size() - 4), ".RES");
  o.packed = packed || (resName && !flat);
  std::string error;
  if (!lutFolder.empty() && !WriteLutSample({.number = o.lutNumber}, lutFolder, &error)) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return 1;
  }
  return FinishWrite(WriteRoadTestSample(o, out, &error), out, error);
}
