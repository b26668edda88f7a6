#include "platform/ui/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <string>

namespace vetra::ui {
namespace {

// The X library's name of a core request ("X_SendEvent"), or its number.
std::string RequestName(::Display* display, int code)
{
  const std::string number = std::to_string(code);
  char name[128] = {};
  XGetErrorDatabaseText(display, "XRequest", number.c_str(), number.c_str(), name, sizeof name);
  return name;
}

int SayXError(::Display* display, XErrorEvent* error)
{
  char what[256] = {};
  XGetErrorText(display, error->error_code, what, sizeof what);
  std::fprintf(stderr, "X error: %s, request %s, resource 0x%lx: ignored\n", what,
               RequestName(display, error->request_code).c_str(), error->resourceid);
  std::fflush(stderr);
  return 0;
}

}  // namespace

void SayXErrorsAndGoOn()
{
  static const bool installed = [] {
    XSetErrorHandler(SayXError);
    return true;
  }();
  (void)installed;
}

}  // namespace vetra::ui
