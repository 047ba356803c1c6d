#pragma once

#include <string>

#include "writers/DelphiTypeNames.h"

namespace tarvel {

// The unit uMyOracleTypes: one Delphi record per dictionary record type the methods take or
// return, each field typed as an argument of its data type would be, one dynamic array per
// collection type and the class that reads the collections blocks send back. It uses no
// generated unit, so every package unit and uMyOracleDB can use it in their interface. Written
// only when a type is named.
extern const char kTypesUnitName[];

std::string BuildTypesUnit(const DelphiTypeNames& names);

}  // namespace tarvel
