#include "catalogue/uOracleParser.h"

#include <algorithm>
#include <exception>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "catalogue/CompositeTypes.h"
#include "catalogue/SqlLiteral.h"
#include "common/Error.h"
#include "common/Text.h"
#include "typemap/uUtil.h"

namespace tarvel {
namespace {

// Read routine by routine, the routines come from both views in one statement: Oracle leaves
// procedures without arguments out of all_arguments, while all_procedures lists every subprogram.
const char* const kPackageRoutinesStatement =
    "select distinct object_name, overload from sys.all_arguments where owner=%s and "
    "package_name=%s union select procedure_name, overload from sys.all_procedures where "
    "owner=%s and object_name=%s and procedure_name is not null order by 1, 2";
const char* const kStandAloneRoutinesStatement =
    "select distinct object_name, overload from sys.all_arguments where owner=%s and "
    "package_name is null union select object_name, overload from sys.all_procedures where "
    "owner=%s and procedure_name is null and object_type in ('PROCEDURE', 'FUNCTION') order by "
    "1, 2";

const char* const kOverloadedPackagedArgumentsStatement =
    "select argument_name, data_level, position, data_type, in_out from sys.all_arguments where "
    "owner=%s and package_name=%s and object_name=%s and overload=%s order by position";
const char* const kOverloadedStandAloneArgumentsStatement =
    "select argument_name, data_level, position, data_type, in_out from sys.all_arguments where "
    "owner=%s and package_name is null and object_name=%s and overload=%s order by position";
const char* const kPackagedArgumentsStatement =
    "select argument_name, data_level, position, data_type, in_out from sys.all_arguments where "
    "owner=%s and package_name=%s and object_name=%s order by position";
const char* const kStandAloneArgumentsStatement =
    "select argument_name, data_level, position, data_type, in_out from sys.all_arguments where "
    "owner=%s and package_name is null and object_name=%s order by position";

// Read a package at a time, the union is made here: the subprograms of all_procedures, a range
// of its index, and the routines that the package's argument rows name. The argument rows come
// in the order of the snapshot's index, so no statement sorts.
const char* const kPackageSubprogramsStatement =
    "select procedure_name, overload from sys.all_procedures where owner=%s and object_name=%s "
    "and procedure_name is not null";
const char* const kStandAloneSubprogramsStatement =
    "select object_name, overload from sys.all_procedures where owner=%s and procedure_name is "
    "null and object_type in ('PROCEDURE', 'FUNCTION')";
const char* const kPackageArgumentRowsStatement =
    "select object_name, overload, argument_name, data_level, position, data_type, in_out from "
    "sys.all_arguments where owner=%s and package_name=%s order by object_name, overload, "
    "position";
const char* const kStandAloneArgumentRowsStatement =
    "select object_name, overload, argument_name, data_level, position, data_type, in_out from "
    "sys.all_arguments where owner=%s and package_name is null order by object_name, overload, "
    "position";

// Owner, package and routine as the messages name them: unquoted, as passed in.
struct RoutineRef {
  const std::string& owner;
  const std::string& packageName;
  const std::string& routineName;

