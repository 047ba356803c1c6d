#pragma once

#include <QProcessEnvironment>
#include <QStringList>
#include <map>
#include <string>

#include "Files.h"

namespace tarvel::testing {

struct BatchResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the real tarvelgen (or the given copy of it) with the arguments, writing input to its
// standard input, and waits for it to end.
BatchResult RunTarvelgen(
    const QStringList& arguments, const std::string& input = "", const QString& program = QString(),
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

QString TarvelgenPath();
QString DemoSnapshotPath();

// The expected units of a case under tests/golden.
std::map<std::string, std::string> GoldenUnits(const std::string& caseName);

}  // namespace tarvel::testing
