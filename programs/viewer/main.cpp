// Viewer: shows the page or address it is started with.

#include "programs/viewer/viewer_app.h"

namespace {
halvor::CHalvorApp theApp;
}

int main(int argc, char** argv) { return win::AfxWinMain(argc, argv); }
