#pragma once

#include <string_view>
#include <vector>

#include "catalogue/uClass.h"
#include "writers/PascalNames.h"
#include "writers/UnitPlan.h"

namespace tarvel {

// What the user chose for every unit of a run.
struct UnitOptions {
  std::vector<SizeConstant> SizeConstants;  // the values as typed
  // Routines that ADO cannot call as they are go through PL/SQL blocks.
  bool CallsThroughBlocks = false;
};

// The three size limits, as typed, under the names the methods use.
UnitOptions SizeLimitOptions(std::string_view maxStringSize, std::string_view maxBlobSize,
                             std::string_view maxClobSize);

ConnectionUnitPlan PlanConnectionUnit(const TOraDatabase& model, const PascalNames& names,
                                      const UnitOptions& options);

// The unit of one qualifying package, written over the previous package's plan so that its
// lists keep their room.
void PlanPackageUnit(const PascalNames& names, const TOraPackage& package,
                     const UnitOptions& options, PackageUnitPlan& plan);

}  // namespace tarvel
