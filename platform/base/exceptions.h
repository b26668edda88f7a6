#pragma once
// The framework's exception roles. The system's own code throws none of its own except the zip
// reader's; the framework's file and Internet classes throw these.

#include <exception>
#include <string>

namespace win {

class CException : public std::exception {
public:
  // The message as the framework's standard handling would show it (code page 949).
  virtual std::string GetErrorMessage() const = 0;
  const char* what() const noexcept override { return "framework exception"; }
};

class CFileException : public CException {
public:
  enum Cause {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile,
  };

  CFileException() = default;
  CFileException(Cause cause, int osError, std::string fileName)
      : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

  std::string GetErrorMessage() const override;
  // The cause that matches a Linux errno value.
  static Cause CauseFromErrno(int error);

  Cause m_cause = none;
  long m_lOsError = 0;
  std::string m_strFileName;
};

}  // namespace win
