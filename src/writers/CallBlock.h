#pragma once

#include <string_view>

#include "catalogue/uClass.h"
#include "writers/DelphiTypeNames.h"
#include "writers/UnitPlan.h"

namespace tarvel {

// A routine that ADO cannot call as it is goes through an anonymous PL/SQL block: Oracle's
// provider binds SQL scalars only, so a PL/SQL BOOLEAN, a record, an XMLTYPE or an INTERVAL
// travels as scalars and is turned into its type inside the block; overloads that only their
// argument names tell apart are called by name.

// Whether the routine's method calls it through a block. Named notation is the only way to
// reach an overload that another overload of its name matches by position.
bool IsCalledThroughBlock(const TOraProcedure& routine, bool hasPositionalTwin);

// Whether the block's text depends on the number of elements the caller passes: the routine
// takes an IN or IN OUT collection.
bool GrowsWithElements(const TOraProcedure& routine);

// The block of one routine as the method's call: its lines, its parameters in the order of its
// "?" marks and its read-backs; the method's header is planned. packageDbName is empty for a
// routine outside packages. Record fields are read and written under the names `recordTypes`
// gives them.
void BuildCallBlock(std::string_view packageDbName, const TOraProcedure& routine,
                    const DelphiTypeNames& recordTypes, MethodPlan& method);

}  // namespace tarvel
