#include "writers/CarriedArgument.h"

#include <algorithm>

#include "writers/AdoTexts.h"
#include "writers/CallNames.h"
#include "writers/CollectionBlock.h"
#include "writers/DelphiTypeNames.h"

namespace tarvel {
namespace {

const char kXmlType[] = "OPAQUE/XMLTYPE";
const char kDayToSecond[] = "INTERVAL DAY TO SECOND";
const char kYearToMonth[] = "INTERVAL YEAR TO MONTH";

std::string NumberToBoolean(std::string_view number) {
  return "case " + std::string(number) + " when 1 then true when 0 then false end";
}

std::string BooleanToNumber(std::string_view boolean) {
  return "case " + std::string(boolean) + " when true then 1 when false then 0 end";
}

std::string Statement(std::string_view text) {
  return "  " + std::string(text) + ';';
}

void CarryRecord(const TOraParameter& argument, bool takesIn, bool givesOut, std::string_view local,
                 std::string_view adoName, std::string_view variable,
                 const std::vector<std::string>& fieldNames, CarriedArgument& carried) {
  const TOraType& type = *argument.Type;
  const std::string localName(local);
  carried.Declarations.push_back(Statement(localName + ' ' + BlockTypeName(type)));
  if (takesIn && type.Kind == TypeKind::Object) {
    carried.InLines.push_back(Statement(localName + " := " + ObjectConstructor(type)));
  }
  for (std::size_t i = 0; i < type.Fields.size(); ++i) {
    const TOraTypeMember& field = type.Fields[i];
    const std::string place = localName + '.' + QuotedName(field.DbName.str());
    const std::string fieldAdoName = std::string(adoName) + '.' + field.DbName.str();
    const std::string pascal = std::string(variable) + '.' + fieldNames[i];
    const bool boolean = field.FieldType == kFtBoolean;
    if (takesIn) {
      carried.InLines.push_back(Statement(place + " := " + (boolean ? NumberToBoolean("?") : "?")));
      carried.InValues.push_back({fieldAdoName, field.FieldType, field.DelphiType, pascal});
    }
    if (givesOut) {
      carried.OutLines.push_back(Statement("? := " + (boolean ? BooleanToNumber(place) : place)));
      carried.OutValues.push_back({fieldAdoName, field.FieldType, field.DelphiType, pascal});
    }
  }
}

// A scalar that no bind takes as it is: a BOOLEAN, an XMLTYPE or an INTERVAL.
void CarryScalar(const TOraParameter& argument, bool takesIn, bool givesOut, std::string_view local,
                 std::string_view adoName, std::string_view variable, CarriedArgument& carried) {
  const std::string localName(local);
  const std::string carrier = localName + 'C';
  std::string type = "boolean";
  std::vector<std::string> in = {localName + " := " + NumberToBoolean("?")};
  std::string out = "? := " + BooleanToNumber(localName);
  if (argument.DataType == kXmlType) {
    type = "xmltype";
    in = {carrier + " := ?", "if " + carrier + " is not null then " + localName + " := xmltype(" +
                                 carrier + "); end if"};
    out = "? := case when " + localName + " is not null then " + localName + ".getclobval() end";
  } else if (argument.DataType == kDayToSecond || argument.DataType == kYearToMonth) {
    const bool daySecond = argument.DataType == kDayToSecond;
    type = daySecond ? "interval day(9) to second(9)" : "interval year(9) to month";
    in = {localName + " := " + (daySecond ? "to_dsinterval(?)" : "to_yminterval(?)")};
    out = "? := to_char(" + localName + ')';
  }
  carried.Declarations.push_back(Statement(localName + ' ' + type));
  if (takesIn && argument.DataType == kXmlType) {
    carried.Declarations.push_back(Statement(carrier + " clob"));
  }
  if (takesIn) {
    for (const std::string& line : in) carried.InLines.push_back(Statement(line));
    carried.InValues.push_back(
        {std::string(adoName), argument.FieldType, argument.DelphiType, std::string(variable)});
  }
  if (givesOut) {
    carried.OutLines.push_back(Statement(out));
    carried.OutValues.push_back(
        {std::string(adoName), argument.FieldType, argument.DelphiType, std::string(variable)});
  }
}

}  // namespace

// A dictionary that does not name the owner (an old snapshot's nested rows) leaves the type to
// the schema the units are made for, as an unqualified name is.
std::string BlockTypeName(const TOraType& type) {
  std::string name;
  if (!type.Owner.empty()) name = QuotedName(type.Owner.str()) + '.';
  name += QuotedName(type.Name.str());
  if (!type.SubName.empty()) name += '.' + QuotedName(type.SubName.str());
  if (type.Kind == TypeKind::RowType) name += "%rowtype";
  return name;
}

std::string ObjectConstructor(const TOraType& type) {
  std::string constructor = BlockTypeName(type) + '(';
  for (std::size_t i = 0; i < type.Fields.size(); ++i) constructor += i == 0 ? "null" : ", null";
  return constructor + ')';
}

bool IsCarriedThroughLocal(const TOraParameter& argument) {
  return argument.Type != nullptr || argument.FieldType == kFtBoolean ||
         argument.DataType == kXmlType || argument.DataType == kDayToSecond ||
         argument.DataType == kYearToMonth;
}

bool IsCarriedThroughBlock(const TOraType& type) {
  const bool fieldByField = type.Kind == TypeKind::Record || type.Kind == TypeKind::RowType ||
                            (type.Kind == TypeKind::Object && type.IsFinal);
  return fieldByField && !type.Fields.empty() &&
         std::all_of(type.Fields.begin(), type.Fields.end(), [](const TOraTypeMember& field) {
           return field.Type == nullptr && !field.FieldType.empty() &&
                  field.FieldType != kFtRefCursor;
         });
}

const TOraParameter* UncarriedArgument(const TOraProcedure& routine) {
  std::vector<const TOraParameter*> values;
  if (routine.ReturnParam) values.push_back(routine.ReturnParam.get());
  for (const TOraParameter& argument : routine.Parameters) values.push_back(&argument);
  const bool hasCursor = std::any_of(values.begin(), values.end(), [](const TOraParameter* value) {
    return IsCursorParameter(*value);
  });
  for (const TOraParameter* value : values) {
    if (IsRecordValue(*value) && !IsCarriedThroughBlock(*value->Type) &&
        !IsCarriedCollection(*value->Type)) {
      return value;
    }
    if (hasCursor && IsCarriedThroughLocal(*value) && value->FieldType != kFtBoolean) return value;
  }
  return nullptr;
}

CarriedArgument CarryArgument(const TOraParameter& argument, bool takesIn, bool givesOut,
                              std::string_view local, std::string_view adoName,
                              std::string_view variable,
                              const std::vector<std::string>& fieldNames) {
  CarriedArgument carried;
  if (IsRecordValue(argument)) {
    CarryRecord(argument, takesIn, givesOut, local, adoName, variable, fieldNames, carried);
  } else {
    CarryScalar(argument, takesIn, givesOut, local, adoName, variable, carried);
  }
  return carried;
}

}  // namespace tarvel
