#include "platform/ole/control_loader.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "platform/base/drive.h"
#include "platform/ole/control_module.h"
#include "platform/ole/control_registry.h"

namespace win {
namespace {

struct LoaderState {
  std::mutex mutex;
  std::map<GUID, ControlLoader::Factory> factories;
  // Modules stay loaded for the life of the process: their code may still run in objects and
  // callbacks that outlive one page.
  std::map<std::string, const ControlModuleInfo*> modules;
};

LoaderState& State()
{
  static LoaderState state;
  return state;
}

void SetError(std::string* error, std::string text)
{
  if (error != nullptr) *error = std::move(text);
}

const ControlModuleInfo* LoadModule(const std::string& modulePath, std::string* error)
{
  LoaderState& state = State();
  const std::string linuxPath = vetra::MapPath(modulePath).string();
  if (auto it = state.modules.find(linuxPath); it != state.modules.end()) return it->second;
  void* handle = dlopen(linuxPath.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    SetError(error, "cannot load " + modulePath + ": " + (reason ? reason : "unknown reason"));
    return nullptr;
  }
  auto entry = reinterpret_cast<ControlModuleEntry>(dlsym(handle, kControlModuleEntryName));
  const ControlModuleInfo* info = entry != nullptr ? entry() : nullptr;
  if (info == nullptr || info->abiVersion != kControlModuleAbi) {
    SetError(error, modulePath + " is not a control module of this system");
    dlclose(handle);
    return nullptr;
  }
  state.modules.emplace(linuxPath, info);
  return info;
}

}  // namespace

bool ControlLoader::RegisterFactory(std::string_view clsidText, Factory factory)
{
  const auto guid = ParseGuid(clsidText);
  if (!guid || !factory) return false;
  std::lock_guard lock(State().mutex);
  State().factories[*guid] = std::move(factory);
  return true;
}

void ControlLoader::UnregisterFactory(std::string_view clsidText)
{
  const auto guid = ParseGuid(clsidText);
  if (!guid) return;
  std::lock_guard lock(State().mutex);
  State().factories.erase(*guid);
}

std::unique_ptr<COleControlObject> ControlLoader::Create(std::string_view clsidText,
                                                         std::string* error)
{
  const auto guid = ParseGuid(clsidText);
  if (!guid) {
    SetError(error, "not a class identifier: " + std::string(clsidText));
    return nullptr;
  }
  Factory factory;
  {
    std::lock_guard lock(State().mutex);
    if (auto it = State().factories.find(*guid); it != State().factories.end()) factory = it->second;
  }
  if (factory) {
    auto control = factory();
    if (!control) SetError(error, "the control " + GuidText(*guid) + " could not be created");
    return control;
  }

  const auto registration = ControlRegistry::Find(clsidText);
  if (!registration) {
    SetError(error, "class not registered: " + GuidText(*guid));
    return nullptr;
  }
  const ControlModuleInfo* module = nullptr;
  {
    std::lock_guard lock(State().mutex);
    module = LoadModule(registration->modulePath, error);
  }
  if (module == nullptr) return nullptr;
  for (std::size_t i = 0; i < module->classCount; ++i) {
    const ControlClassInfo& info = module->classes[i];
    if (ParseGuid(info.clsid) == guid && info.create != nullptr) {
      auto control = info.create();
      if (!control) SetError(error, "the control " + GuidText(*guid) + " could not be created");
      return control;
    }
  }
  SetError(error, registration->modulePath + " does not hold " + GuidText(*guid));
  return nullptr;
}

bool ControlLoader::RegisterModule(const std::string& modulePath, std::string* error)
{
  const ControlModuleInfo* module = nullptr;
  {
    std::lock_guard lock(State().mutex);
    module = LoadModule(modulePath, error);
  }
  if (module == nullptr) return false;
  if (module->classCount == 0) {
    SetError(error, modulePath + " holds no control");
    return false;
  }
  for (std::size_t i = 0; i < module->classCount; ++i) {
    const ControlClassInfo& info = module->classes[i];
    if (!ControlRegistry::Register({info.clsid, info.progId, modulePath})) {
      SetError(error, "cannot write the control registry for " + std::string(info.clsid));
      return false;
    }
  }
  return true;
}

}  // namespace win
