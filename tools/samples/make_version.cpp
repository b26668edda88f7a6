// make-version: writes the installed-version files into a folder (normally Vetra/Fenmark).
#include <optional>

#include "tools/samples/sample_command_line.h"
#include "tools/samples/version_sample.h"

int main(int argc, char** argv) {
  using namespace vetra::samples;
  double report = 1.30, editor = 1.20, viewer = 1.05;
  bool noReport = false, noEditor = false, noViewer = false;
  CommandLine cl("make-version", "Writes FenmarkVersion.Dat, FenmarkVersion2.Dat and ViewerVersion.Dat.", "FOLDER");
  cl.Add({"report", "V", "report program version (default 1.30)", DoubleIn(report, 0, 1e6)});
  cl.Add({"editor", "V", "editing program version (default 1.20)", DoubleIn(editor, 0, 1e6)});
  cl.Add({"viewer", "V", "saved-data viewer version (default 1.05)", DoubleIn(viewer, 0, 1e6)});
  cl.Add({"no-report", "", "leave out FenmarkVersion.Dat", Switch(noReport)});
  cl.Add({"no-editor", "", "leave out FenmarkVersion2.Dat", Switch(noEditor)});
  cl.Add({"no-viewer", "", "leave out ViewerVersion.Dat", Switch(noViewer)});
  if (!cl.Parse(argc, argv)) return 2;
  VersionOptions o;
  o.report = noReport ? std::nullopt : std::optional<double>(report);
  o.editor = noEditor ? std::nullopt : std::optional<double>(editor);
  o.viewer = noViewer ? std::nullopt : std::optional<double>(viewer);
  std::string error;
  return FinishWrite(WriteVersionSample(o, cl.Output(), &error), cl.Output(), error);
}
