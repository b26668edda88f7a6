// The control registry file on arbitrary bytes: lookups in every spelling, then a registration
// that rewrites the file, must neither crash nor return an entry without its identifier.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static const vetra::testing::TempDrive drive;  // removed when the run ends
  drive.WriteFile("Windows/VetraControls.ini", std::string_view(reinterpret_cast<const char*>(data), size));
  for (const win::ControlRegistration& entry : win::ControlRegistry::All()) {
    if (entry.clsid.empty()) std::abort();
    if (!win::ControlRegistry::Find(entry.clsid)) std::abort();
  }
  (void)win::ControlRegistry::Find("clsid:5dbcf725-08dd-4b2d-b8c4-714df8e6956c");
  (void)win::ControlRegistry::Find(std::string_view(reinterpret_cast<const char*>(data), size < 64 ? size : 64));
  win::ControlRegistry::Register({"{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}", "QUARNEL.QuarnelCtrl.1", "/x.so"});
  if (!win::ControlRegistry::Find("{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}")) std::abort();
  return 0;
}
