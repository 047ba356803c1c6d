#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ModelText.h"
#include "writers/GenerateUnits.h"

namespace tarvel {

// tests/golden: one folder per case, holding its input and the expected units. The input is
// model.txt, or else dictionary.sql (with an optional config.ini), whose case also expects the
// warnings of warnings.txt, one a line.
std::filesystem::path GoldenFolder();
std::vector<std::string> GoldenCaseNames();
ModelText LoadGoldenCase(const std::string& caseName);

// A model says what Free Pascal makes of its units; a dictionary case's units must compile.
CompileExpectation CaseCompileExpectation(const std::string& caseName);

// The units a run writes for the case, in writing order, and the warnings it reports.
struct CaseOutput {
  std::vector<UnitFile> Units;
  std::vector<std::string> Warnings;
};
CaseOutput GenerateCase(const std::string& caseName);

// The warnings stored for a case: warnings.txt, or none.
std::vector<std::string> ExpectedWarnings(const std::string& caseName);
std::string WarningsText(const std::vector<std::string>& warnings);

// The case name as a test name may spell it: letters, digits and underscores.
std::string CaseTestName(const std::string& caseName);

// The .pas files stored for a case, sorted by name.
std::vector<std::string> ExpectedUnitFileNames(const std::string& caseName);

// What a developer runs to rewrite the expected units (and warnings) from the current code.
inline constexpr char kRegenerateCommand[] =
    "cmake --build <build folder> --target regenerate-golden";

}  // namespace tarvel
