// make-lut: writes a road-test conversion table Lut<NN>.DAT into a folder (normally Data/LUT).
#include "tools/samples/lut_sample.h"
#include "tools/samples/sample_command_line.h"

int main(int argc, char** argv) {
  using namespace vetra::samples;
  LutOptions o;
  bool linear = false;
  CommandLine cl("make-lut", "Writes Lut<NN>.DAT: 256 doubles, the value of each raw byte.", "FOLDER");
  cl.Add({"number", "N", "table number 0..255 (default 7)", IntIn(o.number, 0, 255)});
  cl.Add({"linear", "", "a linear table from --low to --high; default a coolant sensor curve in C", Switch(linear)});
  cl.Add({"low", "VALUE", "value of byte 0 (linear; default 0)", DoubleIn(o.low, -1e9, 1e9)});
  cl.Add({"high", "VALUE", "value of byte 255 (linear; default 100)", DoubleIn(o.high, -1e9, 1e9)});
  if (!cl.Parse(argc, argv)) return 2;
  o.kind = linear ? LutKind::Linear : LutKind::CoolantNtc;
  std::string error;
  const std::string path = cl.Output() + "/" + LutFileName(o.number);
  return FinishWrite(WriteLutSample(o, cl.Output(), &error), path, error);
}
