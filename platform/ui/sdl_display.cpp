#include "platform/ui/display_factory.h"

namespace vetra::ui {

std::unique_ptr<Display> CreateSdlDisplay() { return nullptr; }

}  // namespace vetra::ui
