#pragma once
// The set-up step that writes each built control module into the drive's control registry, so
// the page viewer finds a control by the class identifier its page names.

#include "tools/setup/drive_layout.h"

namespace vetra::setup {

void RegisterBuiltControls(const SetupOptions& options, SetupResult& result);

}  // namespace vetra::setup
