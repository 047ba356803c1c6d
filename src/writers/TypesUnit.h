#pragma once

#include <string>

#include "writers/DelphiTypeNames.h"

namespace tarvel {

// The unit uMyOracleTypes: one Delphi record per dictionary type the methods take or return,
// each field typed as an argument of its data type would be. It uses no generated unit, so every
// package unit and uMyOracleDB can use it in their interface. Written only when a type is named.
extern const char kTypesUnitName[];

std::string BuildTypesUnit(const DelphiTypeNames& names);

}  // namespace tarvel
