#include "GoldenCases.h"

#include <algorithm>

#include "Files.h"

namespace tarvel {

std::filesystem::path GoldenFolder() {
  return std::filesystem::path(TARVEL_SOURCE_DIR) / "tests" / "golden";
}

std::vector<std::string> GoldenCaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(GoldenFolder())) {
    if (std::filesystem::exists(entry.path() / "model.txt")) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

ModelText LoadGoldenCase(const std::string& caseName) {
  return ParseModelText(
      tarvel::testing::ReadWholeFile((GoldenFolder() / caseName / "model.txt").string()));
}

std::vector<UnitFile> GenerateCaseUnits(const std::string& caseName) {
  ModelText model = LoadGoldenCase(caseName);
  return GenerateUnits(*model.Database, model.Options).Units;
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
