#pragma once

#include <string>
#include <vector>

#include "catalogue/uClass.h"
#include "common/Text.h"
#include "writers/PascalNames.h"

namespace tarvel {

// One unit as it goes to disk: its file name and its bytes.
struct UnitFile {
  std::string FileName;
  std::string Text;
};

struct GeneratedUnits {
  std::vector<UnitFile> Units;  // in writing order
  std::vector<PascalNameChange> NameChanges;
};

// The bytes of a unit file: every line's bytes as they stand, each followed by CR LF.
std::string UnitFileText(const LineList& lines);

// Every unit of one run: uMyOracleDB.pas first, then one per qualifying package in model
// order. Gives the model's Names their final Pascal form first (GivePascalNames), then fails,
// before building any unit, when two packages would give one unit name.
GeneratedUnits GenerateUnits(TOraDatabase& model, const LineList& constantLines);

}  // namespace tarvel
