#pragma once
// The one exception type of the system's own code: a failure the zip reader detected itself.
// File-layer failures pass through as win::CFileException instead.

#include <string>

#include "platform/base/exceptions.h"
#include "platform/base/win_types.h"

namespace unzip {

class CZipException : public win::CException {
public:
  enum Cause {
    none = 0,
    generic = 1,
    streamEnd = 2,      // the deflate stream ended before the entry's declared size
    needDict = 3,
    errNo = 4,
    streamError = 5,
    dataError = 6,
    memError = 7,
    bufError = 8,       // no progress possible: the compressed data ran out
    versionError = 9,
    badFuncParam = 10,  // no current entry, or no entry open
    badZipFile = 11,    // not an archive this reader takes, or an inconsistent one
    badCrc = 12,        // the delivered bytes do not match the entry's CRC-32
  };

  // The codes the reader meets (zlib's return codes and its own) mapped to causes.
  static Cause CauseFromCode(int code);

  CZipException(Cause cause, std::string fileName, win::BYTE flag = 0)
      : m_cause(cause), m_fileName(std::move(fileName)), m_flag(flag) {}

  // A Korean sentence naming the archive and what is wrong with it (code page 949).
  std::string GetErrorMessage() const override;
  const char* what() const noexcept override { return "CZipException"; }

  Cause m_cause;
  std::string m_fileName;  // the archive's path; empty when it was not open
  win::BYTE m_flag;
};

}  // namespace unzip
