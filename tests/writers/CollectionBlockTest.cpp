#include "writers/CollectionBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

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

}  // namespace
}  // namespace tarvel
