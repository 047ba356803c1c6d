// Rewrites the expected units and warnings of every golden case from the current code. Run it on
// purpose, then read the diff before committing it.
#include <filesystem>
#include <iostream>

#include "GoldenCases.h"
#include "run/SaveUnitFile.h"

int main() {
  using namespace tarvel;
  try {
    for (const std::string& caseName : GoldenCaseNames()) {
      const std::filesystem::path folder = GoldenFolder() / caseName;
      for (const std::string& fileName : ExpectedUnitFileNames(caseName)) {
        std::filesystem::remove(folder / fileName);
      }
      const CaseOutput output = GenerateCase(caseName);
      for (const UnitFile& unit : output.Units) {
        SaveUnitFile((folder / unit.FileName).string(), unit.Text);
      }
      // A model gives no warnings: only a case read from its dictionary stores them.
      const std::filesystem::path warnings = folder / "warnings.txt";
      std::filesystem::remove(warnings);
      if (!output.Warnings.empty()) SaveUnitFile(warnings.string(), WarningsText(output.Warnings));
      std::cout << "regenerated " << caseName << "\n";
    }
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
