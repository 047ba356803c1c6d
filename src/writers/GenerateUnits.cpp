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

std::string UnitFileText(const LineList& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

GeneratedUnits GenerateUnits(TOraDatabase& model, const LineList& constantLines) {
  GeneratedUnits generated;
  generated.NameChanges = GivePascalNames(model);
  CheckDistinctUnitNames(model);
  generated.Units.push_back({std::string(kConnectionUnitName) + ".pas",
                             UnitFileText(BuildMainUnit(model, constantLines))});
  for (const TOraPackage& package : model.Packages) {
    if (!IsQualifyingPackage(package)) continue;
    generated.Units.push_back(
        {UnitName(package) + ".pas", UnitFileText(BuildPackageUnit(package))});
  }
  return generated;
}

}  // namespace tarvel
