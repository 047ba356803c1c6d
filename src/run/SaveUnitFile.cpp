#include "run/SaveUnitFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "common/Error.h"
#include "common/QtText.h"

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

bool WriteAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace

// The bytes go to the temporary file and to the disk by hand, so that a failure gives the
// system's reason ("No space left on device"); Qt's own would be "Unknown error" at a flush.
void SaveUnitFile(const std::string& path, const std::string& text) {
  QSaveFile file(ToQString(path));
  if (!file.open(QIODevice::WriteOnly)) FailWrite(path, FromQString(file.errorString()));
  if (!WriteAll(file.handle(), text) || ::fsync(file.handle()) != 0) {
    FailWrite(path, std::strerror(errno));
  }
  if (!file.commit()) FailWrite(path, FromQString(file.errorString()));
}

void CheckUnitFile(const std::string& folder, const std::string& fileName) {
  const std::string path = folder + "/" + fileName;
  if (!IsPlainFileName(fileName)) FailWrite(path, "the unit's file name is not a plain name");
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) FailWrite(path, std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) FailWrite(path, "it is not a regular file");
}

bool SaveUnitFileIfChanged(const std::string& path, const std::string& text) {
  if (FileHoldsText(path, text)) return false;
  SaveUnitFile(path, text);
  return true;
}

UnitFileState CompareUnitFile(const std::string& path, const std::string& text) {
  if (!QFile::exists(ToQString(path))) return UnitFileState::kMissing;
  return FileHoldsText(path, text) ? UnitFileState::kSame : UnitFileState::kDiffers;
}

}  // namespace tarvel
