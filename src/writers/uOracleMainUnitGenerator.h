#pragma once

#include <string>

#include "catalogue/uClass.h"
#include "common/Text.h"

namespace tarvel {

// The connection unit uMyOracleDB for a whole model and the given constant lines, as its
// file's bytes; callsThroughBlocks as for a package unit.
std::string BuildMainUnit(const TOraDatabase& database, const LineList& constantLines,
                          bool callsThroughBlocks);

}  // namespace tarvel
