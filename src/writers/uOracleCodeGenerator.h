#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "writers/UnitPlan.h"

namespace tarvel {

// Writers build a unit as its file's bytes: every line followed by CR LF.

// The whole unit of one package: one class derived from TComponent, one method per routine.
std::string BuildPackageUnit(const PackageUnitPlan& plan);

// One declaration line per method, as a class body lists its methods.
void AppendMethodDeclarations(const std::vector<MethodPlan>& methods, std::string& unit);

// The full implementation of one method of class "T" + classNamePart.
void BuildMethodImplementation(std::string_view classNamePart, const MethodPlan& method,
                               std::string& unit);

}  // namespace tarvel
