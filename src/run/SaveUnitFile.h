#pragma once

#include <string>

namespace tarvel {

// Writes through a temporary file and a rename: a failure leaves an older file intact and no
// temporary behind, and fails with "Unable to write to <path>: <reason>".
void SaveUnitFile(const std::string& path, const std::string& text);

// The same, but a file that already holds exactly this text is left untouched. Returns whether
// the file was written.
bool SaveUnitFileIfChanged(const std::string& path, const std::string& text);

enum class UnitFileState { kSame, kDiffers, kMissing };

// How the file at path stands against the unit's text; nothing is written.
UnitFileState CompareUnitFile(const std::string& path, const std::string& text);

}  // namespace tarvel
