#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalogue/uClass.h"
#include "writers/PascalNames.h"
#include "writers/UnitPlanner.h"

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

// The final Pascal names of the model (ResolvePascalNames); fails, before any unit is built, when
// two packages would give one unit name.
PascalNames NameUnits(const TOraDatabase& model);

// The file names of the units below, in their order.
std::vector<std::string> UnitFileNames(const TOraDatabase& model, const PascalNames& names);

// Every unit of a model under its final names: uMyOracleDB.pas first, then one per qualifying
// package in model order, each built when its turn comes, so that only one unit's text is held at a
// time.
void BuildUnits(const TOraDatabase& model, const PascalNames& names, const UnitOptions& options,
                const std::function<void(const UnitFile&)>& take);

// The two in turn, with every unit kept.
GeneratedUnits GenerateUnits(const TOraDatabase& model, const UnitOptions& options);

}  // namespace tarvel
