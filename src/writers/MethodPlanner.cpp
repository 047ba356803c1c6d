#include "writers/MethodPlanner.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "writers/AdoTexts.h"
#include "writers/BindingRules.h"
#include "writers/CallBlock.h"
#include "writers/CallNames.h"
#include "writers/CollectionBlock.h"

namespace tarvel {
namespace {

bool HasBoundResult(const TOraProcedure& routine) {
  return routine.ReturnParam != nullptr && !IsCursorParameter(*routine.ReturnParam);
}

bool ReturnsCursor(const TOraProcedure& routine) {
  return routine.ReturnParam != nullptr && IsCursorParameter(*routine.ReturnParam);
}

bool IsPassedByReference(const TOraParameter& argument) {
  return argument.Direction == kPdOutput || argument.Direction == kPdInputOutput;
}

// A collection the routine only reads is an open array of its element's type, which takes a
// dynamic array of any name, a slice or a literal.
std::string_view OpenArrayType(const DelphiTypeNames& types, const TOraParameter& argument,
                               MethodPlan& method) {
  return method.Texts.emplace_back("array of " +
                                   std::string(ElementDelphiType(*argument.Type, types)));
}

// A record the routine only reads is passed as const, sparing the copy.
void PlanHeader(const PascalNames& names, const TOraProcedure& routine, MethodPlan& method) {
  MethodHeader& header = method.Header;
  header.Name = names.of(routine);
  header.Arguments.clear();
  for (const TOraParameter& argument : routine.Parameters) {
    const bool byReference = IsPassedByReference(argument);
    const bool constant = !byReference && IsRecordValue(argument);
    header.Arguments.push_back({names.of(argument),
                                constant && IsCarriedCollection(*argument.Type)
                                    ? OpenArrayType(names.types(), argument, method)
                                    : std::string_view(DelphiTypeOf(argument, names.types())),
                                byReference, constant});
  }
  header.ResultType = {};
  if (routine.ReturnParam != nullptr) {
    header.ResultType = DelphiTypeOf(*routine.ReturnParam, names.types());
  }
  header.Overload = routine.IsOverloaded;
}

// A routine that ADO cannot call as it is goes through a block when the user wants that.
CallKind ChooseCallKind(const TOraProcedure& routine, bool callsThroughBlocks) {
  if (callsThroughBlocks && IsCalledThroughBlock(routine, routine.HasPositionalTwin)) {
    return GrowsWithElements(routine) ? CallKind::kGrowingBlock : CallKind::kBlock;
  }
  return CallKind::kCallEscape;
}

// The routine as the call escape names it: each dictionary name as Oracle reads it back.
void AppendCallTarget(std::string& text, std::string_view packageDbName,
                      const TOraProcedure& routine) {
  if (!packageDbName.empty()) {
    text += CallTextName(packageDbName);
    text += '.';
  }
  text += CallTextName(routine.DbName);
}

void SetCallEscapeText(std::string_view packageDbName, const TOraProcedure& routine,
                       std::string& text) {
  text = "{ ";
  if (HasBoundResult(routine)) text += "?= ";
  text += "call ";
  AppendCallTarget(text, packageDbName, routine);
  std::size_t marks = 0;
  for (const TOraParameter& argument : routine.Parameters) {
    if (!IsCursorParameter(argument)) ++marks;
  }
  if (marks > 0) {
    text += "( ?";
    for (std::size_t i = 1; i < marks; ++i) text += ", ?";
    text += " )";
  }
  text += '}';
}

// Binds one parameter under its dictionary name; an output is read back into the variable.
void Bind(MethodPlan& method, const TOraParameter& parameter, std::string_view variable) {
  method.Parameters.push_back({std::string(parameter.DbName.str()),
                               parameter.FieldType,
                               parameter.Direction,
                               SizeExpression(parameter, parameter.Direction, variable),
                               {{}, variable},
                               0,
                               {}});
  if (IsReadBack(parameter)) {
    method.ReadBacks.push_back(
        {method.Parameters.size() - 1, variable, ReadBackDefault(parameter), {}, {}, {}});
  }
}

// In the order of the call's markers: the bound function result first, then every argument but
// the cursors. The arguments' variables are the header's.
void BindCallEscapeParameters(const TOraProcedure& routine, MethodPlan& method) {
  if (HasBoundResult(routine)) Bind(method, *routine.ReturnParam, routine.ReturnParam->Name);
  std::size_t index = 0;
  for (const TOraParameter& argument : routine.Parameters) {
    if (!IsCursorParameter(argument)) Bind(method, argument, method.Header.Arguments[index].Name);
    ++index;
  }
}

bool PassesLobs(const TOraProcedure& routine) {
  if (routine.ReturnParam != nullptr && routine.ReturnParam->FieldType == kFtBlob) return true;
  for (const TOraParameter& argument : routine.Parameters) {
    if (argument.FieldType == kFtBlob) return true;
  }
  return false;
}

// The provider delivers the result sets in parameter order, the function result first.
void PlanRecordSetTargets(const TOraProcedure& routine, const MethodHeader& header,
                          std::vector<std::string_view>& targets) {
  targets.clear();
  if (ReturnsCursor(routine)) targets.push_back(routine.ReturnParam->Name);
  std::size_t index = 0;
  for (const TOraParameter& argument : routine.Parameters) {
    if (IsCursorParameter(argument)) targets.push_back(header.Arguments[index].Name);
    ++index;
  }
}

void PlanCallEscape(std::string_view packageDbName, const TOraProcedure& routine,
                    MethodPlan& method) {
  SetCallEscapeText(packageDbName, routine, method.CallText);
  BindCallEscapeParameters(routine, method);
  PlanRecordSetTargets(routine, method.Header, method.RecordSetTargets);
}

}  // namespace

bool TakesRecords(const TOraProcedure& routine) {
  if (routine.ReturnParam != nullptr && IsRecordValue(*routine.ReturnParam)) return true;
  return std::any_of(routine.Parameters.begin(), routine.Parameters.end(), IsRecordValue);
}

void PlanMethod(const PascalNames& names, std::string_view packageDbName,
                const TOraProcedure& routine, bool callsThroughBlocks, MethodPlan& method) {
  method.Texts.clear();
  PlanHeader(names, routine, method);
  method.Call = ChooseCallKind(routine, callsThroughBlocks);
  method.CallText.clear();
  method.BlockLines.clear();
  method.Parameters.clear();
  method.ReadBacks.clear();
  method.RecordSetTargets.clear();
  method.ElementLoops.clear();
  if (method.Call != CallKind::kCallEscape) {
    BuildCallBlock(packageDbName, routine, names.types(), method);
  } else {
    PlanCallEscape(packageDbName, routine, method);
  }
  MakeAdoNamesUnique(method.Parameters);
  method.CreatesResultDataSet = ReturnsCursor(routine);
  method.PassesLobs = PassesLobs(routine);
}

}  // namespace tarvel
