#pragma once

#include <memory>
#include <string>

#include "catalogue/uClass.h"
#include "common/Text.h"

namespace tarvel {

// A model written as text, one statement a line, so that a golden case is data:
//
//   # comment
//   compile                                (this case's units must compile with Free Pascal)
//   compile fails                          (Free Pascal must reject them: known limits)
//   const MAX_STRING_SIZE = 4096           (one constant line of the connection unit)
//   package HR_API                         standalone (the holder of routines outside packages)
//   procedure UPDATE_SALARY [overload]
//   function GET_NAME ftString string [overload]
//   arg P_EMP_ID ftFloat double pdInput
//   dbname A'B\x0AC                         (the dictionary name of the latest routine or
//                                           argument, "\xNN" a byte; its identifier stays)
//
// Names take the identifier form of their dictionary name; "" stands for an empty text.
enum class CompileExpectation { NotChecked, Compiles, Fails };

struct ModelText {
  std::unique_ptr<TOraDatabase> Database = std::make_unique<TOraDatabase>();
  LineList ConstantLines;
  CompileExpectation Compile = CompileExpectation::NotChecked;
};

// Fails with the line number and the reason on a statement it does not know.
ModelText ParseModelText(const std::string& text);

}  // namespace tarvel
