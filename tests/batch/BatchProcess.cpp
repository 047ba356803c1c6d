#include "BatchProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "common/QtText.h"

namespace tarvel::testing {

QString TarvelgenPath() {
  return QStringLiteral(TARVEL_TARVELGEN);
}

QString DemoSnapshotPath() {
  return QStringLiteral(TARVEL_DEMO_SNAPSHOT);
}

BatchResult RunTarvelgen(const QStringList& arguments, const std::string& input,
                         const QString& program) {
  QProcess process;
  process.start(program.isEmpty() ? TarvelgenPath() : program, arguments);
  BatchResult result;
  if (!process.waitForStarted()) {
    result.err = "cannot start: " + FromQString(process.errorString());
    return result;
  }
  process.write(input.data(), static_cast<qint64>(input.size()));
  process.closeWriteChannel();
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    result.err = "did not finish";
    return result;
  }
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.out = process.readAllStandardOutput().toStdString();
  result.err = process.readAllStandardError().toStdString();
  return result;
}

std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<cannot read " + FromQString(path) + ">";
  return file.readAll().toStdString();
}

std::map<std::string, std::string> UnitFiles(const QString& folder) {
  std::map<std::string, std::string> units;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.pas")}, QDir::Files)) {
    units[FromQString(name)] = ReadBytes(dir.filePath(name));
  }
  return units;
}

std::map<std::string, std::string> GoldenUnits(const std::string& caseName) {
  return UnitFiles(QStringLiteral(TARVEL_SOURCE_DIR "/tests/golden/") + ToQString(caseName));
}

}  // namespace tarvel::testing
