// Lumbrel: turns a saved-data file into a working copy and a viewer page and starts the page
// viewer on it; started without one, it shows the chooser window.

#include "programs/chooser/chooser_app.h"

namespace {
lumbrel::CLumbrelApp theApp;
}

int main(int argc, char** argv) { return win::AfxWinMain(argc, argv); }
