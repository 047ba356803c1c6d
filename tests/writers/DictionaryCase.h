#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "writers/GenerateUnits.h"

namespace tarvel {

// What a run writes and reports for a golden case given as dictionary rows.
struct DictionaryCaseRun {
  std::vector<UnitFile> Units;  // in writing order
  std::vector<std::string> Warnings;
};

// Runs the case folder as the program runs: its dictionary.sql becomes a snapshot, the owner
// logs on and lists it, and every entry of the list is generated with the settings of its
// config.ini (owner HR, the default sizes and no type additions when it has none).
DictionaryCaseRun RunDictionaryCase(const std::filesystem::path& caseFolder);

}  // namespace tarvel
