#pragma once

#include <string>

namespace tarvel {

// One unit committed on its own (see UnitCommit): a failure leaves an older file intact and no
// temporary behind, and fails with "Unable to write to <path>: <reason>".
void SaveUnitFile(const std::string& path, const std::string& text);

// The file's bytes, its path used as given; fails with "Unable to read <path>: <reason>".
std::string ReadUnitFile(const std::string& path);

// A unit's file name must be a plain name (no separator, not "." or "..") that the folder's file
// system can hold, and a file of that name in the folder a regular file or a link to one: a FIFO
// would hang the run, a folder or a device take the unit, a dangling link send it elsewhere.
// Fails with "Unable to write to <path>: <reason>", "<path> is a folder" or "<path> is a dangling
// symbolic link".
void CheckUnitFile(const std::string& folder, const std::string& fileName);

enum class UnitFileState { kSame, kDiffers, kMissing };

// How the file at path stands against the unit's text; nothing is written. A file that cannot be
// read, or a folder that cannot be searched, fails with "Unable to read <path>: <reason>".
UnitFileState CompareUnitFile(const std::string& path, const std::string& text);

// Whether the file holds exactly this text; false where it cannot be read, which a write then
// tells.
bool FileHoldsText(const std::string& path, const std::string& text);

}  // namespace tarvel
