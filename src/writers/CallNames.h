#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/uClass.h"
#include "writers/UnitPlan.h"

namespace tarvel {

// A cursor argument or result creates no parameter: it arrives as a result set.
bool IsCursorParameter(const TOraParameter& parameter);

// A dictionary name exactly as the dictionary gives it: in double quotes, each '"' doubled.
std::string QuotedName(std::string_view dbName);

// A package or routine name as the call text writes it: an ordinary Oracle identifier as it
// stands, any other name in double quotes with each '"' doubled. Oracle reads an unquoted name in
// upper case, and a name holding ";" or "}" would add statements of its own to the call.
std::string CallTextName(std::string_view dbName);

// The names one method gives its parameters, by which ParamByName finds each again, in binding
// order: ParamByName ignores case, so a name equal to an earlier one ignoring ASCII case gets "_"
// appended until it is not. An element's name, made at run time, holds "(" and stays as it is.
void MakeAdoNamesUnique(std::vector<BoundParameter>& parameters);

}  // namespace tarvel
