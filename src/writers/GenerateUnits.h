#pragma once

#include <string>
#include <vector>

#include "catalogue/uClass.h"
#include "common/Text.h"

namespace tarvel {

// One unit as it goes to disk: its file name and its bytes.
struct UnitFile {
  std::string FileName;
  std::string Text;
};

struct GeneratedUnits {
  std::vector<UnitFile> Units;  // in writing order
};

// The bytes of a unit file: every line's bytes as they stand, each followed by CR LF.
std::string UnitFileText(const LineList& lines);

// Every unit of one run: uMyOracleDB.pas first, then one per qualifying package in model
// order. Fails before building any unit when two packages would give one unit name.
GeneratedUnits GenerateUnits(const TOraDatabase& model, const LineList& constantLines);

}  // namespace tarvel
