#include "catalogue/CompositeTypes.h"

#include <array>
#include <utility>

#include "catalogue/SqlLiteral.h"
#include "common/Error.h"
#include "common/Text.h"

namespace tarvel {
namespace {

// A routine's rows in SEQUENCE order: each composite's fields and elements follow it, one
// DATA_LEVEL deeper (up to 12.2). A snapshot made before the type columns were kept lacks them:
// its rows are read without, and a composite there has no type name.
struct RoutineRowsShapes {
  const char* packaged;
  const char* overloadedPackaged;
  const char* standAlone;
  const char* overloadedStandAlone;
};
#define TARVEL_ROUTINE_ROWS(columns)                                           \
  {                                                                            \
    "select " columns                                                          \
    " from sys.all_arguments where owner=%s and package_name=%s and "          \
    "object_name=%s order by sequence",                                        \
        "select " columns                                                      \
        " from sys.all_arguments where owner=%s and package_name=%s and "      \
        "object_name=%s and overload=%s order by sequence",                    \
        "select " columns                                                      \
        " from sys.all_arguments where owner=%s and package_name is null and " \
        "object_name=%s order by sequence",                                    \
        "select " columns                                                      \
        " from sys.all_arguments where owner=%s and package_name is null and " \
        "object_name=%s and overload=%s order by sequence"                     \
  }
constexpr RoutineRowsShapes kTypedRoutineRows TARVEL_ROUTINE_ROWS(
    "argument_name, position, sequence, data_level, data_type, type_owner, type_name, "
    "type_subname, type_object_type, data_length, data_precision, data_scale, char_length");
constexpr RoutineRowsShapes kPlainRoutineRows
    TARVEL_ROUTINE_ROWS("argument_name, position, sequence, data_level, data_type");
#undef TARVEL_ROUTINE_ROWS

const char* const kPlsqlTypes = "all_plsql_types";
const char* const kPlsqlTypeAttrs = "all_plsql_type_attrs";
const char* const kPlsqlCollTypes = "all_plsql_coll_types";
const char* const kTypes = "all_types";
const char* const kTypeAttrs = "all_type_attrs";
const char* const kCollTypes = "all_coll_types";
const char* const kTabColumns = "all_tab_columns";

const char* const kPlsqlTypeStatement =
    "select typecode from sys.all_plsql_types where owner=%s and package_name=%s and "
    "type_name=%s";
const char* const kPlsqlTypeAttrsStatement =
    "select attr_name, attr_type_mod, attr_type_owner, attr_type_name, attr_type_package, "
    "length, precision, scale from sys.all_plsql_type_attrs where owner=%s and package_name=%s "
    "and type_name=%s order by attr_no";
const char* const kPlsqlCollTypeStatement =
    "select coll_type, upper_bound, index_by, elem_type_mod, elem_type_owner, elem_type_name, "
    "elem_type_package, length, precision, scale from sys.all_plsql_coll_types where owner=%s "
    "and package_name=%s and type_name=%s";
const char* const kTypeStatement =
    "select typecode, final from sys.all_types where owner=%s and type_name=%s";
const char* const kTypeAttrsStatement =
    "select attr_name, attr_type_mod, attr_type_owner, attr_type_name, length, precision, scale "
    "from sys.all_type_attrs where owner=%s and type_name=%s order by attr_no";
const char* const kCollTypeStatement =
    "select coll_type, upper_bound, elem_type_mod, elem_type_owner, elem_type_name, length, "
    "precision, scale from sys.all_coll_types where owner=%s and type_name=%s";
const char* const kTabColumnsStatement =
    "select column_name, data_type, data_type_mod, data_type_owner, data_length, data_precision, "
    "data_scale, char_length from sys.all_tab_columns where owner=%s and table_name=%s order by "
    "column_id";

// Records nest records; a deeper chain is taken for a loop in a damaged dictionary.
constexpr int kDeepestNesting = 16;

using Row = CompositeTypeReader::ArgumentRow;

std::optional<std::int64_t> OptionalInteger(const DictionaryQuery& query, std::string_view name) {
  if (FindIgnoringCase(query.columnNames(), name) == nullptr) return std::nullopt;
  const DictionaryColumn column = query.column(name);
  if (query.fieldView(column).empty()) return std::nullopt;
  return query.fieldInteger(column);
}

bool IsCharacterType(std::string_view dataType) {
  return dataType == "VARCHAR2" || dataType == "VARCHAR" || dataType == "CHAR" ||
         dataType == "NVARCHAR2" || dataType == "NCHAR" || dataType == "RAW";
}

bool IsNumberType(std::string_view dataType) {
  return dataType == "NUMBER" || dataType == "FLOAT";
}

// The PL/SQL type views spell some scalars otherwise than ALL_ARGUMENTS, and 23ai spells the
// Boolean as SQL does.
std::string ArgumentsSpelling(std::string_view viewSpelling) {
  static const std::array<std::pair<std::string_view, std::string_view>, 3> kSpellings{{
      {"BOOLEAN", "PL/SQL BOOLEAN"},
      {"PL/SQL PLS INTEGER", "PLS_INTEGER"},
      {"PL/SQL BINARY INTEGER", "BINARY_INTEGER"},
  }};
  for (const auto& [view, arguments] : kSpellings) {
    if (viewSpelling == view) return std::string(arguments);
  }
  return std::string(viewSpelling);
}

// A scalar member keeps the length of character data and the precision and scale of numbers.
TOraTypeMember ScalarMember(std::string_view name, std::string_view dataType,
                            std::optional<std::int64_t> length,
                            std::optional<std::int64_t> precision,
                            std::optional<std::int64_t> scale) {
  TOraTypeMember member;
  member.DbName = name;
  member.DataType = dataType;
  if (IsCharacterType(dataType)) member.Length = length;
  if (IsNumberType(dataType)) {
    member.Precision = precision;
    member.Scale = scale;
  }
  return member;
}

TOraTypeMember CompositeMember(std::string_view name, const TOraType& type);

// What ALL_ARGUMENTS says of a composite's kind. A record without a table's or a type's name is
// a cursor's %ROWTYPE, whose structure no view holds.
std::optional<TypeKind> KindOfRow(const Row& row) {
  if (row.dataType == "PL/SQL RECORD") {
    if (row.typeObjectType == "TABLE" || row.typeObjectType == "VIEW") return TypeKind::RowType;
    if (row.typeName.empty() || row.typeObjectType == "SYNONYM") return std::nullopt;
    return row.typeSubName.empty() ? TypeKind::RowType : TypeKind::Record;
  }
  if (row.typeObjectType == "SYNONYM") return std::nullopt;
  if (row.dataType == "PL/SQL TABLE") return TypeKind::IndexBy;
  if (row.dataType == "TABLE") return TypeKind::NestedTable;
  if (row.dataType == "VARRAY") return TypeKind::Varray;
  if (row.dataType == "OBJECT") return TypeKind::Object;
  if (row.dataType.starts_with("OPAQUE/")) return TypeKind::Opaque;
  return std::nullopt;
}

// The DATA_TYPE that ALL_ARGUMENTS gives a member of this type, for members read from the views.
std::string DataTypeOf(const TOraType& type) {
  switch (type.Kind) {
    case TypeKind::Record:
    case TypeKind::RowType:
      return "PL/SQL RECORD";
    case TypeKind::IndexBy:
      return "PL/SQL TABLE";
    case TypeKind::NestedTable:
      return "TABLE";
    case TypeKind::Varray:
      return "VARRAY";
    case TypeKind::Object:
      return "OBJECT";
    case TypeKind::Opaque:
      return "OPAQUE/" + type.Name.str();
  }
  return "";
}

TOraTypeMember CompositeMember(std::string_view name, const TOraType& type) {
  TOraTypeMember member;
  member.DbName = name;
  member.DataType = DataTypeOf(type);
  member.Type = &type;
  return member;
}

// SQL types whose inside the dictionary keeps to itself.
bool IsOpaqueType(std::string_view owner, std::string_view name) {
  return (owner == "SYS" || owner == "PUBLIC") &&
         (name == "XMLTYPE" || name == "ANYDATA" || name == "ANYTYPE" || name == "ANYDATASET");
}

std::optional<TypeKind> CollectionKind(std::string_view collType) {
  if (collType == "PL/SQL INDEX TABLE") return TypeKind::IndexBy;
  if (collType == "TABLE") return TypeKind::NestedTable;
  if (collType == "VARYING ARRAY") return TypeKind::Varray;
  return std::nullopt;
}

std::string TypeText(const Row& row) {
  if (row.typeName.empty()) return row.dataType;
  return row.typeOwner + "." + row.typeName +
         (row.typeSubName.empty() ? "" : "." + row.typeSubName);
}

DictionaryStatement RoutineRowsStatement(const std::string& owner, const CompositeRoutine& routine,
                                         const RoutineRowsShapes& shapes) {
  const StatementValue ownerValue = OwnerValue(owner);
  const StatementValue name = NameValue(routine.routineName);
  const StatementValue number{routine.overload, true};
  if (routine.packageName.empty()) {
    if (routine.overload.empty()) return {shapes.standAlone, {ownerValue, name}};
    return {shapes.overloadedStandAlone, {ownerValue, name, number}};
  }
  const StatementValue package = NameValue(routine.packageName);
  if (routine.overload.empty()) return {shapes.packaged, {ownerValue, package, name}};
  return {shapes.overloadedPackaged, {ownerValue, package, name, number}};
}

// A column the statement does not select reads as empty.
std::string OptionalText(const DictionaryQuery& query, std::string_view name) {
  if (FindIgnoringCase(query.columnNames(), name) == nullptr) return {};
  return query.fieldText(name);
}

std::vector<Row> ReadRoutineRows(DictionaryConnection& connection, const std::string& owner,
                                 const CompositeRoutine& routine, const RoutineRowsShapes& shapes) {
  std::vector<Row> rows;
  for (DictionaryQuery query(connection, RoutineRowsStatement(owner, routine, shapes));
       !query.eof(); query.next()) {
    Row row;
    row.name = query.fieldText("ARGUMENT_NAME");
    row.dataType = query.fieldText("DATA_TYPE");
    row.typeOwner = OptionalText(query, "TYPE_OWNER");
    row.typeName = OptionalText(query, "TYPE_NAME");
    row.typeSubName = OptionalText(query, "TYPE_SUBNAME");
    row.typeObjectType = OptionalText(query, "TYPE_OBJECT_TYPE");
    row.position = query.fieldInteger("POSITION");
    row.level = query.fieldInteger("DATA_LEVEL");
    const std::optional<std::int64_t> charLength = OptionalInteger(query, "CHAR_LENGTH");
    row.length = charLength.value_or(0) > 0 ? charLength : OptionalInteger(query, "DATA_LENGTH");
    row.precision = OptionalInteger(query, "DATA_PRECISION");
    row.scale = OptionalInteger(query, "DATA_SCALE");
    rows.push_back(std::move(row));
  }
  return rows;
}

// The rows one level below rows[at], up to the next row at its level or above.
std::vector<std::size_t> ChildRows(const std::vector<Row>& rows, std::size_t at) {
  std::vector<std::size_t> children;
  for (std::size_t i = at + 1; i < rows.size() && rows[i].level > rows[at].level; ++i) {
    if (rows[i].level == rows[at].level + 1) children.push_back(i);
  }
  return children;
}

// A scalar member the type table does not map keeps empty types: only the routines that would
// bind it are affected, and they learn it from the member.
void MapMember(TOraTypeMember& member, const TypeAdditions& additions) {
  if (member.Type != nullptr) return;
  try {
    member.FieldType = MapFieldType(member.DataType, additions);
    member.DelphiType = MapDelphiType(member.DataType, additions);
  } catch (const UnsupportedTypeError&) {
    member.FieldType = SharedText();
    member.DelphiType = SharedText();
  }
}

}  // namespace

bool IsCompositeDataType(std::string_view dataType) {
  return dataType == "PL/SQL RECORD" || dataType == "PL/SQL TABLE" || dataType == "TABLE" ||
         dataType == "VARRAY" || dataType == "OBJECT" || dataType.starts_with("OPAQUE/");
}

const TOraType* CompositeTypeReader::keep(TOraType type) {
  for (TOraTypeMember& field : type.Fields) MapMember(field, additions_);
  if (type.Element) MapMember(*type.Element, additions_);
  return &types_.Add(std::move(type));
}

std::map<std::int64_t, const TOraType*> CompositeTypeReader::describe(
    const CompositeRoutine& routine, const std::set<std::int64_t>& positions) {
  std::vector<Row> rows;
  if (!plainRoutineRows_) {
    try {
      rows = ReadRoutineRows(connection_, owner_, routine, kTypedRoutineRows);
    } catch (const DictionaryError&) {
      plainRoutineRows_ = true;
    }
  }
  if (plainRoutineRows_) rows = ReadRoutineRows(connection_, owner_, routine, kPlainRoutineRows);
  std::map<std::int64_t, const TOraType*> described;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    if (row.level != 0 || !positions.contains(row.position)) continue;
    const TOraType* type = fromNestedRows(rows, i, 0);
    if (type == nullptr) {
      throw TarvelError("Unknown structure of type " + TypeText(row) + " of argument " +
                        (row.name.empty() ? "@RETURN_VALUE" : row.name) + " in :" + owner_ + "." +
                        routine.packageName + "." + routine.routineName);
    }
    described.emplace(row.position, type);
  }
  return described;
}

