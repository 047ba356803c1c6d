#include "writers/GenerateUnits.h"

#include <unordered_map>

#include "common/Error.h"
#include "writers/uOracleCodeGenerator.h"
#include "writers/uOracleMainUnitGenerator.h"

namespace tarvel {

namespace {

constexpr const char* kConnectionUnitName = "uMyOracleDB";

std::string UnitName(const TOraPackage& package) {
  return "u" + package.Name;
}

std::string UnitFileName(const TOraPackage& package) {
  return UnitName(package) + ".pas";
}

std::string ConnectionUnitFileName() {
  return std::string(kConnectionUnitName) + ".pas";
}

// Pascal unit names ignore letter case: two units of one name would not compile together, and
// on a case-blind file system one file would replace the other.
// Keyed by the upper-case name, so that thousands of packages are checked in linear time. No
// package gives uMyOracleDB: its Name gives way to the class TMyOracleDB.
void CheckDistinctUnitNames(const TOraDatabase& model) {
  std::unordered_map<std::string, const TOraPackage*> seen;
  for (const TOraPackage& package : model.Packages) {
    if (!IsQualifyingPackage(package)) continue;
    const auto [entry, added] = seen.emplace(AsciiUpper(package.Name), &package);
    if (!added) {
      const TOraPackage& earlier = *entry->second;
      throw TarvelError("Packages " + earlier.DbName + " and " + package.DbName +
                        " both give the unit name " + UnitName(earlier));
    }
  }
}

}  // namespace

std::vector<PascalNameChange> NameUnits(TOraDatabase& model) {
  std::vector<PascalNameChange> changes = GivePascalNames(model);
  CheckDistinctUnitNames(model);
  return changes;
}

std::vector<std::string> UnitFileNames(const TOraDatabase& model) {
  std::vector<std::string> names{ConnectionUnitFileName()};
  for (const TOraPackage& package : model.Packages) {
    if (IsQualifyingPackage(package)) names.push_back(UnitFileName(package));
  }
  return names;
}

void BuildUnits(const TOraDatabase& model, const LineList& constantLines, bool callsThroughBlocks,
                const std::function<void(const UnitFile&)>& take) {
  take({ConnectionUnitFileName(), BuildMainUnit(model, constantLines, callsThroughBlocks)});
  for (const TOraPackage& package : model.Packages) {
    if (!IsQualifyingPackage(package)) continue;
    take({UnitFileName(package), BuildPackageUnit(package, callsThroughBlocks)});
  }
}

GeneratedUnits GenerateUnits(TOraDatabase& model, const LineList& constantLines,
                             bool callsThroughBlocks) {
  GeneratedUnits generated;
  generated.NameChanges = NameUnits(model);
  BuildUnits(model, constantLines, callsThroughBlocks,
             [&](const UnitFile& unit) { generated.Units.push_back(unit); });
  return generated;
}

}  // namespace tarvel
