#pragma once

#include <string>

#include "catalogue/uClass.h"
#include "common/Text.h"

namespace tarvel {

// The whole unit of one package: one class derived from TComponent, one method per routine.
LineList BuildPackageUnit(const TOraPackage& package);

// Declaration form with an empty class name part, implementation form ("TName.Method") otherwise.
std::string BuildMethodHeader(const std::string& classNamePart, const TOraProcedure& routine);

std::string BuildArgumentDeclaration(const TOraParameter& argument);

// Appends the full implementation of one routine's method.
void BuildMethodImplementation(const std::string& classNamePart, const std::string& packageDbName,
                               const TOraProcedure& routine, LineList& lines);

std::string BuildCommandText(const std::string& packageDbName, const TOraProcedure& routine);
std::string BuildCreateParameter(const TOraParameter& parameter);
std::string BuildSizeExpression(const TOraParameter& parameter);
void BuildExecutionAndOutputs(const TOraProcedure& routine, LineList& lines);

}  // namespace tarvel
