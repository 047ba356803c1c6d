#include "Files.h"

#include <QDir>
#include <fstream>
#include <iterator>

namespace tarvel::testing {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string ListFolder(const std::string& folder) {
  return QDir(QString::fromStdString(folder))
      .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)
      .join(' ')
      .toStdString();
}

std::map<std::string, std::string> UnitFilesIn(const std::string& folder) {
  std::map<std::string, std::string> units;
  const QDir dir(QString::fromStdString(folder));
  for (const QString& name : dir.entryList({QStringLiteral("*.pas")}, QDir::Files)) {
    units[name.toStdString()] = ReadWholeFile(dir.filePath(name));
  }
  return units;
}

}  // namespace tarvel::testing
