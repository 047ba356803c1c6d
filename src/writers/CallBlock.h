#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/uClass.h"

namespace tarvel {

// A routine that ADO cannot call as it is goes through an anonymous PL/SQL block: Oracle's
// provider binds SQL scalars only, so a PL/SQL BOOLEAN travels as a number and is turned into
// one inside the block; overloads that only their argument names tell apart are called by name.

// One Parameters.CreateParameter call, in the order of the block's "?" marks.
struct BlockParameter {
  std::string AdoName;  // unique in the method ignoring case, as ParamByName matches
  std::string_view FieldType;
  std::string_view Direction;
  std::string Size;   // the Pascal size expression
  std::string Value;  // the Pascal value sent: the caller's, or Null for an output
};

// One value copied back to the caller after the call.
struct BlockReadBack {
  std::size_t Parameter;  // index into CallBlock::Parameters
  std::string_view Target;
  bool FromNumber = false;  // a BOOLEAN carried as a number: 1 is true
  std::string_view Default;
};

struct CallBlock {
  std::vector<std::string> Lines;  // the PL/SQL text, one line each, without line ends
  std::vector<BlockParameter> Parameters;
  std::vector<BlockReadBack> ReadBacks;  // the function result first, then in argument order
};

// Whether the routine's method calls it through a block. Named notation is the only way to
// reach an overload that another overload of its name matches by position.
bool IsCalledThroughBlock(const TOraProcedure& routine, bool hasPositionalTwin);

// The block of one routine; packageDbName is empty for a routine outside packages.
CallBlock BuildCallBlock(std::string_view packageDbName, const TOraProcedure& routine);

}  // namespace tarvel
