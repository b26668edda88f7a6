// vetra-regctl: the registration step of a control module. Writes (or removes) a control's class
// identifier, ProgID and module path in the drive's control registry.
//
//   vetra-regctl <class identifier> <ProgID> <module path>
//   vetra-regctl /u <class identifier>

#include <cstdio>
#include <string>

#include "platform/ole/control_registry.h"

int main(int argc, char** argv)
{
  if (argc == 3 && std::string(argv[1]) == "/u") {
    if (win::ControlRegistry::Unregister(argv[2])) return 0;
    std::fprintf(stderr, "vetra-regctl: cannot unregister %s\n", argv[2]);
    return 1;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: vetra-regctl <class identifier> <ProgID> <module path>\n"
                         "       vetra-regctl /u <class identifier>\n");
    return 2;
  }
  if (!win::ParseGuid(argv[1])) {
    std::fprintf(stderr, "vetra-regctl: not a class identifier: %s\n", argv[1]);
    return 1;
  }
  if (!win::ControlRegistry::Register({argv[1], argv[2], argv[3]})) {
    std::fprintf(stderr, "vetra-regctl: cannot write the control registry\n");
    return 1;
  }
  return 0;
}
