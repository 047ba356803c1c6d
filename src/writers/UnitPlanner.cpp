#include "writers/UnitPlanner.h"

#include <cstddef>
#include <string>

#include "writers/MethodPlanner.h"
#include "writers/PascalText.h"

namespace tarvel {
namespace {

bool IsOutsideEntry(const PascalNames& names, const TOraPackage& package) {
  return names.of(package).empty() && !package.Procedures.Empty();
}

// The uses clause wraps after every sixth entry of the model's list, whether that entry gives a
// unit or not; only a unit's name can end a line.
bool BreaksUsesLineAfter(std::size_t entry, std::size_t entryCount) {
  return entry > 0 && entry + 1 < entryCount && entry % 6 == 0;
}

void PlanPackageEntries(const TOraDatabase& model, const PascalNames& names,
                        ConnectionUnitPlan& plan) {
  const std::size_t count = model.Packages.Count();
  for (std::size_t i = 0; i < count; ++i) {
    const TOraPackage& package = model.Packages.Items(i);
    if (!IsQualifyingPackage(package)) continue;
    plan.Packages.push_back({names.of(package), BreaksUsesLineAfter(i, count)});
  }
}

// The sizes go in as typed, but for a hexadecimal prefix that Pascal does not know.
std::vector<SizeConstant> PascalSizeConstants(const UnitOptions& options) {
  std::vector<SizeConstant> constants;
  constants.reserve(options.SizeConstants.size());
  for (const SizeConstant& typed : options.SizeConstants) {
    constants.push_back({typed.Name, PascalIntegerText(typed.Value)});
  }
  return constants;
}

void PlanOutsideMethods(const TOraDatabase& model, const PascalNames& names,
                        const UnitOptions& options, ConnectionUnitPlan& plan) {
  for (const TOraPackage& package : model.Packages) {
    if (!IsOutsideEntry(names, package)) continue;
    for (const TOraProcedure& routine : package.Procedures) {
      PlanMethod(names, {}, routine, options.CallsThroughBlocks,
                 plan.OutsideMethods.emplace_back());
      plan.UsesTypesUnit = plan.UsesTypesUnit || TakesRecords(routine);
    }
  }
}

}  // namespace

UnitOptions SizeLimitOptions(std::string_view maxStringSize, std::string_view maxBlobSize,
                             std::string_view maxClobSize) {
  UnitOptions options;
  options.SizeConstants = {{"MAX_STRING_SIZE", std::string(maxStringSize)},
                           {"MAX_BLOB_SIZE", std::string(maxBlobSize)},
                           {"MAX_CLOB_SIZE", std::string(maxClobSize)}};
  return options;
}

ConnectionUnitPlan PlanConnectionUnit(const TOraDatabase& model, const PascalNames& names,
                                      const UnitOptions& options) {
  ConnectionUnitPlan plan;
  PlanPackageEntries(model, names, plan);
  plan.Constants = PascalSizeConstants(options);
  PlanOutsideMethods(model, names, options, plan);
  return plan;
}

void PlanPackageUnit(const PascalNames& names, const TOraPackage& package,
                     const UnitOptions& options, PackageUnitPlan& plan) {
  plan.Name = names.of(package);
  plan.Methods.resize(package.Procedures.Count());
  plan.UsesTypesUnit = false;
  plan.UsesSysUtils = false;
  std::size_t index = 0;
  for (const TOraProcedure& routine : package.Procedures) {
    MethodPlan& method = plan.Methods[index++];
    PlanMethod(names, package.DbName, routine, options.CallsThroughBlocks, method);
    plan.UsesTypesUnit = plan.UsesTypesUnit || TakesRecords(routine);
    plan.UsesSysUtils = plan.UsesSysUtils || method.Call == CallKind::kGrowingBlock;
  }
}

}  // namespace tarvel
