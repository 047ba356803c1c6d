#pragma once

#include <string>

#include "catalogue/uClass.h"
#include "common/Text.h"

namespace tarvel {

// The whole unit of one package: one class derived from TComponent, one method per routine.
LineList BuildPackageUnit(const TOraPackage& package);

// One declaration line per routine of the package, as a class body lists its methods.
void AppendMethodDeclarations(const TOraPackage& package, LineList& lines);

// Appends the full implementation of one routine's method.
void BuildMethodImplementation(const std::string& classNamePart, const std::string& packageDbName,
                               const TOraProcedure& routine, LineList& lines);

}  // namespace tarvel
