#include "BatchProcess.h"

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
                         const QString& program, const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
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

std::map<std::string, std::string> GoldenUnits(const std::string& caseName) {
  return UnitFilesIn(TARVEL_SOURCE_DIR "/tests/golden/" + caseName);
}

}  // namespace tarvel::testing
