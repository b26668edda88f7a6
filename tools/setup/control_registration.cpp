#include "tools/setup/control_registration.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/ole/control_registry.h"
#include "tools/setup/first_run_files.h"

namespace vetra::setup {
namespace fs = std::filesystem;
namespace {

// The controls of the product: where the build puts each module and the identity it registers.
struct ControlModule {
  std::string_view folder;  // in the build tree
  std::string_view name;    // the module is <name>.so (or lib<name>.so)
  std::string_view clsid;
  std::string_view progId;
};
constexpr ControlModule kControlModules[] = {
    {"controls/oscilloscope", "Tessial", "{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}", "TESSIAL.TessialCtrl.1"},
    {"controls/ignition", "Sparwen", "{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}", "SPARWEN.SparwenCtrl.1"},
    {"controls/scandata", "Quarnel", "{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}", "BRINDLE.BrindleCtrl.1"},
    {"controls/roadtest", "Morvit", "{445A50CA-88A0-445F-BD35-9DA86AAC0075}", "MORVIT.MorvitCtrl.1"},
    {"controls/download", "Pakrel", "{2BF4F112-70B3-468E-B322-63C099C00D11}", "PAKREL.PakrelCtrl.1"},
};

fs::path BuiltModule(const ControlModule& module, const fs::path& buildDir)
{
  std::error_code ec;
  const fs::path folder = fs::absolute(buildDir / module.folder, ec).lexically_normal();
  for (const std::string& file : {std::string(module.name) + ".so", "lib" + std::string(module.name) + ".so"}) {
    if (fs::is_regular_file(folder / file, ec)) return folder / file;
  }
  return {};
}

}  // namespace

void RegisterBuiltControls(const SetupOptions& options, SetupResult& result)
{
  for (const ControlModule& module : kControlModules) {
    const fs::path built = BuiltModule(module, options.buildDir);
    if (built.empty()) {
      Report(result, true, "left out control " + std::string(module.name) + " (not built)");
      continue;
    }
    const win::ControlRegistration entry{std::string(module.clsid), std::string(module.progId), built.string()};
    if (win::ControlRegistry::Find(module.clsid) == entry) continue;
    if (win::ControlRegistry::Register(entry)) {
      Report(result, true, "registered control " + std::string(module.name) + " -> " + built.string());
    } else {
      Report(result, false, "cannot register control " + std::string(module.name));
    }
  }
}

}  // namespace vetra::setup
