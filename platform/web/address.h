#pragma once
// Page addresses as the page host receives them: a Windows path through the drive, a Linux path,
// a file: URL or an http URL. Addresses are system text (code page 949).

#include <filesystem>
#include <string>
#include <string_view>

namespace vetra::web {

enum class AddressKind { Empty, Http, File, Unsupported };

struct PageAddress {
  AddressKind kind = AddressKind::Empty;
  std::string url;                   // http(s) URL as given
  std::filesystem::path localPath;   // file on Linux
};

PageAddress ClassifyAddress(std::string_view address);

// `relative` read against the page at `base` (links and script navigation); an absolute address
// is returned unchanged.
std::string CombineAddress(std::string_view base, std::string_view relative);

}  // namespace vetra::web
