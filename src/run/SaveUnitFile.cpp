#include "run/SaveUnitFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "common/Error.h"
#include "common/QtText.h"
#include "run/UnitCommit.h"

namespace tarvel {

namespace {

bool FileHoldsText(const std::string& path, const std::string& text) {
  QFile file(ToQString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  if (file.size() != static_cast<qint64>(text.size())) return false;
  const QByteArray content = file.readAll();
  return content.size() == static_cast<qsizetype>(text.size()) &&
         std::equal(text.begin(), text.end(), content.begin());
}

[[noreturn]] void FailWrite(const std::string& path, const std::string& reason) {
  throw TarvelError("Unable to write to " + path + ": " + reason);
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace

void SaveUnitFile(const std::string& path, const std::string& text) {
  UnitCommit unit;
  unit.write(path, text);
  unit.commit();
}

void CheckUnitFile(const std::string& folder, const std::string& fileName) {
  const std::string path = folder + "/" + fileName;
  if (!IsPlainFileName(fileName)) FailWrite(path, "the unit's file name is not a plain name");
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) FailWrite(path, std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) FailWrite(path, "it is not a regular file");
}

UnitFileState CompareUnitFile(const std::string& path, const std::string& text) {
  if (!QFile::exists(ToQString(path))) return UnitFileState::kMissing;
  return FileHoldsText(path, text) ? UnitFileState::kSame : UnitFileState::kDiffers;
}

}  // namespace tarvel
