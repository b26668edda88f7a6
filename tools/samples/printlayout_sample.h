#pragma once
// The print-layout program's input texts, left in the report module's Temp folder by the
// workshop software: car.dat, customsava.dat (or custom), shopinfo.dat and carinfo.txt, lines of
// code page 949 text ending in CR LF.

#include <filesystem>
#include <string>
#include <vector>

namespace vetra::samples {

struct PrintLayoutOptions {
  bool car = true, customer = true, shop = true, carInfo = true;  // which files to write
  bool customerAsCustom = false;  // name the customer file "custom" instead of "customsava.dat"
  bool otherMake = false;         // workshop file starting with "기타차종": no workshop on the page
  bool lfOnly = false;            // lines ending in LF alone
  // Vehicle information text (UTF-8 lines); empty takes the default workshop note.
  std::vector<std::string> carInfoLines;
};

bool WritePrintLayoutSample(const PrintLayoutOptions& options, const std::filesystem::path& folder,
                            std::string* error = nullptr);

}  // namespace vetra::samples
