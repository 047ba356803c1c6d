#pragma once

#include <string_view>

#include "catalogue/uClass.h"
#include "writers/PascalNames.h"
#include "writers/UnitPlan.h"

namespace tarvel {

// Everything one routine's method will print, written over what `method` held: a run plans
// hundreds of thousands of methods, and the lists of the last plan keep their room. The
// package's DbName is empty for a routine outside packages. With callsThroughBlocks, a routine
// that ADO cannot call as it is goes through a PL/SQL block.
// Whether the routine's method takes or returns a record, whose type the types unit declares.
bool TakesRecords(const TOraProcedure& routine);

void PlanMethod(const PascalNames& names, std::string_view packageDbName,
                const TOraProcedure& routine, bool callsThroughBlocks, MethodPlan& method);

}  // namespace tarvel