const TOraType* CompositeTypeReader::fromNestedRows(const std::vector<Row>& rows, std::size_t at,
                                                    int depth) {
  const Row& row = rows[at];
  const std::optional<TypeKind> kind = KindOfRow(row);
  if (!kind || depth > kDeepestNesting) return nullptr;
  const TypeNames names{row.typeOwner, row.typeName, row.typeSubName, kind};
  if (const TOraType* known = types_.Find(names.owner, names.name, names.subName)) return known;
  const std::vector<std::size_t> children = ChildRows(rows, at);
  // From 18c the argument's row stands alone: the views hold the rest.
  if (children.empty() || *kind == TypeKind::Opaque) return fromViews(names, depth);

  TOraType type;
  type.Kind = *kind;
  type.Owner = names.owner;
  type.Name = names.name;
  type.SubName = names.subName;
  std::vector<TOraTypeMember> members;
  for (std::size_t child : children) {
    const Row& field = rows[child];
    if (!IsCompositeDataType(field.dataType)) {
      members.push_back(
          ScalarMember(field.name, field.dataType, field.length, field.precision, field.scale));
      continue;
    }
    const TOraType* fieldType = fromNestedRows(rows, child, depth + 1);
    if (fieldType == nullptr) return nullptr;
    members.push_back(CompositeMember(field.name, *fieldType));
    members.back().DataType = field.dataType;
  }
  // What the nested rows leave out (an object's FINAL, a varray's bound, an index-by key) comes
  // from the views where the dictionary has them.
  TOraType extras = type;
  const bool fromView = type.Kind == TypeKind::Object ? readSqlType(extras, depth)
                        : type.Kind == TypeKind::Record || type.Kind == TypeKind::RowType ? false
                        : type.SubName.empty() ? readSqlType(extras, depth)
                                               : readPackageType(extras, depth);
  if (fromView) {
    type.IsFinal = extras.IsFinal;
    type.UpperBound = extras.UpperBound;
    type.IndexBy = extras.IndexBy;
  }
  if (type.Kind == TypeKind::IndexBy && type.IndexBy.empty()) type.IndexBy = "BINARY_INTEGER";
  if (type.Kind == TypeKind::Record || type.Kind == TypeKind::RowType ||
      type.Kind == TypeKind::Object) {
    type.Fields = std::move(members);
  } else {
    type.Element = std::move(members.front());
  }
  return keep(std::move(type));
}

