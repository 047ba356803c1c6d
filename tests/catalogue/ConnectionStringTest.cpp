#include <gtest/gtest.h>

#include "catalogue/ConnectionString.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"

namespace tarvel {
namespace {

TEST(ConnectionString, OrdinaryValuesAreInsertedAsTyped) {
  EXPECT_EQ(BuildConnectionString({"hr", "Secret#1", "ORCL"}),
            "Provider=OraOLEDB.Oracle.1;PLSQLRSet=1;Password=Secret#1;Persist Security "
            "Info=True;User ID=hr;Data Source=ORCL");
}

TEST(ConnectionString, ValuesWithSeparatorsQuotesOrOuterBlanksAreQuoted) {
  EXPECT_EQ(BuildConnectionString({"o'brien", "a;\"b\"", " /data/dictionary.sqlite"}),
            "Provider=OraOLEDB.Oracle.1;PLSQLRSet=1;Password=\"a;\"\"b\"\"\";Persist Security "
            "Info=True;User ID=\"o'brien\";Data Source=\" /data/dictionary.sqlite\"");
}

TEST(ConnectionString, EveryValueComesBackIntact) {
  for (const std::string value :
       {"", "plain", "a;b", ";", "\"", "say \"hi\"", "o'brien", " lead", "trail ", "\tboth ",
        "a=b;c=d", "\"\";\"\"", "Data Source=elsewhere", "\xc3\xbcml\xc3\xa4ut"}) {
    const ConnectionStringValues values =
        ParseConnectionString(BuildConnectionString({value, value + "!", "db " + value}));
    EXPECT_EQ(values.value("User ID"), value);
    EXPECT_EQ(values.value("Password"), value + "!");
    EXPECT_EQ(values.value("Data Source"), "db " + value);
    EXPECT_EQ(values.value("Provider"), "OraOLEDB.Oracle.1");
  }
}

TEST(ConnectionString, KeysIgnoreCaseAndBlanksAroundThemAndTheLaterPairWins) {
  const ConnectionStringValues values =
      ParseConnectionString(" user id = scott ;;DATA SOURCE=a; Data Source = \"b;c\" ;");
  EXPECT_EQ(values.value("User ID"), "scott");
  EXPECT_EQ(values.value("data source"), "b;c");
  EXPECT_EQ(values.value("Password"), "");
}

TEST(ConnectionString, MalformedTextFails) {
  EXPECT_THROW(ParseConnectionString("Password=\"open;User ID=x"), TarvelError);
  EXPECT_THROW(ParseConnectionString("Password=\"a\"b;User ID=x"), TarvelError);
  EXPECT_THROW(ParseConnectionString("Password=a;stray;User ID=x"), TarvelError);
}

}  // namespace
}  // namespace tarvel
