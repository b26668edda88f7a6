// Lumbrel: turns a saved-data file into a working copy and a viewer page, and starts the page
// viewer on it.

#include "platform/base/process.h"
#include "programs/chooser/lumbrel_app.h"

int main(int argc, char** argv)
{
  return lumbrel::RunLumbrel(vetra::CommandLineText(argc, argv));
}
