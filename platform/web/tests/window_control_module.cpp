// The test control as a loadable module: one class per class identifier the viewer pages name.

#include "platform/ole/ole_control.h"
#include "platform/web/tests/window_control.h"

namespace {

using vetra::web::testing::WindowControl;

template <const char* kClsid>
std::unique_ptr<win::COleControlObject> CreateAs()
{
  return std::make_unique<WindowControl>(kClsid);
}

constexpr char kTessial[] = "{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}";
constexpr char kSparwen[] = "{E8C23967-DC3C-4FC3-873A-AB0B0568A43B}";
constexpr char kQuarnel[] = "{16ABE5E4-2A48-4D8F-BD8C-E598FF00E31E}";
constexpr char kMorvit[] = "{445A50CA-88A0-445F-BD35-9DA86AAC0075}";

constexpr win::ControlClassInfo kClasses[] = {
    win::ControlClass<WindowControl>(vetra::web::testing::kWindowControlClsid, "VETRATEST.WindowCtrl.1"),
    {kTessial, "VETRATEST.TessialStandIn.1", &CreateAs<kTessial>},
    {kSparwen, "VETRATEST.SparwenStandIn.1", &CreateAs<kSparwen>},
    {kQuarnel, "VETRATEST.QuarnelStandIn.1", &CreateAs<kQuarnel>},
    {kMorvit, "VETRATEST.MorvitStandIn.1", &CreateAs<kMorvit>},
};

}  // namespace

extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
{
  static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
  return &module;
}
