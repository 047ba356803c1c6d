#include "typemap/uUtil.h"

#include <gtest/gtest.h>

#include "../settings/TempIniFile.h"
#include "common/Error.h"

namespace tarvel {
namespace {

using testing::TempIniFile;

std::string FailureOf(std::string (*map)(const std::string&), const std::string& dataType) {
  try {
    return "mapped to " + map(dataType);
  } catch (const TarvelError& error) {
    return error.what();
  }
}

TEST(TypeMap, BuiltInTableMapsEveryRow) {
  TempIniFile ini;
  struct Row {
    const char* dataType;
    const char* fieldType;
    const char* delphiType;
  };
  const Row rows[] = {
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
  for (const Row& row : rows) {
    EXPECT_EQ(MapFieldType(row.dataType), row.fieldType) << row.dataType;
    EXPECT_EQ(MapDelphiType(row.dataType), row.delphiType) << row.dataType;
  }
}

TEST(TypeMap, TypeInNeitherPlaceIsNotSupported) {
  TempIniFile ini;
  EXPECT_EQ(FailureOf(MapFieldType, "TIMESTAMP"), "Parameter type: TIMESTAMP not supported!");
  EXPECT_EQ(FailureOf(MapDelphiType, "TIMESTAMP"), "Parameter type: TIMESTAMP not supported!");
  EXPECT_EQ(FailureOf(MapFieldType, " NUMBER"), "Parameter type:  NUMBER not supported!");
}

TEST(TypeMap, OtherLetterCaseFallsBackToTheFile) {
  TempIniFile ini;
  ini.Write("[avar]\nVARCHAR2=ftWideString\n[DVAR]\nVarchar2=WideString\n");
  EXPECT_EQ(MapFieldType("varchar2"), "ftWideString");
  EXPECT_EQ(MapDelphiType("varchar2"), "WideString");
  EXPECT_EQ(MapFieldType("VARCHAR2"), "ftString");
}

TEST(TypeMap, SectionsAreIndependent) {
  TempIniFile ini;
  ini.Write("[AVAR]\nBINARY_INTEGER=ftInteger\nTIMESTAMP=\n[DVAR]\nXMLTYPE=string\n");
  EXPECT_EQ(MapFieldType("BINARY_INTEGER"), "ftInteger");
  EXPECT_EQ(FailureOf(MapDelphiType, "BINARY_INTEGER"),
            "Parameter type: BINARY_INTEGER not supported!");
  EXPECT_EQ(MapDelphiType("XMLTYPE"), "string");
  EXPECT_EQ(FailureOf(MapFieldType, "XMLTYPE"), "Parameter type: XMLTYPE not supported!");
  EXPECT_EQ(FailureOf(MapFieldType, "TIMESTAMP"), "Parameter type: TIMESTAMP not supported!");
}

TEST(TypeMap, BuiltInTableWinsOverTheFile) {
  TempIniFile ini;
  ini.Write("[AVAR]\nNUMBER=ftBCD\nRAW=ftVarArray\n[DVAR]\nNUMBER=Currency\n");
  EXPECT_EQ(MapFieldType("NUMBER"), "ftFloat");
  EXPECT_EQ(MapDelphiType("NUMBER"), "double");
  EXPECT_EQ(MapFieldType("RAW"), "ftVarBytes");
}

}  // namespace
}  // namespace tarvel
