#pragma once

#include <string_view>

#include "catalogue/uClass.h"
#include "writers/UnitPlan.h"

namespace tarvel {

// How a value of a field type and Delphi type is bound and read back, whichever way the method
// calls its routine.

// The size given to CreateParameter: an input passes its own length, an output the configured
// maximum; other types their size. The operand is the Pascal value bound.
PascalExpression SizeExpression(const TOraParameter& parameter, std::string_view direction,
                                std::string_view operand);

// Whether the caller gets the value back after the call: every direction but an input.
bool IsReadBack(const TOraParameter& parameter);

// The assignment's tail when an output comes back NULL, such as " := 0;".
std::string_view ReadBackDefault(const TOraParameter& output);

}  // namespace tarvel
