#pragma once

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "SnapshotFixture.h"
#include "catalogue/DictionaryConnection.h"
#include "catalogue/uClass.h"
#include "catalogue/uOracleParser.h"

namespace tarvel::testing {

// What the reader reported, in order: "package read", or "warning: " and the message.
class RecordingListener : public ReadListener {
 public:
  void packageRead() override;
  void warning(const std::string& message) override;
  std::vector<std::string> events;
};

// One all_arguments row; an empty text is stored as NULL, as Oracle stores it.
struct ArgumentRow {
  std::string owner = "HR";
  std::string package{};
  std::string routine{};
  std::string overload{};
  std::string argument{};
  int position = 1;
  int level = 0;
  std::string type{};
  std::string inOut = "IN";
};
std::string Insert(const ArgumentRow& row);

// One all_procedures row: a package or stand-alone routine has no procedure name.
struct ProcedureRow {
  std::string owner = "HR";
  std::string object{};
  std::string procedure{};
  std::string overload{};
  std::string type = "PACKAGE";
};
std::string Insert(const ProcedureRow& row);

// The model as lines of text, so that a test compares a whole model at once.
std::vector<std::string> Describe(const TOraDatabase& database);
std::vector<std::string> Describe(const TOraPackage& package);

// Runs SQL on a snapshot file through a connection of its own, beside the one under test.
void ChangeSnapshot(const std::string& path, const std::string& sql);

// A connection to a snapshot that records every statement sent, and the type additions a test
// reads with (none unless it sets some).
class SnapshotReaderTest : public ::testing::Test {
 protected:
  void SetUp() override;

  void OpenSnapshot(const std::string& path);
  // A fresh snapshot holding the rows (SQL text), opened.
  void OpenRows(const std::string& rowsSql);
  const std::string& SnapshotPath() const { return snapshot->path(); }

  // Declared before the connection, so that the connection closes before the file goes.
  std::unique_ptr<TemporarySnapshot> snapshot;

  DictionaryConnection connection;
  std::vector<std::string> statements;
  RecordingListener listener;
  TypeAdditions types;
};

}  // namespace tarvel::testing
