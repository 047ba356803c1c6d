#include "writers/GenerateUnits.h"

#include <unordered_map>

#include "common/Error.h"
#include "common/Text.h"
#include "writers/TypesUnit.h"
#include "writers/UnitPlanner.h"
#include "writers/uOracleCodeGenerator.h"
#include "writers/uOracleMainUnitGenerator.h"

namespace tarvel {

namespace {

constexpr const char* kConnectionUnitName = "uMyOracleDB";

std::string UnitName(const SharedText& packageName) {
  return "u" + packageName;
}

std::string UnitFileName(const SharedText& packageName) {
  return UnitName(packageName) + ".pas";
}

// Written last, and only when a method takes or returns a record.
std::string TypesUnitFileName() {
  return std::string(kTypesUnitName) + ".pas";
}

std::string ConnectionUnitFileName() {
  return std::string(kConnectionUnitName) + ".pas";
}

// Pascal unit names ignore letter case: two units of one name would not compile together, and
// on a case-blind file system one file would replace the other.
// Keyed by the upper-case name, so that thousands of packages are checked in linear time. No
// package gives uMyOracleDB: its Name gives way to the class TMyOracleDB.
void CheckDistinctUnitNames(const TOraDatabase& model, const PascalNames& names) {
  std::unordered_map<std::string, const TOraPackage*> seen;
  for (const TOraPackage& package : model.Packages) {
    if (!IsQualifyingPackage(package)) continue;
    const auto [entry, added] = seen.emplace(AsciiUpper(names.of(package)), &package);
    if (!added) {
      const TOraPackage& earlier = *entry->second;
      throw TarvelError("Packages " + earlier.DbName + " and " + package.DbName +
                        " both give the unit name " + UnitName(names.of(earlier)));
    }
  }
}

}  // namespace

PascalNames NameUnits(const TOraDatabase& model) {
  PascalNames names = ResolvePascalNames(model);
  CheckDistinctUnitNames(model, names);
  return names;
}

std::vector<std::string> UnitFileNames(const TOraDatabase& model, const PascalNames& names) {
  std::vector<std::string> fileNames{ConnectionUnitFileName()};
  for (const TOraPackage& package : model.Packages) {
    if (IsQualifyingPackage(package)) fileNames.push_back(UnitFileName(names.of(package)));
  }
  if (!names.types().empty()) fileNames.push_back(TypesUnitFileName());
  return fileNames;
}

void BuildUnits(const TOraDatabase& model, const PascalNames& names, const UnitOptions& options,
                const std::function<void(const UnitFile&)>& take) {
  take({ConnectionUnitFileName(), BuildMainUnit(PlanConnectionUnit(model, names, options))});
  PackageUnitPlan plan;
  for (const TOraPackage& package : model.Packages) {
    if (!IsQualifyingPackage(package)) continue;
    PlanPackageUnit(names, package, options, plan);
    take({UnitFileName(names.of(package)), BuildPackageUnit(plan)});
  }
  if (!names.types().empty()) take({TypesUnitFileName(), BuildTypesUnit(names.types())});
}

GeneratedUnits GenerateUnits(const TOraDatabase& model, const UnitOptions& options) {
  GeneratedUnits generated;
  const PascalNames names = NameUnits(model);
  generated.NameChanges = names.changes();
  BuildUnits(model, names, options, [&](const UnitFile& unit) { generated.Units.push_back(unit); });
  return generated;
}

}  // namespace tarvel
