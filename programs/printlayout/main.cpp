// Tolvex: lays the viewers' print capture out on a report page and prints it, or saves the
// capture as a JPG or BMP picture.

#include "programs/printlayout/capture_print_app.h"

namespace {
tolvex::CCapturePrintApp theApp;
}

int main(int argc, char** argv) { return win::AfxWinMain(argc, argv); }
