#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// What one unit will print, every decision already made: the writers only print a plan. A plan
// is built when its unit's turn comes and dropped once the unit is written. Its views show the
// model's shared texts, the name table's and fixed words, all of which outlive it.

// "Function(Operand)", or the operand alone when there is no function.
struct PascalExpression {
  std::string_view Function;
  std::string_view Operand;
};

// One parameter of a method header.
struct HeaderArgument {
  std::string_view Name;  // the final Pascal name
  std::string_view DelphiType;
  bool ByReference = false;  // written with "var"
  bool Constant = false;     // written with "const": a record or open array only read
};

struct MethodHeader {
  std::string_view Name;  // the final Pascal name
  std::vector<HeaderArgument> Arguments;
  std::string_view ResultType;  // empty for a procedure
  bool Overload = false;        // "overload;" in the class declaration
};

// How the method reaches the routine.
enum class CallKind {
  // The ODBC call escape "{ ?= call PKG.ROUTINE( ?, ? )}", one "?" per bound scalar.
  kCallEscape,
  // An anonymous PL/SQL block that turns what ADO cannot bind into scalar binds; ParamCheck is
  // turned off before its text is set.
  kBlock,
  // A block whose text the method builds for the elements the caller passes: the lines of each
  // ElementLoop and their parameters once per element of its open array.
  kGrowingBlock,
};

// One Parameters.CreateParameter call, in the order of the call's "?" marks.
struct BoundParameter {
  std::string AdoName;  // unique in the method ignoring case, as ParamByName matches
  std::string_view FieldType;
  std::string_view Direction;
  PascalExpression Size;
  PascalExpression Value;     // the caller's variable, or what the call sends in its place
  std::size_t BlockLine = 0;  // the block line that holds its "?"
  // An element's name goes on at run time: "(", the element's number counting from 1, then
  // this; empty for any other parameter.
  std::string ElementNameTail;
};

// Block lines [FirstLine, EndLine) and the parameters of their "?" marks, repeated once per
// element of an open array.
struct ElementLoop {
  std::size_t FirstLine = 0;
  std::size_t EndLine = 0;
  std::string_view Array;  // the argument's final Pascal name
};

// One assignment that fills an element of a collection read back: the target, this access and
// " := oMyReader." + Function.
struct ElementRead {
  std::string Access;         // "[nMyIndex]", "[nMyIndex].Value.EmpId"
  std::string_view Function;  // the reader's: "ReadString", "ReadDouble"
};

// One output copied back after the call: the target gets the parameter's value, or the default
// when it is NULL.
struct ReadBack {
  std::size_t Parameter;  // index into MethodPlan::Parameters
  std::string_view Target;
  std::string_view Default;     // the assignment's tail, such as " := 0;"
  std::string_view Comparison;  // after the value: " = 1" for a BOOLEAN carried as a number
  // A collection that came back as one CLOB: the reader's kinds of its element's values and the
  // assignments of one element; empty for a scalar.
  std::string Kinds;
  std::vector<ElementRead> Reads;
};

struct MethodPlan {
  MethodHeader Header;
  CallKind Call = CallKind::kCallEscape;
  std::string CallText;                   // the call escape, before it becomes a Pascal literal
  std::vector<std::string> BlockLines;    // the block's PL/SQL text, one line each, without ends
  std::vector<ElementLoop> ElementLoops;  // a growing block's, in line order
  std::vector<BoundParameter> Parameters;
  bool CreatesResultDataSet = false;  // a function returning a cursor makes its data set first
  bool PassesLobs = false;            // the provider must be told before LOB parameters bind
  // The variables that receive result sets, in the order the provider delivers them.
  std::vector<std::string_view> RecordSetTargets;
  std::vector<ReadBack> ReadBacks;  // the function result first, then in argument order
  // Texts made for this method alone (a record field's variable, an open array's type, an
  // element's value), which its views show; a deque keeps them in place as it grows and when the
  // plan moves.
  std::deque<std::string> Texts;
};

// The unit of one package: class T<Name>, one method per routine.
struct PackageUnitPlan {
  std::string_view Name;  // the package's final Pascal name
  std::vector<MethodPlan> Methods;
  bool UsesTypesUnit = false;  // a method takes or returns a record or collection
  bool UsesSysUtils = false;   // a growing block numbers its elements' parameters
};

// One line "NAME = value" of the connection unit's constants.
struct SizeConstant {
  std::string Name;
  std::string Value;
};

// A package with a unit of its own: named in the uses clause, a field of TMyOracleDB, created
// and released with it.
struct PackageUnitEntry {
  std::string_view Name;  // the package's final Pascal name; its unit is "u" + Name
  bool UsesLineBreakAfter = false;
};

// The connection unit uMyOracleDB: a field per package unit, the routines outside packages as
// methods of TMyOracleDB, the size constants.
struct ConnectionUnitPlan {
  std::vector<PackageUnitEntry> Packages;
  std::vector<SizeConstant> Constants;
  std::vector<MethodPlan> OutsideMethods;
  bool UsesTypesUnit = false;  // an outside method takes or returns a record
};

}  // namespace tarvel
