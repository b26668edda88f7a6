#include "platform/base/exceptions.h"

#include <cerrno>

namespace win {

CFileException::Cause CFileException::CauseFromErrno(int error)
{
  switch (error) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case ESPIPE:
    case EINVAL: return badSeek;
    case EIO: return hardIO;
    case EBUSY: return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;  // a file that may not grow is as full as the disk
    default: return generic;
  }
}

std::string CFileException::GetErrorMessage() const
{
  const std::string& name = m_strFileName;
  switch (m_cause) {
    case none: return "No error occurred.";
    case fileNotFound: return name + " was not found.";
    case badPath: return "All or part of the path " + name + " is invalid.";
    case tooManyOpenFiles: return name + " could not be opened because there are too many open files.";
    case accessDenied: return "Access to " + name + " was denied.";
    case invalidFile: return "An invalid file handle was associated with " + name + ".";
    case badSeek: return "An error occurred while seeking in " + name + ".";
    case hardIO: return "A hardware I/O error was reported while accessing " + name + ".";
    case sharingViolation: return "A sharing violation occurred while accessing " + name + ".";
    case lockViolation: return "A locking violation occurred while accessing " + name + ".";
    case diskFull: return "Disk full while accessing " + name + ".";
    case endOfFile: return "An attempt was made to access " + name + " past its end.";
    default: return "An unexpected error occurred while accessing " + name + ".";
  }
}

}  // namespace win
