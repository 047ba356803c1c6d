#pragma once

#include <string>

#include "catalogue/uClass.h"

namespace tarvel {

// Writers build a unit as its file's bytes: every line followed by CR LF.

// The whole unit of one package: one class derived from TComponent, one method per routine.
std::string BuildPackageUnit(const TOraPackage& package);

// One declaration line per routine of the package, as a class body lists its methods.
void AppendMethodDeclarations(const TOraPackage& package, std::string& unit);

// Appends the full implementation of one routine's method.
void BuildMethodImplementation(const std::string& classNamePart, const std::string& packageDbName,
                               const TOraProcedure& routine, std::string& unit);

}  // namespace tarvel
