#pragma once
// The interface between a control module (a loadable .so) and the loader.
//
// A module exports one C function, `VetraControlModuleEntry`, that returns a description of the
// controls it holds. The module is built against the same platform libraries as the program that
// loads it and takes their symbols from that program (the program exports them), so a control in
// a module shares the program's windows, clock and trace.
//
//   extern "C" const win::ControlModuleInfo* VetraControlModuleEntry();

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/ole/ole_control_object.h"

namespace win {

inline constexpr std::uint32_t kControlModuleAbi = 1;
inline constexpr const char* kControlModuleEntryName = "VetraControlModuleEntry";

struct ControlClassInfo {
  const char* clsid;   // any spelling ParseGuid accepts
  const char* progId;
  std::unique_ptr<COleControlObject> (*create)();
};

struct ControlModuleInfo {
  std::uint32_t abiVersion = kControlModuleAbi;
  const ControlClassInfo* classes = nullptr;
  std::size_t classCount = 0;
};

using ControlModuleEntry = const ControlModuleInfo* (*)();

}  // namespace win
