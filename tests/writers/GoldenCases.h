#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ModelText.h"
#include "writers/GenerateUnits.h"

namespace tarvel {

// tests/golden: one folder per case, holding model.txt and the expected units.
std::filesystem::path GoldenFolder();
std::vector<std::string> GoldenCaseNames();
ModelText LoadGoldenCase(const std::string& caseName);

// The units a run writes for the case's model.
std::vector<UnitFile> GenerateCaseUnits(const std::string& caseName);

// The case name as a test name may spell it: letters, digits and underscores.
std::string CaseTestName(const std::string& caseName);

// The .pas files stored for a case, sorted by name.
std::vector<std::string> ExpectedUnitFileNames(const std::string& caseName);

// What a developer runs to rewrite the expected units from the current writers.
inline constexpr char kRegenerateCommand[] =
    "cmake --build <build folder> --target regenerate-golden";

}  // namespace tarvel
