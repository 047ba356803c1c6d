#pragma once

#include <string>

namespace tarvel {

// Paths are the bytes given, on the command line or in the environment: Qt's file names are
// Unicode texts, which cannot hold a name that is not UTF-8, so these go to the system as they are.

bool IsRegularFile(const std::string& path);  // or a link to one
bool IsFolder(const std::string& path);       // or a link to one

// The path from the root: a relative one is taken from the current folder.
std::string AbsolutePath(const std::string& path);

}  // namespace tarvel
