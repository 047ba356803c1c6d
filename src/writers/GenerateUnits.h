#pragma once

#include <functional>
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

// Gives the model's Names their final Pascal form (GivePascalNames), then fails, before any unit
// is built, when two packages would give one unit name.
std::vector<PascalNameChange> NameUnits(TOraDatabase& model);

// The file names of the units below, in their order.
std::vector<std::string> UnitFileNames(const TOraDatabase& model);

// Every unit of a named model: uMyOracleDB.pas first, then one per qualifying package in model
// order, each built when its turn comes, so that only one unit's text is held at a time. With
// callsThroughBlocks, routines that ADO cannot call as they are go through PL/SQL blocks.
void BuildUnits(const TOraDatabase& model, const LineList& constantLines, bool callsThroughBlocks,
                const std::function<void(const UnitFile&)>& take);

// The two in turn, with every unit kept.
GeneratedUnits GenerateUnits(TOraDatabase& model, const LineList& constantLines,
                             bool callsThroughBlocks);

}  // namespace tarvel
