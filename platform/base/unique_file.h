#pragma once
// A stdio stream that closes itself. Where the result of the close counts, release() the stream
// and close it by hand.
#include <cstdio>
#include <memory>

namespace vetra {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace vetra