  std::string Path() const { return owner + "." + packageName + "." + routineName; }
  // Where a warning places the routine: a routine outside packages has no package part.
  std::string Place() const { return packageName.empty() ? owner + "." + routineName : Path(); }
};

RoutineWarning WarningOf(const RoutineRef& routine, const TarvelError& error) {
  RoutineWarning warning{error.what(), routine.Place(), "", ""};
  if (const auto* type = dynamic_cast<const UnsupportedTypeError*>(&error)) {
    warning.dataType = type->dataType();
    warning.argument = type->argument();
  }
  return warning;
}

std::string ConversionMessage(const RoutineRef& routine) {
  return "Cannot convert param in :" + routine.Path();
}

std::string DirectionMessage(const RoutineRef& routine, const std::string& inOut,
                             const std::string& argumentName) {
  return "Invalid parameter direction (" + inOut + ") in :" + routine.Path() +
         "  argument name: " + argumentName;
}

// A routine without a name gives a method without one; a "?" may be taken for a parameter
// marker by a provider even inside quotes.
void CheckRoutineNames(const RoutineRef& routine) {
  if (routine.routineName.empty()) {
    throw TarvelError("A routine without a name in :" + routine.Path());
  }
  if (routine.packageName.find('?') != std::string::npos ||
      routine.routineName.find('?') != std::string::npos) {
    throw TarvelError("A name holding \"?\" in :" + routine.Path());
  }
}

// The overload value goes into the statement unquoted, so only a number may get there.
void CheckOverloadValue(const RoutineRef& routine, const std::string& overload) {
  const bool allDigits =
      std::all_of(overload.begin(), overload.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!allDigits) {
    throw TarvelError("Invalid overload value (" + overload + ") in :" + routine.Path());
  }
}

DictionaryStatement RoutinesStatement(const std::string& owner, const std::string& packageName) {
  if (packageName.empty()) {
    return {kStandAloneRoutinesStatement, {OwnerValue(owner), OwnerValue(owner)}};
  }
  return {kPackageRoutinesStatement,
          {OwnerValue(owner), NameValue(packageName), OwnerValue(owner), NameValue(packageName)}};
}

// The subprograms statement and the name of its column of routine names.
std::pair<DictionaryStatement, const char*> SubprogramsStatement(const std::string& owner,
                                                                 const std::string& packageName) {
  if (packageName.empty()) {
    return {{kStandAloneSubprogramsStatement, {OwnerValue(owner)}}, "object_name"};
  }
  return {{kPackageSubprogramsStatement, {OwnerValue(owner), NameValue(packageName)}},
          "procedure_name"};
}

DictionaryStatement ArgumentRowsStatement(const std::string& owner,
                                          const std::string& packageName) {
  if (packageName.empty()) return {kStandAloneArgumentRowsStatement, {OwnerValue(owner)}};
  return {kPackageArgumentRowsStatement, {OwnerValue(owner), NameValue(packageName)}};
}

DictionaryStatement ArgumentsStatement(const RoutineRef& routine, const std::string& overload) {
  const StatementValue owner = OwnerValue(routine.owner);
  const StatementValue name = NameValue(routine.routineName);
  const StatementValue number{overload, true};
  if (routine.packageName.empty()) {
    if (overload.empty()) return {kStandAloneArgumentsStatement, {owner, name}};
    return {kOverloadedStandAloneArgumentsStatement, {owner, name, number}};
  }
  const StatementValue package = NameValue(routine.packageName);
  if (overload.empty()) return {kPackagedArgumentsStatement, {owner, package, name}};
  return {kOverloadedPackagedArgumentsStatement, {owner, package, name, number}};
}

// The three directions are shared by every argument.
const SharedText& DirectionOf(const RoutineRef& routine, std::string_view inOut,
                              std::string_view argumentName) {
  static const SharedText kInput("pdInput");
  static const SharedText kOutput("pdOutput");
  static const SharedText kInputOutput("pdInputOutput");
  if (inOut == "IN") return kInput;
  if (inOut == "OUT") return kOutput;
  if (inOut == "IN/OUT") return kInputOutput;
  throw TarvelError(DirectionMessage(routine, std::string(inOut), std::string(argumentName)));
}

// The argument statement's columns, found once rather than on every row.
struct ArgumentColumns {
  explicit ArgumentColumns(const DictionaryQuery& query)
      : argumentName(query.column("ARGUMENT_NAME")),
        dataLevel(query.column("DATA_LEVEL")),
        position(query.column("POSITION")),
        dataType(query.column("DATA_TYPE")),
        inOut(query.column("IN_OUT")) {}

  DictionaryColumn argumentName;
  DictionaryColumn dataLevel;
  DictionaryColumn position;
  DictionaryColumn dataType;
  DictionaryColumn inOut;
};

struct MappedType {
  SharedText fieldType;
  SharedText delphiType;
  SharedText dataType;  // as the dictionary spells it; empty for a composite's
};

// The bytes of name, then of overload, whatever order the server sorts in: a linguistic order
// gave GETB and GET_B each other's Pascal names on another path. NULL comes before the empty
// text it reads as.
using RoutineOrder = std::tuple<std::string_view, std::string_view, bool, bool>;

// A routine as a row names it, valid until the next row. NULL stays apart from the empty text,
// as the union of the routine statement keeps them apart.
struct RowRoutine {
  std::string_view name;
  std::string_view overload;
  bool nameIsNull;
  bool overloadIsNull;

