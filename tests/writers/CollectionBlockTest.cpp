#include "writers/CollectionBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

using Lines = std::vector<std::string>;

std::string Expression(std::string_view function, const std::string& operand) {
  return function.empty() ? operand : std::string(function) + "(" + operand + ")";
}

TOraTypeMember Scalar(const char* name, const char* fieldType, const char* delphiType) {
  TOraTypeMember member;
  member.DbName = name;
  member.FieldType = fieldType;
  member.DelphiType = delphiType;
  return member;
}

TOraType Collection(TypeKind kind, const char* indexBy, TOraTypeMember element) {
  TOraType type;
  type.Kind = kind;
  type.IndexBy = indexBy;
  type.Element = std::move(element);
  return type;
}

// Which elements the text has a form for: the reader's five kinds, nothing that binds as a LOB,
// no composite.
TEST(CollectionBlock, ValueKindsFollowTheMappedTypes) {
  const struct {
    TOraTypeMember member;
    std::optional<CollectionValueKind> kind;
  } cases[] = {
      {Scalar("", "ftString", "string"), CollectionValueKind::Text},
      {Scalar("", "ftWideString", "string"), CollectionValueKind::Text},
      {Scalar("", "ftFloat", "double"), CollectionValueKind::Number},
      {Scalar("", "ftSmallint", "integer"), CollectionValueKind::Integer},
      {Scalar("", "ftDateTime", "TDateTime"), CollectionValueKind::Date},
      {Scalar("", "ftBoolean", "boolean"), CollectionValueKind::Boolean},
      {Scalar("", "ftMemo", "string"), std::nullopt},
      {Scalar("", "ftMemo", "TBlobData"), std::nullopt},
      {Scalar("", "ftBlob", "TBlobByteData"), std::nullopt},
      {Scalar("", "ftVarBytes", "TBlobByteData"), std::nullopt},
      {Scalar("", "ftString", "TMyText"), std::nullopt},
      {Scalar("", "", ""), std::nullopt},
  };
  TOraTypeMember interval = Scalar("", "ftString", "string");
  interval.DataType = "INTERVAL DAY TO SECOND";
  EXPECT_FALSE(CollectionValueKindOf(interval));
  for (const auto& [member, kind] : cases) {
    EXPECT_EQ(CollectionValueKindOf(member), kind)
        << member.FieldType.str() << " " << member.DelphiType.str();
  }
  EXPECT_TRUE(
      IsCarriedCollection(Collection(TypeKind::Varray, "", Scalar("", "ftDateTime", "TDateTime"))));
  EXPECT_FALSE(IsCarriedCollection(Collection(TypeKind::Varray, "", Scalar("", "ftBlob", ""))));
}

// Elements that are records, %ROWTYPEs or FINAL objects of those scalars go field by field;
// anything deeper stays left out.
TEST(CollectionBlock, RecordElementsNeedFieldsTheTextHasAFormFor) {
  TOraType record;
  record.Fields = {Scalar("ID", "ftFloat", "double"), Scalar("ON", "ftBoolean", "boolean")};
  TOraTypeMember element;
  element.Type = &record;
  const TOraType table = Collection(TypeKind::IndexBy, "BINARY_INTEGER", element);
  EXPECT_TRUE(IsCarriedCollection(table));
  EXPECT_FALSE(CollectionValueKindOf(element));
  EXPECT_FALSE(IsCarriedCollection(record));
  TOraTypeMember nested;
  nested.Type = &table;
  TOraType grid = Collection(TypeKind::IndexBy, "BINARY_INTEGER", nested);
  EXPECT_FALSE(IsCarriedCollection(grid));
  record.Fields.push_back(nested);
  EXPECT_FALSE(IsCarriedCollection(table));
  record.Fields.pop_back();
  record.Kind = TypeKind::Object;
  record.IsFinal = false;
  EXPECT_FALSE(IsCarriedCollection(table));
  record.IsFinal = true;
  EXPECT_TRUE(IsCarriedCollection(table));
}

