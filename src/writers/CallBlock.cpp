#include "writers/CallBlock.h"

#include <algorithm>

#include "writers/BindingRules.h"
#include "writers/CallNames.h"

namespace tarvel {
namespace {

const char kBoolean[] = "ftBoolean";
const char kInput[] = "pdInput";
const char kOutput[] = "pdOutput";
const char kInputOutput[] = "pdInputOutput";
const char kResultName[] = "@RETURN_VALUE";
const char kFromNumber[] = " = 1";  // a BOOLEAN carried as a number: 1 is true
const PascalExpression kIntegerSize{"SizeOf", "integer"};
const PascalExpression kNull{{}, "Null"};

bool CarriesBoolean(const TOraParameter& value) {
  return value.FieldType == kBoolean;
}

bool TakesIn(const TOraParameter& argument) {
  return argument.Direction != kOutput;
}

// A local's name: the prefix, digits, and "C" for a carrier.
bool IsLocalName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return false;
  std::string_view rest = name.substr(prefix.size());
  if (rest.ends_with('C')) rest.remove_suffix(1);
  return !rest.empty() &&
         std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// PL/SQL looks the first part of a dotted name up among the block's locals first: a local
// named like the package would capture the call.
std::string LocalPrefix(const std::vector<std::string_view>& firstNames) {
  std::string prefix = "V";
  while (std::any_of(firstNames.begin(), firstNames.end(),
                     [&](std::string_view name) { return IsLocalName(name, prefix); })) {
    prefix += 'V';
  }
  return prefix;
}

std::string NumberToBoolean(std::string_view number) {
  return "case " + std::string(number) + " when 1 then true when 0 then false end";
}

std::string BooleanToNumber(std::string_view boolean) {
  return "case " + std::string(boolean) + " when true then 1 when false then 0 end";
}

class BlockBuilder {
 public:
  BlockBuilder(std::string_view packageDbName, const TOraProcedure& routine, MethodPlan& method)
      : routine_(routine), method_(method) {
    if (!packageDbName.empty()) callName_ = QuotedName(packageDbName) + '.';
    callName_ += QuotedName(routine.DbName.str());
    prefix_ = LocalPrefix({packageDbName.empty() ? routine.DbName.str() : packageDbName});
  }

  void build() {
    for (std::size_t i = 0; i < routine_.Parameters.Count(); ++i) passIn(i);
    passCall();
    if (routine_.ReturnParam != nullptr && CarriesBoolean(*routine_.ReturnParam)) {
      passOut(0, *routine_.ReturnParam, routine_.ReturnParam->Name);
    }
    for (std::size_t i = 0; i < routine_.Parameters.Count(); ++i) {
      const TOraParameter& argument = routine_.Parameters.Items(i);
      if (CarriesBoolean(argument) && IsReadBack(argument)) passOut(i + 1, argument, variable(i));
    }
    finish();
  }

 private:
  std::string local(std::size_t position) const { return prefix_ + std::to_string(position); }

  // The argument's variable in the method: its final Pascal name.
  std::string_view variable(std::size_t index) const {
    return method_.Header.Arguments[index].Name;
  }

  void declare(std::size_t position, std::string_view type) {
    declarations_.push_back("  " + local(position) + ' ' + std::string(type) + ';');
  }

  std::size_t addParameter(std::string_view adoName, std::string_view fieldType,
                           std::string_view direction, PascalExpression size,
                           PascalExpression value) {
    method_.Parameters.push_back({std::string(adoName), fieldType, direction, size, value});
    return method_.Parameters.size() - 1;
  }

  void readBack(std::size_t order, std::size_t parameter, std::string_view target, bool fromNumber,
                std::string_view defaultText) {
    readBacks_.push_back(
        {order, {parameter, target, defaultText, fromNumber ? kFromNumber : std::string_view()}});
  }

  // Before the call: a BOOLEAN the caller passes in becomes its local.
  void passIn(std::size_t index) {
    const TOraParameter& argument = routine_.Parameters.Items(index);
    if (!CarriesBoolean(argument)) return;
    const std::size_t position = index + 1;
    declare(position, "boolean");
    if (!TakesIn(argument)) return;
    inLines_.push_back("  " + local(position) + " := " + NumberToBoolean("?") + ';');
    addParameter(argument.DbName, "ftInteger", kInput, kIntegerSize, {"integer", variable(index)});
  }

