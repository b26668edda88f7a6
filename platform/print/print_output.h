#pragma once
// Where printed documents go as files. A "PDF file" print with no file named goes into the
// print folder: $VETRA_PRINT_DIR when set, else "<drive>/Vetra/Prints" (c:\Vetra\Prints).
// A document is written to a temporary file beside its destination and renamed into place only
// when it is whole, so a reader never sees half a document under the final name.

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace vetra::print {

std::filesystem::path PrintFolder();

// "<folder>/<document name> <yyyy-mm-dd hh-mm-ss>.pdf", with " (2)", " (3)"... before the
// extension when that name is taken. The document name (code page 949) is made safe as a file
// name; an empty one becomes "Document".
std::filesystem::path NewPrintFileName(const std::filesystem::path& folder, std::string_view documentName, std::time_t when);

// The destination for a caller's output name (a drive path such as "c:\\out.pdf" or a Linux path).
std::filesystem::path OutputPathOf(std::string_view output);

// A temporary file for `destination`, in the same folder; it does not exist yet.
std::filesystem::path TemporaryFileFor(const std::filesystem::path& destination);

// Moves the finished temporary file to its destination (replacing an older file there).
bool CommitFile(const std::filesystem::path& temporary, const std::filesystem::path& destination);

// Moves the finished temporary file into the print folder under a new name for the document,
// never over an existing file (not even one another process writes at the same moment).
// Returns the name it got; empty on failure (the temporary file is then removed).
std::filesystem::path CommitNewPrintFile(const std::filesystem::path& temporary, const std::filesystem::path& folder,
                                         std::string_view documentName, std::time_t when);

}  // namespace vetra::print
