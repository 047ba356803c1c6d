#include "writers/GenerateUnits.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvel {
namespace {

// A package, its routine and the routine's argument, all with one dictionary name.
std::unique_ptr<TOraDatabase> ModelNamedEverywhere(const std::string& dbName) {
  auto model = std::make_unique<TOraDatabase>();
  TOraPackage& package = model->Packages.Add({});
  package.DbName = dbName;
  package.Name = FormatIdentifier(dbName);
  TOraProcedure& routine = package.Procedures.Add({});
  routine.DbName = dbName;
  routine.Name = FormatIdentifier(dbName);
  TOraParameter& argument = routine.Parameters.Add({});
  argument.DbName = dbName;
  argument.Name = FormatIdentifier(dbName);
  argument.FieldType = "ftString";
  argument.DelphiType = "string";
  argument.Direction = "pdInput";
  return model;
}

// Quoted Oracle names may hold any byte and 128 of them (Delphi reads 255 in an identifier).
TEST(GenerateUnits, DictionaryNamesOfAnyBytesGiveIdentifiers) {
  const std::string longName(128, 'Q');
  const struct {
    std::string dbName;
    std::string name;
  } cases[] = {
      {"#$%", "___"},
      {"-", "_"},
      {"\xC3\x89T\xC3\x89", "__t__"},
      {"\xFF", "_"},
      {"1ST", "_1st"},
      {longName, "Q" + std::string(127, 'q')},
      {std::string(64, '\xC3') + std::string(64, '\x89'), std::string(128, '_')},
  };
  for (const auto& [dbName, name] : cases) {
    const GeneratedUnits generated = GenerateUnits(*ModelNamedEverywhere(dbName), UnitOptions{});
    ASSERT_EQ(generated.Units.size(), 2u);
    EXPECT_EQ(generated.Units[1].FileName, "u" + name + ".pas");
    EXPECT_NE(generated.Units[1].Text.find("procedure T" + name + "." + name + "(" + name +
                                           " : string); \r\n"),
              std::string::npos)
        << dbName;
    EXPECT_EQ(generated.NameChanges.size(), FormatIdentifier(dbName) == name ? 0u : 3u) << dbName;
  }
}

}  // namespace
}  // namespace tarvel