  // The call by name: a scalar bound as it is, a BOOLEAN through its local.
  void passCall() {
    std::string head = "  ";
    const TOraParameter* result = routine_.ReturnParam.get();
    if (result != nullptr && CarriesBoolean(*result)) {
      declarations_.insert(declarations_.begin(), "  " + local(0) + " boolean;");
      head += local(0) + " := ";
    } else if (result != nullptr) {
      head += "? := ";
      const std::size_t parameter =
          addParameter(kResultName, result->FieldType, kOutput,
                       SizeExpression(*result, kOutput, result->Name), kNull);
      readBack(0, parameter, result->Name, false, ReadBackDefault(*result));
    }
    head += callName_;
    if (routine_.Parameters.Empty()) {
      callLines_.push_back(head + ';');
      return;
    }
    callLines_.push_back(head + '(');
    for (std::size_t i = 0; i < routine_.Parameters.Count(); ++i) {
      const TOraParameter& argument = routine_.Parameters.Items(i);
      std::string line = "    " + QuotedName(argument.DbName.str()) + " => ";
      if (CarriesBoolean(argument)) {
        line += local(i + 1);
      } else {
        line += '?';
        const std::size_t parameter = addParameter(
            argument.DbName, argument.FieldType, argument.Direction,
            SizeExpression(argument, argument.Direction, variable(i)), {{}, variable(i)});
        if (IsReadBack(argument)) {
          readBack(i + 1, parameter, variable(i), false, ReadBackDefault(argument));
        }
      }
      line += i + 1 < routine_.Parameters.Count() ? "," : ");";
      callLines_.push_back(std::move(line));
    }
  }

  // After the call: a BOOLEAN output comes back as a number, by a parameter of its own; an IN
  // OUT one's second parameter then gets its name made unique with the method's others.
  void passOut(std::size_t position, const TOraParameter& value, std::string_view target) {
    outLines_.push_back("  ? := " + BooleanToNumber(local(position)) + ';');
    const std::string_view adoName =
        position == 0 ? std::string_view(kResultName) : std::string_view(value.DbName);
    const std::size_t parameter = addParameter(adoName, "ftInteger", kOutput, kIntegerSize, kNull);
    readBack(position, parameter, target, true, ReadBackDefault(value));
  }

  void finish() {
    std::vector<std::string>& lines = method_.BlockLines;
    if (!declarations_.empty()) {
      lines.push_back("declare");
      AppendAll(lines, declarations_);
    }
    lines.push_back("begin");
    AppendAll(lines, inLines_);
    AppendAll(lines, callLines_);
    AppendAll(lines, outLines_);
    lines.push_back("end;");
    // The "?" marks run: inputs to locals, the call, outputs from locals; parameters were
    // added in that order, read-backs are wanted result first, then by argument.
    std::stable_sort(readBacks_.begin(), readBacks_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [order, readBack] : readBacks_) method_.ReadBacks.push_back(readBack);
  }

  static void AppendAll(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
  }

  const TOraProcedure& routine_;
  std::string callName_;
  std::string prefix_;
  std::vector<std::string> declarations_;
  std::vector<std::string> inLines_;
  std::vector<std::string> callLines_;
  std::vector<std::string> outLines_;
  std::vector<std::pair<std::size_t, ReadBack>> readBacks_;
  MethodPlan& method_;
};

}  // namespace

bool IsCalledThroughBlock(const TOraProcedure& routine, bool hasPositionalTwin) {
  const TOraParameter* result = routine.ReturnParam.get();
  // The provider hands result sets only to a call escape.
  if (result != nullptr && IsCursorParameter(*result)) return false;
  bool needsBlock = hasPositionalTwin || (result != nullptr && CarriesBoolean(*result));
  for (const TOraParameter& argument : routine.Parameters) {
    if (IsCursorParameter(argument)) return false;
    needsBlock = needsBlock || CarriesBoolean(argument);
  }
  return needsBlock;
}

void BuildCallBlock(std::string_view packageDbName, const TOraProcedure& routine,
                    MethodPlan& method) {
  BlockBuilder(packageDbName, routine, method).build();
}

}  // namespace tarvel
