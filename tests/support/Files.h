#pragma once

#include <QString>
#include <map>
#include <string>

namespace tarvel::testing {

// The whole content of a file, or "" when there is none.
std::string ReadWholeFile(const std::string& path);
inline std::string ReadWholeFile(const char* path) {
  return ReadWholeFile(std::string(path));
}
inline std::string ReadWholeFile(const QString& path) {
  return ReadWholeFile(path.toStdString());
}

// The names in a folder, sorted, separated by blanks.
std::string ListFolder(const std::string& folder);

// The .pas files of a folder by name, with their bytes.
std::map<std::string, std::string> UnitFilesIn(const std::string& folder);
inline std::map<std::string, std::string> UnitFilesIn(const QString& folder) {
  return UnitFilesIn(folder.toStdString());
}

}  // namespace tarvel::testing
