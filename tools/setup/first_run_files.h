#pragma once
// What a user finds on a freshly laid-out drive besides the programs: the skin set, the LUT
// tables, one saved recording of every kind in the folders the chooser opens, and a set of
// print-layout inputs. Files that are already there are left alone.

#include "tools/setup/drive_layout.h"

namespace vetra::setup {

void DrawSkinSet(const SetupOptions& options, SetupResult& result);
void WriteLutTables(const SetupOptions& options, SetupResult& result);
void WriteSampleRecordings(const SetupOptions& options, SetupResult& result);
void WritePrintInputs(const SetupOptions& options, SetupResult& result);

// Shared by the steps: one line for the result, failing it when `ok` is false.
void Report(SetupResult& result, bool ok, const std::string& line);

}  // namespace vetra::setup