const TOraType* CompositeTypeReader::fromViews(const TypeNames& names, int depth) {
  if (depth > kDeepestNesting) return nullptr;
  if (const TOraType* known = types_.Find(names.owner, names.name, names.subName)) return known;
  TOraType type;
  type.Owner = names.owner;
  type.Name = names.name;
  type.SubName = names.subName;
  bool found = false;
  if (names.kind == TypeKind::Opaque || IsOpaqueType(names.owner, names.name)) {
    type.Kind = TypeKind::Opaque;
    found = true;
  } else if (names.kind == TypeKind::RowType) {
    type.Kind = TypeKind::RowType;
    found = readFields(type, kTabColumns, depth);
  } else if (!names.subName.empty()) {
    found = readPackageType(type, depth);
  } else {
    found = readSqlType(type, depth);
  }
  if (!found) return nullptr;
  if (type.Kind == TypeKind::IndexBy && type.IndexBy.empty()) type.IndexBy = "BINARY_INTEGER";
  return keep(std::move(type));
}

std::unique_ptr<DictionaryQuery> CompositeTypeReader::viewQuery(
    const char* view, const DictionaryStatement& statement) {
  if (missingViews_.contains(view)) return nullptr;
  try {
    return std::make_unique<DictionaryQuery>(connection_, statement);
  } catch (const DictionaryError&) {
    missingViews_.emplace(view);
    return nullptr;
  }
}

