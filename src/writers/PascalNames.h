#pragma once

#include <string>
#include <vector>

#include "catalogue/uClass.h"

namespace tarvel {

// One identifier whose Name had to change, and the unit that declares it.
struct PascalNameChange {
  std::string UnitName;  // uMyOracleDB, or "u" + the package's final Name
  std::string DbName;
  std::string Name;  // the final form
};

// Gives every Name of the model its final Pascal form: a name that would not compile, or would
// silently bind a member of the generated code, gets "_" appended. DbNames stay as read.
// Returns the identifiers that changed, in model order.
std::vector<PascalNameChange> GivePascalNames(TOraDatabase& model);

}  // namespace tarvel
