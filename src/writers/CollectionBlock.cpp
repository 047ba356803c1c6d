#include "writers/CollectionBlock.h"

#include <algorithm>

#include "writers/AdoTexts.h"
#include "writers/BindingRules.h"
#include "writers/CallNames.h"

namespace tarvel {
namespace {

bool IsIndexBy(const CollectionArgument& argument) {
  return argument.Kind == CollectionKind::IndexByNumber ||
         argument.Kind == CollectionKind::IndexByText;
}

std::string Element(const CollectionArgument& argument, const CollectionValue& value) {
  std::string element = argument.Local + "(" + argument.Local + "I)";
  if (!value.Field.empty()) element += "." + value.Field;
  return element;
}

std::string Escaped(const std::string& text) {
  return "nvl(replace(replace(" + text + ", '\\', '\\\\'), '|', '\\|'), '\\N')";
}

// The value's text in the serialisation: the same whatever the session's settings.
std::string ValueText(CollectionValueKind kind, const std::string& value) {
  switch (kind) {
    case CollectionValueKind::Text:
      return Escaped(value);
    case CollectionValueKind::Number:
    case CollectionValueKind::Integer:
      return "nvl(to_char(" + value + ", 'TM9', 'NLS_NUMERIC_CHARACTERS=''.,'''), '\\N')";
    case CollectionValueKind::Date:
      return "nvl(to_char(" + value + ", 'SYYYYMMDDHH24MISS'), '\\N')";
    case CollectionValueKind::Boolean:
      break;
  }
  return "case " + value + " when true then '1' when false then '0' else '\\N' end";
}

}  // namespace

std::optional<CollectionValueKind> CollectionValueKindOf(const TOraTypeMember& member) {
  // An INTERVAL is carried as text in its own conversions, which the serialisation lacks.
  if (member.Type != nullptr || member.DataType.str().starts_with("INTERVAL")) return std::nullopt;
  if (member.FieldType == kFtBoolean) return CollectionValueKind::Boolean;
  // LONG and CLOB read into strings too, but through LOB parameters the text has no form for.
  if (member.FieldType == kFtMemo || member.FieldType == kFtOraClob) return std::nullopt;
  if (member.DelphiType == "string") return CollectionValueKind::Text;
  if (member.DelphiType == "double") return CollectionValueKind::Number;
  if (member.DelphiType == "integer") return CollectionValueKind::Integer;
  if (member.DelphiType == "TDateTime") return CollectionValueKind::Date;
  return std::nullopt;
}

bool IsCarriedCollection(const TOraType& type) {
  const bool collection = type.Kind == TypeKind::IndexBy || type.Kind == TypeKind::NestedTable ||
                          type.Kind == TypeKind::Varray;
  if (!collection || !type.Element) return false;
  const TOraTypeMember& element = *type.Element;
  if (element.Type == nullptr) return CollectionValueKindOf(element).has_value();
  const TOraType& record = *element.Type;
  const bool fieldByField = record.Kind == TypeKind::Record || record.Kind == TypeKind::RowType ||
                            (record.Kind == TypeKind::Object && record.IsFinal);
  return fieldByField && !record.Fields.empty() &&
         std::all_of(record.Fields.begin(), record.Fields.end(), [](const TOraTypeMember& field) {
           return CollectionValueKindOf(field).has_value();
         });
}

std::string_view ElementDelphiType(const TOraType& collection, const DelphiTypeNames& types) {
  if (collection.Kind == TypeKind::IndexBy && collection.IndexBy == "VARCHAR2") {
    return types.entryOf(collection);
  }
  const TOraTypeMember& element = *collection.Element;
  if (element.Type != nullptr) return types.of(*element.Type);
  return element.DelphiType.str();
}

CollectionArgument DescribeCollection(const TOraType& type, std::string local, std::string typeName,
                                      std::string elementConstructor,
                                      const std::vector<std::string>& fieldNames) {
  CollectionArgument argument{std::move(local),
                              std::move(typeName),
                              CollectionKind::NestedTable,
                              std::move(elementConstructor),
                              {}};
  if (type.Kind == TypeKind::IndexBy) {
    argument.Kind =
        type.IndexBy == "VARCHAR2" ? CollectionKind::IndexByText : CollectionKind::IndexByNumber;
  } else if (type.Kind == TypeKind::Varray) {
    argument.Kind = CollectionKind::Varray;
  }
  const TOraTypeMember& element = *type.Element;
  if (element.Type == nullptr) {
    argument.Values.push_back({"", *CollectionValueKindOf(element), "", element.FieldType.str(),
                               element.DelphiType.str()});
    return argument;
  }
  const std::vector<TOraTypeMember>& fields = element.Type->Fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    argument.Values.push_back({QuotedName(fields[i].DbName.str()),
                               *CollectionValueKindOf(fields[i]), fieldNames.at(i),
                               fields[i].FieldType.str(), fields[i].DelphiType.str()});
  }
  return argument;
}

std::vector<std::string> CollectionLocals(const CollectionArgument& argument, bool comesBack) {
  std::vector<std::string> lines = {"  " + argument.Local + " " + argument.TypeName + ";"};
  if (comesBack) lines.push_back("  " + argument.Local + "C clob;");
  lines.push_back(
      "  " + argument.Local + "I " +
      (argument.Kind == CollectionKind::IndexByText ? "varchar2(32767)" : "pls_integer") + ";");
  return lines;
}

