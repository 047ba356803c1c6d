#include "writers/CallBlock.h"

#include <algorithm>
#include <map>

#include "writers/AdoTexts.h"
#include "writers/BindingRules.h"
#include "writers/CallNames.h"
#include "writers/CarriedArgument.h"
#include "writers/CollectionBlock.h"

namespace tarvel {
namespace {

const char kResultName[] = "@RETURN_VALUE";
const char kFromNumber[] = " = 1";  // a BOOLEAN carried as a number: 1 is true
const PascalExpression kIntegerSize{"SizeOf", "integer"};
const PascalExpression kNull{{}, "Null"};
const PascalExpression kClobSize{{}, "MAX_CLOB_SIZE"};

bool TakesIn(const TOraParameter& argument) {
  return argument.Direction != kPdOutput;
}

// A local's name: the prefix, digits, and "C" for a carrier or "I" for a collection's index.
bool IsLocalName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return false;
  std::string_view rest = name.substr(prefix.size());
  if (rest.ends_with('C') || rest.ends_with('I')) rest.remove_suffix(1);
  return !rest.empty() &&
         std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// PL/SQL looks the first part of a dotted name up among the block's locals first: a local
// named like the package or a type's owner would capture the call or the declaration.
std::string LocalPrefix(const std::vector<std::string_view>& firstNames) {
  std::string prefix = "V";
  while (std::any_of(firstNames.begin(), firstNames.end(),
                     [&](std::string_view name) { return IsLocalName(name, prefix); })) {
    prefix += 'V';
  }
  return prefix;
}

// The names a block writes first: the package or the routine outside packages, and the owners
// of the records' types.
std::vector<std::string_view> FirstNames(std::string_view packageDbName,
                                         const TOraProcedure& routine) {
  std::vector<std::string_view> names{packageDbName.empty() ? routine.DbName.str() : packageDbName};
  if (routine.ReturnParam != nullptr && IsRecordValue(*routine.ReturnParam)) {
    names.push_back(routine.ReturnParam->Type->Owner.str());
  }
  for (const TOraParameter& argument : routine.Parameters) {
    if (IsRecordValue(argument)) names.push_back(argument.Type->Owner.str());
  }
  return names;
}

bool IsCollection(const TOraParameter& value) {
  return value.Type != nullptr && IsCarriedCollection(*value.Type);
}

// A collection's part in the block, beside the locals its CarriedArgument declares.
struct CarriedCollection {
  CollectionArgument described;
  bool takesIn = false;
  bool givesOut = false;
  std::string_view adoName;
  std::string_view variable;
};

class BlockBuilder {
 public:
  BlockBuilder(std::string_view packageDbName, const TOraProcedure& routine,
               const DelphiTypeNames& recordTypes, MethodPlan& method)
      : routine_(routine), recordTypes_(recordTypes), method_(method) {
    if (!packageDbName.empty()) callName_ = QuotedName(packageDbName) + '.';
    callName_ += QuotedName(routine.DbName.str());
    prefix_ = LocalPrefix(FirstNames(packageDbName, routine));
  }

  // The "?" marks run: inputs to locals, the call, outputs from locals; parameters are added in
  // that order.
  void build() {
    const TOraParameter* result = routine_.ReturnParam.get();
    if (result != nullptr && IsCarriedThroughLocal(*result)) {
      carry(0, *result, false, true, kResultName, result->Name);
    }
    for (std::size_t i = 0; i < routine_.Parameters.Count(); ++i) {
      const TOraParameter& argument = routine_.Parameters.Items(i);
      if (IsCarriedThroughLocal(argument)) {
        carry(i + 1, argument, TakesIn(argument), IsReadBack(argument), argument.DbName.str(),
              variable(i));
      }
    }
    for (const auto& [position, carried] : carried_) passIn(position, carried);
    passCall();
    for (const auto& [position, carried] : carried_) passOut(position, carried);
    finish();
  }

 private:
  std::string local(std::size_t position) const { return prefix_ + std::to_string(position); }

  // The argument's variable in the method: its final Pascal name.
  std::string_view variable(std::size_t index) const {
    return method_.Header.Arguments[index].Name;
  }

  void carry(std::size_t position, const TOraParameter& value, bool takesIn, bool givesOut,
             std::string_view adoName, std::string_view target) {
    if (IsCollection(value)) {
      carryCollection(position, value, takesIn, givesOut, adoName, target);
      return;
    }
    static const std::vector<std::string> kNoFields;
    const std::vector<std::string>& fields =
        IsRecordValue(value) ? recordTypes_.fieldsOf(*value.Type) : kNoFields;
    carried_.emplace_back(position, CarryArgument(value, takesIn, givesOut, local(position),
                                                  adoName, target, fields));
  }