bool CompositeTypeReader::readPackageType(TOraType& type, int depth) {
  const auto query = viewQuery(
      kPlsqlTypes, {kPlsqlTypeStatement,
                    {NameValue(type.Owner), NameValue(type.Name), NameValue(type.SubName)}});
  if (query == nullptr || query->eof()) return false;
  if (query->fieldText("TYPECODE") == "PL/SQL RECORD") {
    type.Kind = TypeKind::Record;
    return readFields(type, kPlsqlTypeAttrs, depth);
  }
  return readCollection(type, kPlsqlCollTypes, depth);
}

bool CompositeTypeReader::readSqlType(TOraType& type, int depth) {
  const auto query =
      viewQuery(kTypes, {kTypeStatement, {NameValue(type.Owner), NameValue(type.Name)}});
  if (query == nullptr || query->eof()) return false;
  const std::string typeCode = query->fieldText("TYPECODE");
  if (typeCode == "OBJECT") {
    type.Kind = TypeKind::Object;
    type.IsFinal = query->fieldText("FINAL") != "NO";
    return readFields(type, kTypeAttrs, depth);
  }
  return typeCode == "COLLECTION" && readCollection(type, kCollTypes, depth);
}

bool CompositeTypeReader::readCollection(TOraType& type, const char* view, int depth) {
  const bool package = view == kPlsqlCollTypes;
  const auto query =
      package
          ? viewQuery(view,
                      {kPlsqlCollTypeStatement,
                       {NameValue(type.Owner), NameValue(type.Name), NameValue(type.SubName)}})
          : viewQuery(view, {kCollTypeStatement, {NameValue(type.Owner), NameValue(type.Name)}});
  if (query == nullptr || query->eof()) return false;
  const std::optional<TypeKind> kind = CollectionKind(query->fieldText("COLL_TYPE"));
  if (!kind) return false;
  type.Kind = *kind;
  type.UpperBound = OptionalInteger(*query, "UPPER_BOUND");
  if (package) type.IndexBy = query->fieldText("INDEX_BY");
  if (type.Kind == TypeKind::NestedTable) type.UpperBound.reset();
  std::optional<TOraTypeMember> element = memberOfViewRow(*query, type, package, depth);
  if (!element) return false;
  type.Element = std::move(element);
  return true;
}

