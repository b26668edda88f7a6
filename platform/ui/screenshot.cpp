#include "platform/ui/script.h"

namespace vetra::ui {

bool WriteScreenshot(const std::string&, bool) { return false; }

}  // namespace vetra::ui