std::vector<std::string> CollectionStart(const CollectionArgument& argument) {
  if (IsIndexBy(argument)) return {};
  return {"  " + argument.Local + " := " + argument.TypeName + "();"};
}

std::vector<std::string> CollectionElement(const CollectionArgument& argument) {
  const std::string& v = argument.Local;
  std::vector<std::string> lines;
  switch (argument.Kind) {
    case CollectionKind::IndexByNumber:
      lines.push_back("  " + v + "I := " + v + ".count + 1;");
      break;
    case CollectionKind::IndexByText:
      lines.push_back("  " + v + "I := ?;");
      break;
    case CollectionKind::NestedTable:
    case CollectionKind::Varray:
      lines.push_back("  " + v + ".extend;");
      lines.push_back("  " + v + "I := " + v + ".last;");
      break;
  }
  if (!argument.ElementConstructor.empty()) {
    lines.push_back("  " + v + "(" + v + "I) := " + argument.ElementConstructor + ";");
  }
  for (const CollectionValue& value : argument.Values) {
    const std::string marker = value.Kind == CollectionValueKind::Boolean
                                   ? "case ? when 1 then true when 0 then false end"
                                   : "?";
    lines.push_back("  " + Element(argument, value) + " := " + marker + ";");
  }
  return lines;
}

std::vector<std::string> CollectionSerialisation(const CollectionArgument& argument) {
  const std::string& v = argument.Local;
  const bool nullable = !IsIndexBy(argument);
  const std::string indent = nullable ? "    " : "  ";
  std::vector<std::string> lines;
  if (nullable) {
    lines.push_back("  if " + v + " is null then");
    lines.push_back("    " + v + "C := '\\N|';");
    lines.push_back("  else");
  }
  lines.push_back(indent + v + "C := to_char(" + v + ".count) || '|';");
  lines.push_back(indent + v + "I := " + v + ".first;");
  lines.push_back(indent + "while " + v + "I is not null loop");
  const std::string append = indent + "  " + v + "C := " + v + "C || ";
  if (argument.Kind == CollectionKind::IndexByText) {
    lines.push_back(append + Escaped(v + "I") + " || '|';");
  }
  for (const CollectionValue& value : argument.Values) {
    lines.push_back(append + ValueText(value.Kind, Element(argument, value)) + " || '|';");
  }
  lines.push_back(indent + "  " + v + "I := " + v + ".next(" + v + "I);");
  lines.push_back(indent + "end loop;");
  if (nullable) lines.push_back("  end if;");
  lines.push_back("  ? := " + v + "C;");
  return lines;
}

std::string CollectionReaderKinds(const CollectionArgument& argument) {
  std::string kinds = argument.Kind == CollectionKind::IndexByText ? "S" : "";
  for (const CollectionValue& value : argument.Values) {
    kinds += "SFIDB"[static_cast<int>(value.Kind)];
  }
  return kinds;
}

namespace {

const char kReaderFunctions[][16] = {"ReadString", "ReadDouble", "ReadInteger", "ReadDateTime",
                                     "ReadBoolean"};

// After the element: a text-keyed entry holds its value in "Value", a record its fields.
std::string ValueAccess(const CollectionArgument& argument, const CollectionValue& value) {
  std::string access = argument.Kind == CollectionKind::IndexByText ? ".Value" : "";
  if (!value.PascalField.empty()) access += "." + value.PascalField;
  return access;
}

std::string ElementAdoName(const CollectionValue& value) {
  std::string name = ")";
  if (!value.Field.empty()) {
    name += '.';
    name.append(value.Field, 1, value.Field.size() - 2);
  }
  return name;
}

}  // namespace

std::vector<ElementParameter> ElementParameters(const CollectionArgument& argument,
                                                std::string_view array) {
  const std::string element = std::string(array) + "[" + kElementIndex + "]";
  std::vector<ElementParameter> parameters;
  if (argument.Kind == CollectionKind::IndexByText) {
    parameters.push_back({").KEY()", kFtString, "Length", element + ".Key", {}, element + ".Key"});
  }
  for (const CollectionValue& value : argument.Values) {
    const std::string operand = element + ValueAccess(argument, value);
    if (value.Kind == CollectionValueKind::Boolean) {
      parameters.push_back(
          {ElementAdoName(value), kFtInteger, "SizeOf", "integer", "integer", operand});
      continue;
    }
    TOraParameter scalar;
    scalar.FieldType = value.FieldType;
    scalar.DelphiType = value.DelphiType;
    const PascalExpression size = SizeExpression(scalar, kPdInput, operand);
    parameters.push_back({ElementAdoName(value),
                          value.FieldType,
                          size.Function,
                          std::string(size.Operand),
                          {},
                          operand});
  }
  return parameters;
}

std::vector<ElementRead> ElementReads(const CollectionArgument& argument) {
  const std::string element = std::string("[") + kElementIndex + "]";
  std::vector<ElementRead> reads;
  if (argument.Kind == CollectionKind::IndexByText)
    reads.push_back({element + ".Key", "ReadString"});
  for (const CollectionValue& value : argument.Values) {
    reads.push_back(
        {element + ValueAccess(argument, value), kReaderFunctions[static_cast<int>(value.Kind)]});
  }
  return reads;
}

}  // namespace tarvel
