// Viewer: shows the page or address it is started with.

#include "platform/base/handed_lock.h"
#include "programs/viewer/viewer_app.h"

namespace {
halvor::CHalvorApp theApp;
}

int main(int argc, char** argv)
{
  vetra::AdoptHandedLock();  // read while this program has no other thread
  return win::AfxWinMain(argc, argv);
}
