// Rewrites the expected units of every golden case from the current writers. Run it on purpose,
// then read the diff before committing it.
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
      for (const UnitFile& unit : GenerateCaseUnits(caseName)) {
        SaveUnitFile((folder / unit.FileName).string(), unit.Text);
      }
      std::cout << "regenerated " << caseName << "\n";
    }
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
