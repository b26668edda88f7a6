// make-printlayout: writes the print-layout input texts into a folder (normally Fenmark/Temp).
#include <string>
#include <string_view>

#include "tools/samples/printlayout_sample.h"
#include "tools/samples/sample_command_line.h"

int main(int argc, char** argv) {
  using namespace vetra::samples;
  PrintLayoutOptions o;
  bool noCar = false, noCustomer = false, noShop = false, noInfo = false;
  std::string info;
  CommandLine cl("make-printlayout",
                 "Writes car.dat, customsava.dat, shopinfo.dat and carinfo.txt (code page 949, CR LF).", "FOLDER");
  cl.Add({"custom", "", "name the customer file \"custom\" instead of customsava.dat", Switch(o.customerAsCustom)});
  cl.Add({"other-make", "", "workshop file starting with the no-workshop word", Switch(o.otherMake)});
  cl.Add({"lf", "", "end lines with LF alone", Switch(o.lfOnly)});
  cl.Add({"info", "TEXT", "vehicle information text (UTF-8; '|' separates lines)", TextValue(info)});
  cl.Add({"no-car", "", "leave out car.dat", Switch(noCar)});
  cl.Add({"no-customer", "", "leave out the customer file", Switch(noCustomer)});
  cl.Add({"no-shop", "", "leave out shopinfo.dat", Switch(noShop)});
  cl.Add({"no-info", "", "leave out carinfo.txt", Switch(noInfo)});
  if (!cl.Parse(argc, argv)) return 2;
  o.car = !noCar;
  o.customer = !noCustomer;
  o.shop = !noShop;
  o.carInfo = !noInfo;
  for (std::size_t start = 0; !info.empty() && start <= info.size();) {
    const std::size_t bar = info.find('|', start);
    o.carInfoLines.push_back(info.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::string error;
  return FinishWrite(WritePrintLayoutSample(o, cl.Output(), &error), cl.Output(), error);
}
