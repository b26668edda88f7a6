// make-ignition: writes an ignition recording (*.IG1 primary, *.IG2 secondary).
#include "tools/samples/ignition_sample.h"
#include "tools/samples/sample_command_line.h"

int main(int argc, char** argv) {
  using namespace vetra::samples;
  IgnitionOptions o;
  bool primary = false;
  bool paired = false;
  int seed = 1;
  CommandLine cl("make-ignition", "Writes an ignition recording with realistic waveforms and values.", "OUTPUT.IG1|OUTPUT.IG2");
  cl.Add({"primary", "", "primary ignition (volts, 5 values); default secondary (kilovolts, 4 values)", Switch(primary)});
  cl.Add({"class", "N", "engine class 1..4 = 3, 4, 6, 8 cylinders (default 2)", IntIn(o.engineClass, 1, 4)});
  cl.Add({"firing", "CODE", "firing code 1..30 of that class (default: the class's first)", IntIn(o.firingCode, 0, 30)});
  cl.Add({"coil", "N", "coil code 1 distributor, 2 coil per two cylinders, 3 coil per cylinder (default 3)", IntIn(o.coilCode, 1, 3)});
  cl.Add({"mode", "N", "display mode 0 Jik, 1 Byun, 2 3D, 3 Gai (default 1)", IntIn(o.displayMode, 0, 3)});
  cl.Add({"paired", "", "mode 0: two traces per step", Switch(paired)});
  cl.Add({"timebase", "CODE", "time-base code: mode 0 1..5, modes 1..3 0, 2, 3, 6 (default 2)", IntIn(o.timeBaseCode, 0, 6)});
  cl.Add({"sweep", "N", "sweep count (default 1)", IntIn(o.sweepCount, 0, 32767)});
  cl.Add({"frames", "N", "frame count: positions 0..N (default 100)", IntIn(o.frameCount, 0, 100000)});
  cl.Add({"rpm", "N", "idle speed 300..3000 (default 780)", IntIn(o.rpm, 300, 3000)});
  cl.Add({"range", "N", "initial voltage range index (default: fits the peak)", IntIn(o.rangeIndex, 0, 5)});
  cl.Add({"scale", "N", "scale byte, graph scale = N x 0.5 (default 2)", IntIn(o.scaleByte, 0, 255)});
  cl.Add({"fault", "CYL", "cylinder with an open plug lead (default none)", IntIn(o.faultyCylinder, 0, 8)});
  cl.Add({"seed", "N", "noise seed (default 1)", IntIn(seed, 0, 1 << 30)});
  if (!cl.Parse(argc, argv)) return 2;
  o.kind = primary ? IgnitionKind::Primary : IgnitionKind::Secondary;
  o.paired = paired;
  o.seed = static_cast<unsigned>(seed);
  std::string error;
  return FinishWrite(WriteIgnitionSample(o, cl.Output(), &error), cl.Output(), error);
}
