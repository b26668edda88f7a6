#pragma once
// Connects the print dialogs of the window system to this printing layer: they then offer the
// real printer list and make real printer device contexts. A program that prints calls this once
// at start-up.

namespace vetra::print {

void ConnectPrintDialogs();

}  // namespace vetra::print
