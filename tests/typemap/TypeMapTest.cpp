#include "typemap/uUtil.h"

#include <SimpleIni.h>
#include <gtest/gtest.h>

#include <set>

#include "../settings/TempIniFile.h"
#include "common/Error.h"
#include "settings/Settings.h"

namespace tarvel {
namespace {

using testing::TempIniFile;

struct Row {
  const char* dataType;
  const char* fieldType;
  const char* delphiType;
};

void ExpectMappings(const std::vector<Row>& rows, const TypeAdditions& additions = {}) {
  for (const Row& row : rows) {
    EXPECT_EQ(MapFieldType(row.dataType, additions), row.fieldType) << row.dataType;
    EXPECT_EQ(MapDelphiType(row.dataType, additions), row.delphiType) << row.dataType;
  }
}

// The additions as the settings store reads them from a config.ini holding the text.
TypeAdditions Additions(const std::string& configText) {
  TempIniFile ini;
  ini.write(configText);
  return LoadSettings(ini.path()).typeAdditions;
}

std::string FailureOf(std::string (*map)(const std::string&, const TypeAdditions&),
                      const std::string& dataType, const TypeAdditions& additions = {}) {
  try {
    return "mapped to " + map(dataType, additions);
  } catch (const TarvelError& error) {
    return error.what();
  }
}

TEST(TypeMap, BuiltInTableMapsEveryRow) {
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
  ExpectMappings(rows, LoadSettings(sample).typeAdditions);

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
  EXPECT_EQ(FailureOf(MapFieldType, "TIMESTAMP"), "Parameter type: TIMESTAMP not supported!");
  EXPECT_EQ(FailureOf(MapDelphiType, "TIMESTAMP"), "Parameter type: TIMESTAMP not supported!");
  EXPECT_EQ(FailureOf(MapFieldType, " NUMBER"), "Parameter type:  NUMBER not supported!");
}

TEST(TypeMap, OtherLetterCaseFallsBackToTheFile) {
  const TypeAdditions additions =
      Additions("[avar]\nVARCHAR2=ftWideString\n[DVAR]\nVarchar2=WideString\n");
  EXPECT_EQ(MapFieldType("varchar2", additions), "ftWideString");
  EXPECT_EQ(MapDelphiType("varchar2", additions), "WideString");
  EXPECT_EQ(MapFieldType("VARCHAR2", additions), "ftString");
}

TEST(TypeMap, SectionsAreIndependent) {
  const TypeAdditions additions =
      Additions("[AVAR]\nBINARY_INTEGER=ftInteger\nTIMESTAMP=\n[DVAR]\nXMLTYPE=string\n");
  EXPECT_EQ(MapFieldType("BINARY_INTEGER", additions), "ftInteger");
  EXPECT_EQ(FailureOf(MapDelphiType, "BINARY_INTEGER", additions),
            "Parameter type: BINARY_INTEGER not supported!");
  EXPECT_EQ(MapDelphiType("XMLTYPE", additions), "string");
  EXPECT_EQ(FailureOf(MapFieldType, "XMLTYPE", additions),
            "Parameter type: XMLTYPE not supported!");
  EXPECT_EQ(FailureOf(MapFieldType, "TIMESTAMP", additions),
            "Parameter type: TIMESTAMP not supported!");
}

TEST(TypeMap, BuiltInTableWinsOverTheFile) {
  const TypeAdditions additions =
      Additions("[AVAR]\nNUMBER=ftBCD\nRAW=ftVarArray\n[DVAR]\nNUMBER=Currency\n");
  EXPECT_EQ(MapFieldType("NUMBER", additions), "ftFloat");
  EXPECT_EQ(MapDelphiType("NUMBER", additions), "double");
  EXPECT_EQ(MapFieldType("RAW", additions), "ftVarBytes");
}

}  // namespace
}  // namespace tarvel
