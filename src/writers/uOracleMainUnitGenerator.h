#pragma once

#include <string>

#include "writers/UnitPlan.h"

namespace tarvel {

// The connection unit uMyOracleDB, as its file's bytes.
std::string BuildMainUnit(const ConnectionUnitPlan& plan);

}  // namespace tarvel
