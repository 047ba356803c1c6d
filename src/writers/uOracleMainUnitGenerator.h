#pragma once

#include <string>

#include "catalogue/uClass.h"
#include "common/Text.h"

namespace tarvel {

// The connection unit uMyOracleDB for a whole model and the given constant lines, as its
// file's bytes.
std::string BuildMainUnit(const TOraDatabase& database, const LineList& constantLines);

}  // namespace tarvel