bool CompositeTypeReader::readFields(TOraType& type, const char* view, int depth) {
  std::unique_ptr<DictionaryQuery> query;
  if (view == kTabColumns) {
    query = viewQuery(view, {kTabColumnsStatement, {NameValue(type.Owner), NameValue(type.Name)}});
  } else if (view == kTypeAttrs) {
    query = viewQuery(view, {kTypeAttrsStatement, {NameValue(type.Owner), NameValue(type.Name)}});
  } else {
    query =
        viewQuery(view, {kPlsqlTypeAttrsStatement,
                         {NameValue(type.Owner), NameValue(type.Name), NameValue(type.SubName)}});
  }
  if (query == nullptr || query->eof()) return false;
  std::vector<TOraTypeMember> fields;
  for (; !query->eof(); query->next()) {
    std::optional<TOraTypeMember> field =
        memberOfViewRow(*query, type, view == kPlsqlTypeAttrs, depth);
    if (!field) return false;
    fields.push_back(std::move(*field));
  }
  type.Fields = std::move(fields);
  return true;
}

// One attribute, element or column row of a view: a scalar, or a type of its own (a REF stays a
// scalar). The columns' names differ by view; each row has one of each set.
std::optional<TOraTypeMember> CompositeTypeReader::memberOfViewRow(const DictionaryQuery& row,
                                                                   const TOraType& holder,
                                                                   bool withPackage, int depth) {
  const std::vector<std::string>& columns = row.columnNames();
  const auto has = [&](std::string_view name) {
    return FindIgnoringCase(columns, name) != nullptr;
  };
  const bool column = has("COLUMN_NAME");
  const bool element = has("ELEM_TYPE_NAME");
  const std::string prefix = column ? "DATA_TYPE" : element ? "ELEM_TYPE" : "ATTR_TYPE";
  const std::string name = column    ? row.fieldText("COLUMN_NAME")
                           : element ? std::string()
                                     : row.fieldText("ATTR_NAME");
  const std::string typeName = row.fieldText(column ? "DATA_TYPE" : prefix + "_NAME");
  const std::string typeOwner = row.fieldText(prefix + "_OWNER");
  const std::string modifier = row.fieldText(prefix + "_MOD");
  std::string typePackage = withPackage ? row.fieldText(prefix + "_PACKAGE") : "";
  // 19c to 21c may name a collection's record of the same package in place of the package.
  if (element && withPackage && typePackage == typeName) typePackage = holder.Name;

  if (modifier.empty() && (!typePackage.empty() || !typeOwner.empty())) {
    const TOraType* type =
        typePackage.empty()
            ? fromViews({typeOwner, typeName, "", std::nullopt}, depth + 1)
            : fromViews({typeOwner, typePackage, typeName, std::nullopt}, depth + 1);
    if (type == nullptr) return std::nullopt;
    return CompositeMember(name, *type);
  }
  const std::string dataType = modifier.empty() ? ArgumentsSpelling(typeName) : modifier;
  std::optional<std::int64_t> length;
  if (column) {
    const std::optional<std::int64_t> charLength = OptionalInteger(row, "CHAR_LENGTH");
    length = charLength.value_or(0) > 0 ? charLength : OptionalInteger(row, "DATA_LENGTH");
  } else {
    length = OptionalInteger(row, "LENGTH");
  }
  return ScalarMember(name, dataType, length,
                      OptionalInteger(row, column ? "DATA_PRECISION" : "PRECISION"),
                      OptionalInteger(row, column ? "DATA_SCALE" : "SCALE"));
}

}  // namespace tarvel
