#include "typemap/uUtil.h"

#include <gtest/gtest.h>

#include <set>

#include "TempIniFile.h"
#include "common/Error.h"
#include "settings/Settings.h"

namespace tarvel {
namespace {

using testing::TempIniFile;

struct Row {
  const char* dataType;
  const char* fieldType;  // the mapped text, or the failure's message
  const char* delphiType;
  const char* config = "";  // what config.ini holds besides
};

// The additions as the settings store reads them from a config.ini holding the text.
TypeAdditions Additions(const std::string& configText) {
  TempIniFile ini;
  ini.write(configText);
  return LoadSettings(ini.path()).typeAdditions;
}

std::string Mapped(std::string (*map)(std::string_view, const TypeAdditions&),
                   const std::string& dataType, const TypeAdditions& additions) {
  try {
    return map(dataType, additions);
  } catch (const TarvelError& error) {
    return error.what();
  }
}

void ExpectMappings(const std::vector<Row>& rows, const TypeAdditions& sample = {}) {
  for (const Row& row : rows) {
    const TypeAdditions additions = *row.config == '\0' ? sample : Additions(row.config);
    EXPECT_EQ(Mapped(MapFieldType, row.dataType, additions), row.fieldType) << row.dataType;
    EXPECT_EQ(Mapped(MapDelphiType, row.dataType, additions), row.delphiType) << row.dataType;
  }
}

constexpr char kOtherCase[] = "[avar]\nVARCHAR2=ftWideString\n[DVAR]\nVarchar2=WideString\n";
constexpr char kOneSection[] =
    "[AVAR]\nBINARY_INTEGER=ftInteger\nTIMESTAMP=\n[DVAR]\nXMLTYPE=string\n";
constexpr char kOverridden[] = "[AVAR]\nNUMBER=ftBCD\nRAW=ftVarArray\n[DVAR]\nNUMBER=Currency\n";

// The built-in table is compared whole and case-sensitively and wins over config.ini; a type
// outside it takes each section's entry, found ignoring case, and an empty entry is none.
TEST(TypeMap, BuiltInTableThenTheAdditions) {
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
      {"TIMESTAMP", "Parameter type: TIMESTAMP not supported!",
       "Parameter type: TIMESTAMP not supported!"},
      {" NUMBER", "Parameter type:  NUMBER not supported!",
       "Parameter type:  NUMBER not supported!"},
      {"varchar2", "ftWideString", "WideString", kOtherCase},
      {"VARCHAR2", "ftString", "string", kOtherCase},
      {"BINARY_INTEGER", "ftInteger", "Parameter type: BINARY_INTEGER not supported!", kOneSection},
      {"XMLTYPE", "Parameter type: XMLTYPE not supported!", "string", kOneSection},
      {"TIMESTAMP", "Parameter type: TIMESTAMP not supported!",
       "Parameter type: TIMESTAMP not supported!", kOneSection},
      {"NUMBER", "ftFloat", "double", kOverridden},
      {"RAW", "ftVarBytes", "TBlobByteData", kOverridden},
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
  const IniFile ini = IniFile::read(sample);
  for (const char* section : {"AVAR", "DVAR"}) {
    std::set<std::string> found;
    for (const auto& [key, value] : ini.sectionValues(section)) found.insert(key);
    EXPECT_EQ(found, expected) << section;
  }
}

}  // namespace
}  // namespace tarvel
