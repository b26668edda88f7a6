#pragma once
// Installed-version files of the report module folder: FenmarkVersion.Dat (report program),
// FenmarkVersion2.Dat (editing program) and ViewerVersion.Dat (saved-data viewer), each one
// decimal number as text.

#include <filesystem>
#include <optional>
#include <string>

namespace vetra::samples {

struct VersionOptions {
  std::optional<double> report = 1.30;  // nothing: the file is not written
  std::optional<double> editor = 1.20;
  std::optional<double> viewer = 1.05;
};

bool WriteVersionSample(const VersionOptions& options, const std::filesystem::path& folder,
                        std::string* error = nullptr);

}  // namespace vetra::samples
