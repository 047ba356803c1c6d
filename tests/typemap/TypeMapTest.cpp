#include "typemap/uUtil.h"

#include <SimpleIni.h>
#include <gtest/gtest.h>

#include <set>

#include "../settings/TempIniFile.h"
#include "common/Error.h"

namespace tarvel {
namespace {

using testing::TempIniFile;

struct Row {
  const char* dataType;
  const char* fieldType;
  const char* delphiType;
};

void ExpectMappings(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    EXPECT_EQ(MapFieldType(row.dataType), row.fieldType) << row.dataType;
    EXPECT_EQ(MapDelphiType(row.dataType), row.delphiType) << row.dataType;
  }
}

std::string FailureOf(std::string (*map)(const std::string&), const std::string& dataType) {
  try {
    return "mapped to " + map(dataType);
  } catch (const TarvelError& error) {
    return error.what();
  }
}

TEST(TypeMap, BuiltInTableMapsEveryRow) {
  TempIniFile ini;
  ExpectMappings({
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
  });
}

// The sample a user copies into config.ini: read through the settings store, each of its keys
// maps in both sections, and it holds no key besides these.
TEST(TypeMap, SampleAdditionsMapEveryKey) {
  const std::string sample = TARVEL_SOURCE_DIR "/samples/type-additions.ini";
  const std::vector<Row> rows = {
      {"BINARY_INTEGER", "ftInteger", "integer"},
      {"PLS_INTEGER", "ftInteger", "integer"},
      {"TIMESTAMP", "ftDateTime", "TDateTime"},
      {"TIMESTAMP WITH TIME ZONE", "ftDateTime", "TDateTime"},
      {"TIMESTAMP WITH LOCAL TIME ZONE", "ftDateTime", "TDateTime"},
      {"BINARY_DOUBLE", "ftFloat", "double"},
      {"BINARY_FLOAT", "ftFloat", "double"},
      {"NVARCHAR2", "ftString", "string"},
      {"NCHAR", "ftString", "string"},
      {"NCLOB", "ftWideMemo", "string"},
      {"ROWID", "ftString", "string"},
      {"UROWID", "ftString", "string"},
  };
  SetIniFilePath(sample);
  ExpectMappings(rows);
  SetIniFilePath("");

  std::set<std::string> expected;
  for (const Row& row : rows) expected.insert(row.dataType);
  CSimpleIniA ini;
  ASSERT_GE(ini.LoadFile(sample.c_str()), 0);
  for (const char* section : {"AVAR", "DVAR"}) {
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(section, keys);
    std::set<std::string> found;
    for (const CSimpleIniA::Entry& key : keys) found.insert(key.pItem);
    EXPECT_EQ(found, expected) << section;
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
