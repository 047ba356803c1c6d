#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/uClass.h"

namespace tarvel {

// How an anonymous PL/SQL block carries one argument (or the function result) that ADO cannot
// bind as it is: through a local of the routine's own type, filled from scalar binds before the
// call and read back into scalar binds after it. A PL/SQL BOOLEAN travels as a number, a
// record, %ROWTYPE or FINAL object one field at a time, an XMLTYPE as CLOB text, an INTERVAL as
// its text.

// The type as a block declares a local of it: "OWNER"."PACKAGE"."TYPE", "OWNER"."TYPE" or
// "OWNER"."TABLE"%rowtype.
std::string BlockTypeName(const TOraType& type);

// An object built with its default constructor, every attribute NULL: its fields can then be set
// one by one (setting a field of an atomically NULL object fails).
std::string ObjectConstructor(const TOraType& type);

// Whether the argument travels through a local rather than straight to a "?".
bool IsCarriedThroughLocal(const TOraParameter& argument);

// Whether a block can carry a value of this composite type one scalar at a time: a record,
// %ROWTYPE or FINAL object whose every field is a scalar the type table maps (a PL/SQL BOOLEAN
// included) and no cursor. A subtype of an object that is not FINAL would lose its own fields.
bool IsCarriedThroughBlock(const TOraType& type);

// The argument (or function result) that no method can pass, the result first: a composite no
// block carries, or a value only a block carries in a routine that also has a cursor (the
// provider hands result sets only to a call escape; a BOOLEAN there is bound as it always was).
const TOraParameter* UncarriedArgument(const TOraProcedure& routine);

// One scalar value that crosses a "?", in or out.
struct CarriedValue {
  std::string AdoName;   // the argument's, "ARG.FIELD" for a field; made unique by the caller
  SharedText FieldType;  // as an argument of the value's type has them
  SharedText DelphiType;
  std::string Variable;  // the caller's: the argument's variable, "PRec.EmpId" for a field
};

struct CarriedArgument {
  std::vector<std::string> Declarations;  // the block's locals, each a whole line
  std::vector<std::string> InLines;       // before the call, one "?" per value of InValues
  std::vector<CarriedValue> InValues;
  std::vector<std::string> OutLines;  // after the call, one "?" per value of OutValues
  std::vector<CarriedValue> OutValues;
};

// What the block does for an argument carried through a local. `local` is its name in the block,
// `adoName` the parameter name of the whole value ("@RETURN_VALUE" for the result), `variable`
// the Pascal variable ("Result" for the result), `fieldNames` the Pascal names of a record's
// fields in order. The function result is never read in.
CarriedArgument CarryArgument(const TOraParameter& argument, bool takesIn, bool givesOut,
                              std::string_view local, std::string_view adoName,
                              std::string_view variable,
                              const std::vector<std::string>& fieldNames);

}  // namespace tarvel
