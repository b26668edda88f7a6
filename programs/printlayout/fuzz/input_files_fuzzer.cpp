// The print layout's input texts (vehicle, customer, workshop and vehicle-information files) on
// arbitrary bytes: every line may be long, cut inside a double-byte character or hold no end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/base/testing/temp_drive.h"
#include "programs/printlayout/input_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"car.dat", "customsava.dat", "shopinfo.dat", "carinfo.txt"})
    drive.WriteFile(std::string("Vetra/Fenmark/Temp/") + name, bytes);
  tolvex::ReportTexts texts;
  tolvex::ReadCarFile(texts);
  tolvex::ReadCustomerInfo(texts);
  tolvex::ReadShopInfo(texts);
  tolvex::ReadCarInfoText(texts);
  if (texts.carInfoLines < 0 || texts.carInfoLines > tolvex::kCarInfoSlots) std::abort();
  // The marker name never leads out of its folder, whatever bytes stand before a separator.
  if (texts.markerFileName.find_first_of("\\/:*\"<>|") != std::string::npos) std::abort();
  for (const std::string& piece : tolvex::CarInfoPieces(bytes))
    if (piece.size() > tolvex::kCarInfoPieceBytes) std::abort();
  return 0;
}