  // A collection's locals stand with the others; its elements and its CLOB have parts of their own.
  void carryCollection(std::size_t position, const TOraParameter& value, bool takesIn,
                       bool givesOut, std::string_view adoName, std::string_view target) {
    const TOraTypeMember& element = *value.Type->Element;
    static const std::vector<std::string> kNoFields;
    const bool records = element.Type != nullptr;
    CarriedCollection collection{
        DescribeCollection(*value.Type, local(position), BlockTypeName(*value.Type),
                           records && element.Type->Kind == TypeKind::Object
                               ? ObjectConstructor(*element.Type)
                               : "",
                           records ? recordTypes_.fieldsOf(*element.Type) : kNoFields),
        takesIn, givesOut, adoName, target};
    CarriedArgument carried;
    carried.Declarations = CollectionLocals(collection.described, givesOut);
    carried_.emplace_back(position, std::move(carried));
    collections_.emplace(position, std::move(collection));
  }

  // A text the plan's views show, kept with the method.
  std::string_view keep(std::string text) { return method_.Texts.emplace_back(std::move(text)); }

  // A parameter whose "?" stands on the latest line of the part.
  std::size_t addParameter(std::vector<std::string>& part, BoundParameter parameter) {
    method_.Parameters.push_back(std::move(parameter));
    parameterLines_.push_back({&part, part.size() - 1});
    return method_.Parameters.size() - 1;
  }

  std::size_t addParameter(std::vector<std::string>& part, std::string_view adoName,
                           std::string_view fieldType, std::string_view direction,
                           PascalExpression size, PascalExpression value) {
    return addParameter(part, {std::string(adoName), fieldType, direction, size, value, 0, {}});
  }

  void readBack(std::size_t order, std::size_t parameter, std::string_view target, bool fromNumber,
                std::string_view defaultText) {
    readBacks_.push_back(
        {order,
         {parameter, target, defaultText, fromNumber ? kFromNumber : std::string_view(), {}, {}}});
  }

  // The lines of one element, whose text and parameters the method repeats per element.
  void passElementsIn(const CarriedCollection& collection) {
    const CollectionArgument& described = collection.described;
    AppendAll(inLines_, CollectionStart(described));
    ElementLoop loop{inLines_.size(), 0, collection.variable};
    const std::vector<ElementParameter> parameters =
        ElementParameters(described, collection.variable);
    AppendAll(inLines_, CollectionElement(described));
    for (const ElementParameter& parameter : parameters) {
      addParameter(inLines_, {std::string(collection.adoName) + '(',
                              parameter.FieldType,
                              kPdInput,
                              {parameter.SizeFunction, keep(parameter.SizeOperand)},
                              {parameter.ValueFunction, keep(parameter.ValueOperand)},
                              0,
                              parameter.AdoNameAfterIndex});
    }
    loop.EndLine = inLines_.size();
    loops_.push_back(loop);
  }

  // After the call: the collection comes back as one CLOB that the reader parses.
  void passCollectionOut(std::size_t position, const CarriedCollection& collection) {
    AppendAll(outLines_, CollectionSerialisation(collection.described));
    const std::size_t parameter =
        addParameter(outLines_, collection.adoName, kFtOraClob, kPdOutput, kClobSize, kNull);
    readBacks_.push_back({position,
                          {parameter,
                           collection.variable,
                           {},
                           {},
                           CollectionReaderKinds(collection.described),
                           ElementReads(collection.described)}});
  }

  // Before the call: what the caller passes in fills the locals; a BOOLEAN goes as a number.
  void passIn(std::size_t position, const CarriedArgument& carried) {
    AppendAll(declarations_, carried.Declarations);
    if (const auto collection = collections_.find(position); collection != collections_.end()) {
      if (collection->second.takesIn) passElementsIn(collection->second);
      return;
    }
    AppendAll(inLines_, carried.InLines);
    for (const CarriedValue& value : carried.InValues) {
      const std::string_view variable = keep(value.Variable);
      if (value.FieldType == kFtBoolean) {
        addParameter(inLines_, value.AdoName, kFtInteger, kPdInput, kIntegerSize,
                     {"integer", variable});
        continue;
      }
      addParameter(inLines_, value.AdoName, value.FieldType, kPdInput,
                   SizeExpression(Binding(value), kPdInput, variable), {{}, variable});
    }
  }

  // After the call: each value comes back by a parameter of its own; an IN OUT one's second
  // parameter then gets its name made unique with the method's others.
  void passOut(std::size_t position, const CarriedArgument& carried) {
    if (const auto collection = collections_.find(position); collection != collections_.end()) {
      if (collection->second.givesOut) passCollectionOut(position, collection->second);
      return;
    }
    AppendAll(outLines_, carried.OutLines);
    for (const CarriedValue& value : carried.OutValues) {
      const std::string_view target = keep(value.Variable);
      const TOraParameter binding = Binding(value);
      const bool boolean = value.FieldType == kFtBoolean;
      const std::size_t parameter =
          boolean
              ? addParameter(outLines_, value.AdoName, kFtInteger, kPdOutput, kIntegerSize, kNull)
              : addParameter(outLines_, value.AdoName, value.FieldType, kPdOutput,
                             SizeExpression(binding, kPdOutput, target), kNull);
      readBack(position, parameter, target, boolean, ReadBackDefault(binding));
    }
  }

