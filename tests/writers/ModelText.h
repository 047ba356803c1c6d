#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/uClass.h"
#include "writers/UnitPlanner.h"

namespace tarvel {

// A model written as text, one statement a line, so that a golden case is data:
//
//   # comment
//   compile                                (this case's units must compile with Free Pascal)
//   compile fails                          (Free Pascal must reject them: known limits)
//   blocks                                 (the units call through PL/SQL blocks where needed)
//   const MAX_STRING_SIZE = 4096           (one size constant of the connection unit, as typed)
//   package HR_API                         standalone (the holder of routines outside packages)
//   procedure UPDATE_SALARY [overload]
//   function GET_NAME ftString string [overload]
//   arg P_EMP_ID ftFloat double pdInput
//   twin                                   (the latest routine has an overload Oracle cannot
//                                           tell from it by position)
//   dbname A'B\x0AC                         (the dictionary name of the latest routine or
//                                           argument, "\xNN" a byte; its identifier stays)
//   arg P_EMP "" "" pdInput HR.PKG.EMP_REC  (a composite argument: its type's reference; a
//                                           function's result takes one after "overload")
//
// Composite types, each declared before it is referenced, as OWNER.NAME or OWNER.NAME.SUBNAME:
//   type record HR.PKG.EMP_REC             (record rowtype indexby nestedtable varray object
//                                           opaque; then the type's own lines)
//   field EMP_ID precision=6 scale=0 NUMBER
//   field BOSS type=HR.PKG.EMP_REC PL/SQL RECORD
//   element length=30 VARCHAR2            (a collection's element)
//   indexby BINARY_INTEGER | bound 10 | notfinal
// A member's options come first (length=, precision=, scale=, type=); the rest is its data type.
//
// Names take the identifier form of their dictionary name; "" stands for an empty text.
enum class CompileExpectation { NotChecked, Compiles, Fails };

struct ModelText {
  std::unique_ptr<TOraDatabase> Database = std::make_unique<TOraDatabase>();
  UnitOptions Options;  // the size constants and calls through blocks
  CompileExpectation Compile = CompileExpectation::NotChecked;
};

// Fails with the line number and the reason on a statement it does not know.
ModelText ParseModelText(const std::string& text);

// The composite types as the lines above declare them, ordered by their references, so that two
// models compare whatever order their types were met in.
std::vector<std::string> DescribeTypes(const TOraTypesList& types);
// OWNER.NAME, or OWNER.NAME.SUBNAME for a package's own type.
std::string TypeReference(const TOraType& type);

}  // namespace tarvel
