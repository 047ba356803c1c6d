#pragma once

#include <string>
#include <vector>

#include "catalogue/uClass.h"

namespace tarvel {

// One identifier whose Name had to change, and the unit that declares it. A large schema has
// tens of thousands of them, so they share their texts as the model does.
struct PascalNameChange {
  SharedText UnitName;  // uMyOracleDB, or "u" + the package's final Name
  SharedText DbName;
  SharedText Name;  // the final form
};

// Gives every Name of the model its final Pascal form: a name that would not compile, or would
// silently bind a member of the generated code, gets "_" appended. DbNames stay as read.
// Returns the identifiers that changed, in model order.
std::vector<PascalNameChange> GivePascalNames(TOraDatabase& model);

}  // namespace tarvel
