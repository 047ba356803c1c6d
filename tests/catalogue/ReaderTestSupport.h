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
  void warning(const RoutineWarning& warning) override;
  std::vector<std::string> events;
};

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
