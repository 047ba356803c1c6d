#include "typemap/uUtil.h"

#include "common/Text.h"

namespace tarvel {
namespace {

// Views, so that a lookup compares lengths before letters.
struct TypeRow {
  std::string_view dataType;
  std::string_view fieldType;
  std::string_view delphiType;
};

// Compared whole and case-sensitively, first match wins. Delphi has no "ftVarArray", so RAW
// takes the variable-length byte field that generated units can compile against.
constexpr TypeRow kBuiltInTypes[] = {
    {"VARCHAR2", "ftString", "string"},
    {"CHAR", "ftString", "string"},
    {"DATE", "ftDateTime", "TDateTime"},
    {"CLOB", "ftMemo", "TBlobData"},
    {"BLOB", "ftBlob", "TBlobByteData"},
    {"NUMBER", "ftFloat", "double"},
    {"SYS_REFCURSOR", "ftRefCursor", "TADODataSet"},
    {"REFCURSOR", "ftRefCursor", "TADODataSet"},
    {"CURSOR", "ftCursor", "TADODataSet"},
    {"INTEGER", "ftInteger", "integer"},
    {"FLOAT", "ftFloat", "double"},
    {"REAL", "ftFloat", "double"},
    {"PL/SQL BOOLEAN", "ftBoolean", "boolean"},
    {"SMALLINT", "ftSmallint", "integer"},
    {"REF CURSOR", "ftRefCursor", "TADODataSet"},
    {"LONG", "ftMemo", "string"},
    {"LONG RAW", "ftBlob", "TBlobByteData"},
    {"BFILE", "ftBlob", "TBlobByteData"},
    {"RAW", "ftVarBytes", "TBlobByteData"},
};

// Compared whole, as the table above.
constexpr TypeRow kBlockCarriedTypes[] = {
    {"INTERVAL DAY TO SECOND", "ftString", "string"},
    {"INTERVAL YEAR TO MONTH", "ftString", "string"},
    {"OPAQUE/XMLTYPE", "ftOraClob", "string"},
};

// Types outside the table come from the user's additions; an empty value is none.
std::string MapType(std::string_view dataType, std::string_view TypeRow::*column,
                    const std::unordered_map<std::string, std::string>& additions) {
  for (const TypeRow& row : kBuiltInTypes) {
    if (dataType == row.dataType) return std::string(row.*column);
  }
  const auto added = additions.find(AsciiUpper(dataType));
  if (added == additions.end() || added->second.empty()) {
    throw UnsupportedTypeError(dataType);
  }
  return added->second;
}

}  // namespace

UnsupportedTypeError::UnsupportedTypeError(std::string_view dataType)
    : TarvelError("Parameter type: " + std::string(dataType) + " not supported!"),
      dataType_(dataType) {}

std::string MapFieldType(std::string_view dataType, const TypeAdditions& additions) {
  return MapType(dataType, &TypeRow::fieldType, additions.fieldTypes);
}

std::string MapDelphiType(std::string_view dataType, const TypeAdditions& additions) {
  return MapType(dataType, &TypeRow::delphiType, additions.delphiTypes);
}

std::optional<CarriedType> BlockCarriedType(std::string_view dataType) {
  for (const TypeRow& row : kBlockCarriedTypes) {
    if (dataType == row.dataType) return CarriedType{row.fieldType, row.delphiType};
  }
  return std::nullopt;
}

}  // namespace tarvel