// A text-keyed table of records: the key first, then one value per field, on both sides.
TEST(CollectionBlock, TextKeyedRecordsTravelKeyFirstThenFieldByField) {
  TOraType record;
  record.Fields = {Scalar("EMP_ID", "ftFloat", "double"), Scalar("ACTIVE", "ftBoolean", "boolean")};
  TOraTypeMember element;
  element.Type = &record;
  const CollectionArgument map =
      DescribeCollection(Collection(TypeKind::IndexBy, "VARCHAR2", element), "V2",
                         "\"HR\".\"PKG\".\"EMP_MAP\"", "", {"EmpId", "Active"});
  EXPECT_EQ(CollectionElement(map),
            (Lines{"  V2I := ?;", "  V2(V2I).\"EMP_ID\" := ?;",
                   "  V2(V2I).\"ACTIVE\" := case ? when 1 then true when 0 then false end;"}));
  EXPECT_EQ(CollectionReaderKinds(map), "SFB");
  const std::vector<ElementParameter> parameters = ElementParameters(map, "PMap");
  ASSERT_EQ(parameters.size(), 3U);
  EXPECT_EQ(parameters[0].AdoNameAfterIndex, ").KEY()");
  EXPECT_EQ(Expression(parameters[0].SizeFunction, parameters[0].SizeOperand),
            "Length(PMap[nMyIndex].Key)");
  EXPECT_EQ(parameters[1].AdoNameAfterIndex, ").EMP_ID");
  EXPECT_EQ(Expression(parameters[1].ValueFunction, parameters[1].ValueOperand),
            "PMap[nMyIndex].Value.EmpId");
  EXPECT_EQ(Expression(parameters[1].SizeFunction, parameters[1].SizeOperand), "SizeOf(double)");
  EXPECT_EQ(parameters[2].FieldType, "ftInteger");
  EXPECT_EQ(Expression(parameters[2].ValueFunction, parameters[2].ValueOperand),
            "integer(PMap[nMyIndex].Value.Active)");
  const std::vector<ElementRead> reads = ElementReads(map);
  ASSERT_EQ(reads.size(), 3U);
  EXPECT_EQ(reads[0].Access + " " + std::string(reads[0].Function), "[nMyIndex].Key ReadString");
  EXPECT_EQ(reads[2].Access + " " + std::string(reads[2].Function),
            "[nMyIndex].Value.Active ReadBoolean");
  const Lines serialised = CollectionSerialisation(map);
  ASSERT_EQ(serialised.size(), 9U);
  EXPECT_EQ(serialised[0], "  V2C := to_char(V2.count) || '|';");
  EXPECT_EQ(
      serialised[3],
      "    V2C := V2C || nvl(replace(replace(V2I, '\\', '\\\\'), '|', '\\|'), '\\N') || '|';");
  EXPECT_EQ(serialised[5],
            "    V2C := V2C || case V2(V2I).\"ACTIVE\" when true then '1' when false then '0' "
            "else '\\N' end || '|';");
}

// An object element is built before its fields are set; a nested table starts empty, not NULL.
TEST(CollectionBlock, ObjectElementsAreBuiltBeforeTheirFields) {
  TOraType object;
  object.Kind = TypeKind::Object;
  object.Fields = {Scalar("STREET", "ftString", "string")};
  TOraTypeMember element;
  element.Type = &object;
  const CollectionArgument addresses =
      DescribeCollection(Collection(TypeKind::NestedTable, "", element), "V1",
                         "\"HR\".\"ADDRESS_TAB\"", "\"HR\".\"ADDRESS_T\"(null)", {"Street"});
  EXPECT_EQ(CollectionStart(addresses), (Lines{"  V1 := \"HR\".\"ADDRESS_TAB\"();"}));
  EXPECT_EQ(CollectionElement(addresses),
            (Lines{"  V1.extend;", "  V1I := V1.last;", "  V1(V1I) := \"HR\".\"ADDRESS_T\"(null);",
                   "  V1(V1I).\"STREET\" := ?;"}));
}

}  // namespace
}  // namespace tarvel