  static TOraParameter Binding(const CarriedValue& value) {
    TOraParameter binding;
    binding.FieldType = value.FieldType;
    binding.DelphiType = value.DelphiType;
    return binding;
  }

  // The call by name: a scalar bound as it is, a carried value through its local.
  void passCall() {
    const TOraParameter* result = routine_.ReturnParam.get();
    const bool boundResult = result != nullptr && !IsCarriedThroughLocal(*result);
    std::string head = "  ";
    if (result != nullptr) head += boundResult ? "? := " : local(0) + " := ";
    head += callName_;
    callLines_.push_back(head + (routine_.Parameters.Empty() ? ";" : "("));
    if (boundResult) {
      const std::size_t parameter =
          addParameter(callLines_, kResultName, result->FieldType, kPdOutput,
                       SizeExpression(*result, kPdOutput, result->Name), kNull);
      readBack(0, parameter, result->Name, false, ReadBackDefault(*result));
    }
    for (std::size_t i = 0; i < routine_.Parameters.Count(); ++i) {
      const TOraParameter& argument = routine_.Parameters.Items(i);
      const bool carried = IsCarriedThroughLocal(argument);
      callLines_.push_back("    " + QuotedName(argument.DbName.str()) + " => " +
                           (carried ? local(i + 1) : "?") +
                           (i + 1 < routine_.Parameters.Count() ? "," : ");"));
      if (carried) continue;
      const std::size_t parameter = addParameter(
          callLines_, argument.DbName, argument.FieldType, argument.Direction,
          SizeExpression(argument, argument.Direction, variable(i)), {{}, variable(i)});
      if (IsReadBack(argument)) {
        readBack(i + 1, parameter, variable(i), false, ReadBackDefault(argument));
      }
    }
  }

  void finish() {
    std::vector<std::string>& lines = method_.BlockLines;
    if (!declarations_.empty()) {
      lines.push_back("declare");
      AppendAll(lines, declarations_);
    }
    lines.push_back("begin");
    const std::size_t inStart = lines.size();
    AppendAll(lines, inLines_);
    const std::size_t callStart = lines.size();
    AppendAll(lines, callLines_);
    const std::size_t outStart = lines.size();
    AppendAll(lines, outLines_);
    lines.push_back("end;");
    for (std::size_t i = 0; i < parameterLines_.size(); ++i) {
      const auto& [part, line] = parameterLines_[i];
      method_.Parameters[i].BlockLine = line + (part == &inLines_     ? inStart
                                                : part == &callLines_ ? callStart
                                                                      : outStart);
    }
    for (ElementLoop loop : loops_) {
      loop.FirstLine += inStart;
      loop.EndLine += inStart;
      method_.ElementLoops.push_back(loop);
    }
    // Read-backs are wanted result first, then by argument.
    std::stable_sort(readBacks_.begin(), readBacks_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [order, readBack] : readBacks_) method_.ReadBacks.push_back(readBack);
  }

  static void AppendAll(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
  }

  const TOraProcedure& routine_;
  const DelphiTypeNames& recordTypes_;
  std::string callName_;
  std::string prefix_;
  // What each carried value does in the block, by position: the result (0) first.
  std::vector<std::pair<std::size_t, CarriedArgument>> carried_;
  std::vector<std::string> declarations_;
  std::vector<std::string> inLines_;
  std::vector<std::string> callLines_;
  std::vector<std::string> outLines_;
  // The collections among the carried values, by position.
  std::map<std::size_t, CarriedCollection> collections_;
  // Beside the method's parameters: the part and line that hold each one's "?".
  std::vector<std::pair<const std::vector<std::string>*, std::size_t>> parameterLines_;
  std::vector<ElementLoop> loops_;  // by their places in inLines_
  std::vector<std::pair<std::size_t, ReadBack>> readBacks_;
  MethodPlan& method_;
};

}  // namespace

bool IsCalledThroughBlock(const TOraProcedure& routine, bool hasPositionalTwin) {
  const TOraParameter* result = routine.ReturnParam.get();
  // The provider hands result sets only to a call escape.
  if (result != nullptr && IsCursorParameter(*result)) return false;
  bool needsBlock = hasPositionalTwin || (result != nullptr && IsCarriedThroughLocal(*result));
  for (const TOraParameter& argument : routine.Parameters) {
    if (IsCursorParameter(argument)) return false;
    needsBlock = needsBlock || IsCarriedThroughLocal(argument);
  }
  return needsBlock;
}

bool GrowsWithElements(const TOraProcedure& routine) {
  return std::any_of(
      routine.Parameters.begin(), routine.Parameters.end(),
      [](const TOraParameter& argument) { return IsCollection(argument) && TakesIn(argument); });
}

void BuildCallBlock(std::string_view packageDbName, const TOraProcedure& routine,
                    const DelphiTypeNames& recordTypes, MethodPlan& method) {
  BlockBuilder(packageDbName, routine, recordTypes, method).build();
}

}  // namespace tarvel
