#pragma once

#include <string>

#include "common/Text.h"

namespace tarvel {

// The bytes of a unit file: every line's bytes as they stand, each followed by CR LF.
std::string UnitFileText(const LineList& lines);

// Writes through a temporary file and a rename: a failure leaves an older file intact and no
// temporary behind, and fails with "Unable to write to <path>: <reason>".
void SaveUnitFile(const std::string& path, const LineList& lines);

// The same, but a file that already holds exactly this text is left untouched. Returns whether
// the file was written.
bool SaveUnitFileIfChanged(const std::string& path, const LineList& lines);

}  // namespace tarvel
