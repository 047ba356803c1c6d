#pragma once

#include <QStringList>
#include <map>
#include <string>

namespace tarvel::testing {

struct BatchResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the real tarvelgen (or the given copy of it) with the arguments, writing input to its
// standard input, and waits for it to end.
BatchResult RunTarvelgen(const QStringList& arguments, const std::string& input = "",
                         const QString& program = QString());

QString TarvelgenPath();
QString DemoSnapshotPath();

// The .pas files of a folder by name, with their bytes.
std::map<std::string, std::string> UnitFiles(const QString& folder);
// The expected units of a case under tests/golden.
std::map<std::string, std::string> GoldenUnits(const std::string& caseName);

std::string ReadBytes(const QString& path);

}  // namespace tarvel::testing