  RowRoutine(const DictionaryQuery& row, const DictionaryColumn& nameColumn,
             const DictionaryColumn& overloadColumn)
      : name(row.fieldView(nameColumn)),
        overload(row.fieldView(overloadColumn)),
        // NULL reads as the empty text, so only an empty one needs asking about.
        nameIsNull(name.empty() && row.fieldIsNull(nameColumn)),
        overloadIsNull(overload.empty() && row.fieldIsNull(overloadColumn)) {}

  RoutineOrder order() const { return {name, overload, !nameIsNull, !overloadIsNull}; }
};

// A routine as the routine list names it.
struct RoutineKey {
  std::string name;
  std::string overload;
  bool nameIsNull = false;
  bool overloadIsNull = false;

  explicit RoutineKey(const RowRoutine& row)
      : name(row.name),
        overload(row.overload),
        nameIsNull(row.nameIsNull),
        overloadIsNull(row.overloadIsNull) {}
  // The least key of that name.
  explicit RoutineKey(const std::string& routineName)
      : name(routineName), nameIsNull(true), overloadIsNull(true) {}

  RoutineOrder order() const { return {name, overload, !nameIsNull, !overloadIsNull}; }
  friend bool operator<(const RoutineKey& a, const RoutineKey& b) { return a.order() < b.order(); }
  friend bool operator==(const RoutineKey& a, const RoutineKey& b) {
    return a.order() == b.order();
  }
};

// One routine's rows of its package's argument statement, read by the rules as they came.
struct RoutineRows {
  RoutineKey key;
  TOraProcedure read;          // its arguments and result
  std::exception_ptr failure;  // from the first rule its rows broke
  bool scattered = false;      // its rows came apart in the result: read by its own statement
  bool taken = false;
};

// The overload goes into a routine's own statement as a number: a text that number is not
// written as (a leading zero, more digits than a 64-bit integer holds) may find other rows.
bool IsPlainNumber(const std::string& overload) {
  return !overload.empty() && overload.size() <= 18 && (overload[0] != '0' || overload == "0");
}

// Reads with one connection, owner and type table. A schema repeats a few data types and
// argument names over many routines, so each one's mapping and identifier is worked out once.
class Reader {
 public:
  Reader(DictionaryConnection& connection, const std::string& owner, const TypeAdditions& types,
         ReadWay way)
      : connection_(connection), owner_(owner), types_(types), way_(way) {}

  // From now on, composite arguments are read with their types' structure into `types`.
  void describeComposites(TOraTypesList& types) {
    composites_.emplace(connection_, owner_, types, types_);
  }

  std::unique_ptr<TOraPackage> package(const std::string& packageName, ReadListener& listener);
  std::unique_ptr<TOraProcedure> procedure(const std::string& packageName,
                                           const std::string& routineName,
                                           const std::string& overload);

 private:
  std::vector<std::pair<std::string, std::string>> routinesOf(const std::string& packageName);
  std::unique_ptr<TOraPackage> packageByRoutine(const std::string& packageName,
                                                ReadListener& listener);
  std::vector<RoutineKey> subprograms(const std::string& packageName);
  std::vector<RoutineRows> argumentRows(const std::string& packageName);
  std::size_t startRoutine(std::vector<RoutineRows>& routines, RoutineKey key);
  void finishRoutine(RoutineRows& routine);
  std::unique_ptr<TOraProcedure> procedureFrom(std::vector<RoutineRows>& rows,
                                               const std::string& packageName,
                                               const std::string& routineName,
                                               const std::string& overload);
  std::unique_ptr<TOraProcedure> newProcedure(const std::string& routineName,
                                              const std::string& overload);
  template <typename ReadRoutine>
  void addRoutine(TOraPackage& package, std::vector<std::string>& overloads,
                  const std::string& routineName, const std::string& overload,
                  ReadListener& listener, ReadRoutine read);
  void addArgumentRow(const RoutineRef& routine, const DictionaryQuery& row,
                      const ArgumentColumns& columns, TOraProcedure& procedure);
  void describeCompositeArguments(const std::string& packageName, const std::string& routineName,
                                  const std::string& overload, TOraProcedure& procedure);
  const ArgumentColumns& argumentColumns(const DictionaryQuery& query);
  const MappedType& mappedType(std::string_view dataType);
  const MappedType& compositeType(std::string_view dataType);
  const MappedType& argumentType(std::string_view dataType, std::string_view argumentName);
  const SharedText& identifierOf(const SharedText& dbName);

