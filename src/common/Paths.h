#pragma once

#include <sys/types.h>

#include <string>

namespace tarvel {

// Paths are the bytes given, on the command line or in the environment: Qt's file names are
// Unicode texts, which cannot hold a name that is not UTF-8, so these go to the system as they are.

bool IsRegularFile(const std::string& path);  // or a link to one
bool IsFolder(const std::string& path);       // or a link to one

// Makes the folder and every missing one above it; 0, or the system's error number of the first
// that could not be made (ENOTDIR where a file stands in the way).
int CreateFolderWithParents(const std::string& path);

// Replaces the file with the text through a new file beside it and a rename, keeping an older
// file's permissions: a failure leaves the older file and no temporary. False when it failed.
bool ReplaceFile(const std::string& path, const std::string& text);

// Writes the whole text, going on after an interrupted write; false with errno set when it failed.
bool WriteAll(int fd, const std::string& text);

// The permissions a new file gets under the process's umask.
mode_t NewFileMode();

// The path from the root: a relative one is taken from the current folder.
std::string AbsolutePath(const std::string& path);

}  // namespace tarvel
