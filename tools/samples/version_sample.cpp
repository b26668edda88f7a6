#include "tools/samples/version_sample.h"

#include "platform/base/text.h"
#include "tools/samples/sample_bytes.h"

namespace vetra::samples {

bool WriteVersionSample(const VersionOptions& o, const std::filesystem::path& folder, std::string* error) {
  const struct {
    const char* name;
    std::optional<double> value;
  } files[] = {
      {"FenmarkVersion.Dat", o.report},
      {"FenmarkVersion2.Dat", o.editor},
      {"ViewerVersion.Dat", o.viewer},
  };
  for (const auto& f : files) {
    if (f.value && !WriteFileAtomically(folder / f.name, Format("%.2f\r\n", *f.value), error)) return false;
  }
  return true;
}

}  // namespace vetra::samples
