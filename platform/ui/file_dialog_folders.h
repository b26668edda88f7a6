#pragma once
// Folders as the file dialog walks them. Drive C is spelled as the system spells it ("C:\Vetra");
// every other folder of the Linux file system by its Linux path ("/media/kim/USB"), its names in
// the system's spelling (file_names.h). Above the drives lies the computer, spelled as the empty
// text, whose entries are the drives. The drives are drive C, the user's home folder, each
// medium mounted where the desktop mounts removable media, and the root of the Linux file system.

#include <string>
#include <vector>

namespace vetra::ui {

// Where the desktop mounts media; each sub-folder of these is a medium.
struct MediaFolders {
  std::string home;                      // Linux path; empty when unknown
  std::vector<std::string> mountParents;  // Linux paths
};
// From the environment: $HOME, /media/$USER, /run/media/$USER, /media and /mnt.
MediaFolders DesktopMediaFolders();

// The drives in the order they are offered, each spelled as the dialog spells folders. Only
// folders that exist are offered; a medium's mount parent itself is not.
std::vector<std::string> FileDialogDrives(const MediaFolders& media);

// The folder as the file system spells it: ".." and "." resolved, the names' case as they are
// on disk, a Linux folder inside drive C in its drive spelling. Empty when `folder` is the
// computer or no folder.
std::string OwnSpelling(const std::string& folder);

// The folder above; the computer above a drive's root and above "/".
std::string ParentFolder(const std::string& folder);

// `name` inside `folder`, with the folder's separator.
std::string JoinFolder(const std::string& folder, const std::string& name);

// The drive of `folder` among `drives` (the longest that holds it), and the folders from below
// that drive down to `folder` itself, for the "look in" list.
std::vector<std::string> FoldersBelowDrive(const std::string& drive, const std::string& folder);
std::string DriveOf(const std::vector<std::string>& drives, const std::string& folder);

bool IsFolderPath(const std::string& path);
// True for a text that names a place by itself: a drive path, "\..." or a Linux path.
bool IsAbsolutePath(const std::string& text);

}  // namespace vetra::ui