  DictionaryConnection& connection_;
  const std::string& owner_;
  const TypeAdditions& types_;
  const ReadWay way_;
  std::unordered_map<std::string, MappedType, TextHash, std::equal_to<>> mappedTypes_;
  std::unordered_map<const std::string*, SharedText> identifiers_;  // by the shared name's key
  std::vector<TOraParameter> arguments_;  // of the routine being read, reused for the next
  std::int64_t lastPosition_ = -1;        // of the routine's latest argument row with a type
  std::vector<std::string> argumentColumnNames_;
  std::optional<ArgumentColumns> argumentColumns_;  // found for argumentColumnNames_
  std::optional<CompositeTypeReader> composites_;   // when composites are described
  // The composite arguments of the routine being read: their POSITION and index in arguments_
  // (none for the function result).
  std::map<std::int64_t, std::optional<std::size_t>> compositeArguments_;
};

// Every argument statement has the same columns: they are looked up again only when the names
// differ from the last statement's.
const ArgumentColumns& Reader::argumentColumns(const DictionaryQuery& query) {
  if (!argumentColumns_ || query.columnNames() != argumentColumnNames_) {
    argumentColumns_.emplace(query);
    argumentColumnNames_ = query.columnNames();
  }
  return *argumentColumns_;
}

// A data type the mapping refuses is asked again each time, so that each routine fails alike.
// When composites are described the routines go through blocks, which carry a few more types.
const MappedType& Reader::mappedType(std::string_view dataType) {
  if (const auto found = mappedTypes_.find(dataType); found != mappedTypes_.end()) {
    return found->second;
  }
  const std::optional<CarriedType> carried =
      composites_ ? BlockCarriedType(dataType) : std::nullopt;
  MappedType mapped = carried ? MappedType{carried->fieldType, carried->delphiType, dataType}
                              : MappedType{MapFieldType(dataType, types_),
                                           MapDelphiType(dataType, types_), dataType};
  return mappedTypes_.emplace(std::string(dataType), std::move(mapped)).first->second;
}

// No ADO field type binds a composite: its type's structure stands for the mapping, but for an
// XMLTYPE, which blocks carry as text.
const MappedType& Reader::compositeType(std::string_view dataType) {
  static const MappedType kComposite;
  return BlockCarriedType(dataType) ? mappedType(dataType) : kComposite;
}

// A type that is not supported is reported with the argument that has it.
const MappedType& Reader::argumentType(std::string_view dataType, std::string_view argumentName) {
  try {
    return mappedType(dataType);
  } catch (UnsupportedTypeError& error) {
    error.setArgument(argumentName);
    throw;
  }
}

const SharedText& Reader::identifierOf(const SharedText& dbName) {
  const auto [found, added] = identifiers_.try_emplace(dbName.key());
  if (added) found->second = FormatIdentifier(dbName.str());
  return found->second;
}

// The mapped type holds its shared text, found once per type rather than once per argument.
SharedText DataTypeOf(const MappedType& type, std::string_view dataType) {
  return type.dataType.empty() ? SharedText(dataType) : type.dataType;
}

// One row of the argument statement, by the rules in their order.
void Reader::addArgumentRow(const RoutineRef& routine, const DictionaryQuery& row,
                            const ArgumentColumns& columns, TOraProcedure& procedure) {
  const std::string_view argumentName = row.fieldView(columns.argumentName);
  const std::int64_t dataLevel = row.fieldInteger(columns.dataLevel);
  const std::int64_t position = row.fieldInteger(columns.position);
  const std::string_view dataType = row.fieldView(columns.dataType);
  const std::string_view inOut = row.fieldView(columns.inOut);

  if (dataLevel != 0) {
    // A composite's fields and elements, read with its type.
    if (composites_) return;
    throw TarvelError(ConversionMessage(routine));
  }
  // Rows without a data type add nothing: the placeholder row of a procedure without arguments.
  if (dataType.empty()) return;
  // A position twice would be an argument twice; an argument without a name cannot be declared.
  if (position == lastPosition_) {
    throw TarvelError("Two arguments at position " + std::to_string(position) +
                      " in :" + routine.Path());
  }
  lastPosition_ = position;
  if (position > 0 && argumentName.empty()) {
    throw TarvelError("An argument without a name at position " + std::to_string(position) +
                      " in :" + routine.Path());
  }
  const bool composite = composites_ && IsCompositeDataType(dataType);
  if (position == 0) {
    if (!argumentName.empty()) throw TarvelError(ConversionMessage(routine));
    static const SharedText kResultName("Result");
    static const SharedText kResultDbName("@RETURN_VALUE");
    static const SharedText kResultDirection("pdReturnValue");
    const MappedType& type = composite ? compositeType(dataType) : mappedType(dataType);
    procedure.ReturnParam = std::make_unique<TOraParameter>(
        TOraParameter{kResultName, kResultDbName, type.fieldType, type.delphiType, kResultDirection,
                      nullptr, DataTypeOf(type, dataType)});
    if (composite) compositeArguments_[0] = std::nullopt;
    return;
  }
  if (composite) compositeArguments_[position] = arguments_.size();
  const MappedType& type =
      composite ? compositeType(dataType) : argumentType(dataType, argumentName);
  TOraParameter argument;
  argument.DbName = argumentName;
  argument.Name = identifierOf(argument.DbName);
  argument.FieldType = type.fieldType;
  argument.DelphiType = type.delphiType;
  argument.Direction = DirectionOf(routine, inOut, argumentName);
  argument.DataType = DataTypeOf(type, dataType);
  arguments_.push_back(std::move(argument));
}

// A record's Delphi type is the one its dictionary type gives, which the model describes once.
bool SameDelphiType(const TOraParameter& a, const TOraParameter& b) {
  if (a.DelphiType.empty() || b.DelphiType.empty()) return a.Type == b.Type;
  return EqualsIgnoringAsciiCase(a.DelphiType, b.DelphiType);
}

bool SameDelphiArguments(const TOraProcedure& a, const TOraProcedure& b) {
  if (a.Parameters.Count() != b.Parameters.Count()) return false;
  for (std::size_t i = 0; i < a.Parameters.Count(); ++i) {
    if (!SameDelphiType(a.Parameters.Items(i), b.Parameters.Items(i))) return false;
  }
  return true;
}

// Oracle resolves a call by position from the values' types: two overloads of one name whose
// arguments have the same field types cannot be told apart that way.
bool SameFieldTypes(const TOraProcedure& a, const TOraProcedure& b) {
  if (a.DbName.key() != b.DbName.key() || a.Parameters.Count() != b.Parameters.Count()) {
    return false;
  }
  for (std::size_t i = 0; i < a.Parameters.Count(); ++i) {
    if (a.Parameters.Items(i).FieldType.key() != b.Parameters.Items(i).FieldType.key()) {
      return false;
    }
  }
  return true;
}

// Two overloads with the same Delphi argument types would be one Pascal overload twice: the
// later is left out, compared only with the overloads kept before it. Before that, every
// overload learns whether another one of its name is its twin by position.
void LeaveOutSameDelphiOverloads(const std::string& owner, const std::string& packageName,
                                 const std::vector<std::string>& overloads,
                                 TOraProceduresList& routines, ReadListener& listener) {
  for (std::size_t i = 0; i < routines.Count(); ++i) {
    for (std::size_t j = 0; j < routines.Count(); ++j) {
      if (i != j && SameFieldTypes(routines.Items(i), routines.Items(j))) {
        routines.Items(i).HasPositionalTwin = true;
      }
    }
  }
  std::vector<std::size_t> kept;
  std::vector<std::size_t> leftOut;
  for (std::size_t i = 0; i < routines.Count(); ++i) {
    const TOraProcedure& routine = routines.Items(i);
    const auto same = std::find_if(kept.begin(), kept.end(), [&](std::size_t k) {
      const TOraProcedure& earlier = routines.Items(k);
      return earlier.DbName.key() == routine.DbName.key() && SameDelphiArguments(earlier, routine);
    });
    if (same == kept.end()) {
      kept.push_back(i);
      continue;
    }
    const RoutineRef place{owner, packageName, routine.DbName};
    listener.warning({"Overload " + overloads[i] + " of :" + place.Path() +
                          " has the same Delphi argument types as overload " + overloads[*same],
                      place.Place(), "", ""});
    leftOut.push_back(i);
  }
  for (auto i = leftOut.rbegin(); i != leftOut.rend(); ++i) routines.Remove(*i);
}

void Reader::describeCompositeArguments(const std::string& packageName,
                                        const std::string& routineName, const std::string& overload,
                                        TOraProcedure& procedure) {
  std::set<std::int64_t> positions;
  for (const auto& [position, index] : compositeArguments_) positions.insert(position);
  const std::map<std::int64_t, const TOraType*> types =
      composites_->describe({packageName, routineName, overload}, positions);
  for (const auto& [position, index] : compositeArguments_) {
    const auto type = types.find(position);
    if (type == types.end()) continue;
    TOraParameter& argument = index ? arguments_[*index] : *procedure.ReturnParam;
    argument.Type = type->second;
  }
}

std::unique_ptr<TOraPackage> NewPackage(const std::string& packageName) {
  auto package = std::make_unique<TOraPackage>();
  package->Name = FormatIdentifier(packageName);
  package->DbName = packageName;
  return package;
}

std::unique_ptr<TOraProcedure> Reader::newProcedure(const std::string& routineName,
                                                    const std::string& overload) {
  auto procedure = std::make_unique<TOraProcedure>();
  procedure->DbName = routineName;
  procedure->Name = identifierOf(procedure->DbName);
  procedure->IsOverloaded = !overload.empty();
  return procedure;
}

// A routine that cannot be read is a warning and left out; only a database's failure may end
// the read, when the listener says so.
template <typename ReadRoutine>
void Reader::addRoutine(TOraPackage& package, std::vector<std::string>& overloads,
                        const std::string& routineName, const std::string& overload,
                        ReadListener& listener, ReadRoutine read) {
  try {
    std::unique_ptr<TOraProcedure> routine = read();
    if (const TOraParameter* uncarried = listener.uncarriedArgument(*routine)) {
      UnsupportedTypeError error(uncarried->DataType.str());
      if (uncarried != routine->ReturnParam.get()) error.setArgument(uncarried->DbName.str());
      throw error;
    }
    package.Procedures.Add(std::move(*routine));
    overloads.push_back(overload);
  } catch (const TarvelError& error) {
    const bool databaseFailed = dynamic_cast<const DictionaryError*>(&error) != nullptr;
    if (databaseFailed && listener.failsOnDatabaseError()) throw;
    listener.warning(WarningOf({owner_, package.DbName, routineName}, error));
  }
}

std::unique_ptr<TOraPackage> Reader::package(const std::string& packageName,
                                             ReadListener& listener) {
  // A composite's type is described by statements of its own routine, read routine by routine.
  if (way_ == ReadWay::kRoutineByRoutine || composites_) {
    return packageByRoutine(packageName, listener);
  }
  std::vector<RoutineKey> listed = subprograms(packageName);
  std::vector<RoutineRows> rows;
  try {
    rows = argumentRows(packageName);
  } catch (const DictionaryError&) {
    // Routine by routine, a failing argument statement is that routine's warning.
    if (listener.failsOnDatabaseError()) throw;
    return packageByRoutine(packageName, listener);
  }
  // Both lists are in the key's order, the listing once sorted if it came otherwise: one walk
  // merges them, where sorting copies of every key cost more than reading the rows did.
  if (!std::is_sorted(listed.begin(), listed.end())) std::sort(listed.begin(), listed.end());
  std::vector<const RoutineKey*> routines;
  routines.reserve(listed.size() + rows.size());
  auto row = rows.begin();
  for (const RoutineKey& key : listed) {
    for (; row != rows.end() && row->key < key; ++row) routines.push_back(&row->key);
    routines.push_back(&key);
  }
  for (; row != rows.end(); ++row) routines.push_back(&row->key);
  routines.erase(std::unique(routines.begin(), routines.end(),
                             [](const RoutineKey* a, const RoutineKey* b) { return *a == *b; }),
                 routines.end());

  auto package = NewPackage(packageName);
  std::vector<std::string> overloads;  // of the routines read, in their order
  for (const RoutineKey* routine : routines) {
    addRoutine(*package, overloads, routine->name, routine->overload, listener,
               [&] { return procedureFrom(rows, packageName, routine->name, routine->overload); });
  }
  LeaveOutSameDelphiOverloads(owner_, packageName, overloads, package->Procedures, listener);
  return package;
}

std::vector<RoutineKey> Reader::subprograms(const std::string& packageName) {
  const auto [statement, nameColumnName] = SubprogramsStatement(owner_, packageName);
  DictionaryQuery subprograms(connection_, statement);
  std::vector<RoutineKey> keys;
  if (subprograms.eof()) return keys;
  const DictionaryColumn name = subprograms.column(nameColumnName);
  const DictionaryColumn overload = subprograms.column("overload");
  for (; !subprograms.eof(); subprograms.next()) {
    keys.emplace_back(RowRoutine(subprograms, name, overload));
  }
  return keys;
}

// Every argument row of the package in one statement, each routine's rows read by the rules as
// they come, in the order of the key.
std::vector<RoutineRows> Reader::argumentRows(const std::string& packageName) {
  DictionaryQuery rows(connection_, ArgumentRowsStatement(owner_, packageName));
  std::vector<RoutineRows> routines;
  if (rows.eof()) return routines;
  const DictionaryColumn name = rows.column("object_name");
  const DictionaryColumn overload = rows.column("overload");
  const ArgumentColumns columns(rows);
  std::size_t current = 0;
  for (; !rows.eof(); rows.next()) {
    const RowRoutine row(rows, name, overload);
    if (routines.empty() || routines[current].key.order() != row.order()) {
      if (!routines.empty()) finishRoutine(routines[current]);
      current = startRoutine(routines, RoutineKey(row));
    }
    RoutineRows& routine = routines[current];
    if (routine.failure || routine.scattered) continue;
    try {
      addArgumentRow(RoutineRef{owner_, packageName, routine.key.name}, rows, columns,
                     routine.read);
    } catch (const TarvelError&) {
      routine.failure = std::current_exception();
    }
  }
  finishRoutine(routines[current]);
  const auto byKey = [](const RoutineRows& a, const RoutineRows& b) { return a.key < b.key; };
  if (!std::is_sorted(routines.begin(), routines.end(), byKey)) {
    std::sort(routines.begin(), routines.end(), byKey);
  }
  return routines;
}

// A server whose order is not by the bytes may bring a routine's rows apart; that routine is
// then read by its own statement.
std::size_t Reader::startRoutine(std::vector<RoutineRows>& routines, RoutineKey key) {
  arguments_.clear();
  lastPosition_ = -1;
  if (!routines.empty() && !(routines.back().key < key)) {
    const auto seen = std::find_if(routines.begin(), routines.end(),
                                   [&](const RoutineRows& routine) { return routine.key == key; });
    if (seen != routines.end()) {
      seen->scattered = true;
      return static_cast<std::size_t>(seen - routines.begin());
    }
  }
  routines.push_back(RoutineRows{std::move(key), {}, {}, false, false});
  return routines.size() - 1;
}

void Reader::finishRoutine(RoutineRows& routine) {
  if (!routine.failure && !routine.scattered) routine.read.Parameters.MoveFrom(arguments_);
  arguments_.clear();
}

// The routine from the package's argument rows, when they tell what its own statement would
// read; otherwise (a routine asked for twice, an overload written unlike a number, rows of one
// name under several overloads asked for without one) its own statement reads it.
std::unique_ptr<TOraProcedure> Reader::procedureFrom(std::vector<RoutineRows>& rows,
                                                     const std::string& packageName,
                                                     const std::string& routineName,
                                                     const std::string& overload) {
  const RoutineRef routine{owner_, packageName, routineName};
  CheckRoutineNames(routine);
  CheckOverloadValue(routine, overload);
  // The rows its own statement would find: those of its name, which is never NULL there.
  std::vector<RoutineRows*> named;
  for (auto row =
           std::lower_bound(rows.begin(), rows.end(), RoutineKey(routineName),
                            [](const RoutineRows&a, const RoutineKey&b) { return a.key < b; });
       row != rows.end() && row->key.name == routineName; ++row) {
    if (!row->key.nameIsNull) named.push_back(&*row);
  }
  RoutineRows* found = nullptr;
  if (overload.empty()) {
    if (named.size() > 1) return procedure(packageName, routineName, overload);
    if (!named.empty()) found = named.front();
  } else {
    if (!IsPlainNumber(overload)) return procedure(packageName, routineName, overload);
    const auto same = std::find_if(named.begin(), named.end(), [&](const RoutineRows* rows) {
      return !rows->key.overloadIsNull && rows->key.overload == overload;
    });
    if (same != named.end()) found = *same;
  }
  if (found != nullptr && (found->scattered || found->taken)) {
    return procedure(packageName, routineName, overload);
  }
  auto read = newProcedure(routineName, overload);
  if (found == nullptr) return read;
  found->taken = true;
  if (found->failure) std::rethrow_exception(found->failure);
  read->Parameters = std::move(found->read.Parameters);
  read->ReturnParam = std::move(found->read.ReturnParam);
  return read;
}

std::unique_ptr<TOraPackage> Reader::packageByRoutine(const std::string& packageName,
                                                      ReadListener& listener) {
  auto package = NewPackage(packageName);

  std::vector<std::string> overloads;  // of the routines read, in their order
  for (const auto& [routineName, overload] : routinesOf(packageName)) {
    addRoutine(*package, overloads, routineName, overload, listener,
               [&] { return procedure(packageName, routineName, overload); });
  }
  LeaveOutSameDelphiOverloads(owner_, packageName, overloads, package->Procedures, listener);
  return package;
}

// Name and overload of each routine, ordered by their bytes whatever order the server sorts in.
std::vector<std::pair<std::string, std::string>> Reader::routinesOf(
    const std::string& packageName) {
  std::vector<std::pair<std::string, std::string>> found;
  DictionaryQuery routines(connection_, RoutinesStatement(owner_, packageName));
  if (routines.eof()) return found;
  const DictionaryColumn nameColumn = routines.column("object_name");
  const DictionaryColumn overloadColumn = routines.column("overload");
  for (; !routines.eof(); routines.next()) {
    found.emplace_back(routines.fieldText(nameColumn), routines.fieldText(overloadColumn));
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::unique_ptr<TOraProcedure> Reader::procedure(const std::string& packageName,
                                                 const std::string& routineName,
                                                 const std::string& overload) {
  const RoutineRef routine{owner_, packageName, routineName};
  auto procedure = newProcedure(routineName, overload);
  CheckRoutineNames(routine);
  CheckOverloadValue(routine, overload);
  DictionaryQuery arguments(connection_, ArgumentsStatement(routine, overload));
  if (arguments.eof()) return procedure;
  const ArgumentColumns& columns = argumentColumns(arguments);
  arguments_.clear();
  lastPosition_ = -1;
  compositeArguments_.clear();
  for (; !arguments.eof(); arguments.next()) {
    addArgumentRow(routine, arguments, columns, *procedure);
  }
  if (!compositeArguments_.empty())
    describeCompositeArguments(packageName, routineName, overload, *procedure);
  procedure->Parameters.MoveFrom(arguments_);
  return procedure;
}

}  // namespace

std::unique_ptr<TOraDatabase> LoadDatabase(DictionaryConnection& connection,
                                           const std::string& owner,
                                           const std::vector<std::string>& packageNames,
                                           const TypeAdditions& types, ReadListener& listener,
                                           ReadWay way) {
  auto database = std::make_unique<TOraDatabase>();
  Reader reader(connection, owner, types, way);
  if (listener.describesComposites()) reader.describeComposites(database->Types);
  // A package is read as one moment of the dictionary; between packages a snapshot file is let
  // go, so that a change made to it meanwhile is seen and its writer does not wait for the run.
  for (const std::string& packageName : packageNames) {
    {
      const DictionaryReading reading(connection);
      database->Packages.Add(std::move(*reader.package(packageName, listener)));
    }
    listener.packageRead();
  }
  return database;
}

std::unique_ptr<TOraPackage> LoadPackage(DictionaryConnection& connection, const std::string& owner,
                                         const std::string& packageName, const TypeAdditions& types,
                                         ReadListener& listener, ReadWay way) {
  return Reader(connection, owner, types, way).package(packageName, listener);
}

std::unique_ptr<TOraProcedure> LoadProcedure(
    DictionaryConnection& connection, const std::string& owner, const std::string& packageName,
    const std::string& routineName, const std::string& overload, const TypeAdditions& types) {
  return Reader(connection, owner, types, ReadWay::kRoutineByRoutine)
      .procedure(packageName, routineName, overload);
}

}  // namespace tarvel
