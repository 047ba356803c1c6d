#include "run/GenerationRun.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "common/Error.h"
#include "common/Text.h"
#include "run/SaveUnitFile.h"
#include "writers/uOracleCodeGenerator.h"
#include "writers/uOracleMainUnitGenerator.h"

namespace tarvel {

namespace {

constexpr const char* kConnectionUnitName = "uMyOracleDB";

LineList ConstantLines(const GenerationRequest& request) {
  return {"MAX_STRING_SIZE = " + request.maxStringSize, "MAX_BLOB_SIZE = " + request.maxBlobSize,
          "MAX_CLOB_SIZE = " + request.maxClobSize};
}

std::string UnitName(const TOraPackage& package) {
  return "u" + package.Name;
}

// Pascal unit names ignore letter case: two units of one name would not compile together, and
// on a case-blind file system one file would replace the other.
// Keyed by the upper-case name, so that thousands of packages are checked in linear time.
void CheckDistinctUnitNames(const TOraDatabase& model) {
  std::unordered_map<std::string, const TOraPackage*> seen;
  for (const TOraPackage& package : model.Packages) {
    if (!IsQualifyingPackage(package)) continue;
    if (EqualsIgnoringAsciiCase(UnitName(package), kConnectionUnitName)) {
      throw TarvelError("Package " + package.DbName + " gives the unit name " + UnitName(package) +
                        ", which the connection unit uses");
    }
    const auto [entry, added] = seen.emplace(AsciiUpper(package.Name), &package);
    if (!added) {
      const TOraPackage& earlier = *entry->second;
      throw TarvelError("Packages " + earlier.DbName + " and " + package.DbName +
                        " both give the unit name " + UnitName(earlier));
    }
  }
}

void SaveUnit(const GenerationRequest& request, RunListener& listener, const std::string& fileName,
              const LineList& lines) {
  const std::string path = request.folder + "/" + fileName;
  const bool written = request.leaveUnchangedFiles ? SaveUnitFileIfChanged(path, lines)
                                                   : (SaveUnitFile(path, lines), true);
  listener.unitSaved(path, written);
}

std::unique_ptr<TOraDatabase> ReadModel(DictionaryConnection& connection,
                                        const GenerationRequest& request, RunListener& listener) {
  try {
    return LoadDatabase(connection, AsciiUpper(request.user), request.names, listener);
  } catch (...) {
    listener.readFailed();
    throw;
  }
}

}  // namespace

void RunGeneration(DictionaryConnection& connection, const GenerationRequest& request,
                   RunListener& listener) {
  listener.pendingEvents();
  const std::unique_ptr<TOraDatabase> model = ReadModel(connection, request, listener);
  CheckDistinctUnitNames(*model);

  SaveUnit(request, listener, std::string(kConnectionUnitName) + ".pas",
           BuildMainUnit(*model, ConstantLines(request)));
  for (const TOraPackage& package : model->Packages) {
    if (!IsQualifyingPackage(package)) continue;
    SaveUnit(request, listener, UnitName(package) + ".pas", BuildPackageUnit(package));
    listener.step();
  }
}

}  // namespace tarvel
