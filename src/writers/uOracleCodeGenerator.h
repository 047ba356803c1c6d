#pragma once

#include <string>

#include "catalogue/uClass.h"

namespace tarvel {

// Writers build a unit as its file's bytes: every line followed by CR LF.

// The whole unit of one package: one class derived from TComponent, one method per routine.
// With callsThroughBlocks, a routine that ADO cannot call as it is goes through a PL/SQL block.
std::string BuildPackageUnit(const TOraPackage& package, bool callsThroughBlocks);

// One declaration line per routine of the package, as a class body lists its methods.
void AppendMethodDeclarations(const TOraPackage& package, std::string& unit);

// Appends the full implementation of one routine's method.
void BuildMethodImplementation(const std::string& classNamePart, const std::string& packageDbName,
                               const TOraProcedure& routine, bool callsThroughBlocks,
                               std::string& unit);

}  // namespace tarvel
