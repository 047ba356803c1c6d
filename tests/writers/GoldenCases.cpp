#include "GoldenCases.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "DictionaryCase.h"
#include "Files.h"

namespace tarvel {

std::filesystem::path GoldenFolder() {
  return std::filesystem::path(TARVEL_SOURCE_DIR) / "tests" / "golden";
}

namespace {

std::filesystem::path CaseFile(const std::string& caseName, const char* fileName) {
  return GoldenFolder() / caseName / fileName;
}

bool IsModelCase(const std::string& caseName) {
  return std::filesystem::exists(CaseFile(caseName, "model.txt"));
}

}  // namespace

std::vector<std::string> GoldenCaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(GoldenFolder())) {
    const std::string name = entry.path().filename().string();
    if (IsModelCase(name) || std::filesystem::exists(CaseFile(name, "dictionary.sql"))) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

ModelText LoadGoldenCase(const std::string& caseName) {
  return ParseModelText(tarvel::testing::ReadWholeFile(CaseFile(caseName, "model.txt").string()));
}

CompileExpectation CaseCompileExpectation(const std::string& caseName) {
  return IsModelCase(caseName) ? LoadGoldenCase(caseName).Compile : CompileExpectation::Compiles;
}

CaseOutput GenerateCase(const std::string& caseName) {
  if (!IsModelCase(caseName)) {
    DictionaryCaseRun run = RunDictionaryCase(GoldenFolder() / caseName);
    return {std::move(run.Units), std::move(run.Warnings)};
  }
  ModelText model = LoadGoldenCase(caseName);
  return {GenerateUnits(*model.Database, model.Options).Units, {}};
}

std::vector<std::string> ExpectedWarnings(const std::string& caseName) {
  const std::filesystem::path path = CaseFile(caseName, "warnings.txt");
  std::vector<std::string> warnings;
  if (!std::filesystem::exists(path)) return warnings;
  std::istringstream lines(tarvel::testing::ReadWholeFile(path.string()));
  for (std::string line; std::getline(lines, line);) warnings.push_back(line);
  return warnings;
}

std::string WarningsText(const std::vector<std::string>& warnings) {
  std::string text;
  for (const std::string& warning : warnings) text += warning + "\n";
  return text;
}

std::string CaseTestName(const std::string& caseName) {
  std::string name = caseName;
  for (char& c : name) {
    const bool letterOrDigit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letterOrDigit) c = '_';
  }
  return name;
}

std::vector<std::string> ExpectedUnitFileNames(const std::string& caseName) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(GoldenFolder() / caseName)) {
    if (entry.path().extension() == ".pas") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tarvel
