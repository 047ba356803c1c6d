#include "run/SaveUnitFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/Error.h"
#include "run/UnitCommit.h"

namespace tarvel {

namespace {

[[noreturn]] void FailWrite(const std::string& path, const std::string& reason) {
  throw TarvelError("Unable to write to " + path + ": " + reason);
}

[[noreturn]] void FailRead(const std::string& path, const std::string& reason) {
  throw TarvelError("Unable to read " + path + ": " + reason);
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace

std::string ReadUnitFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) FailRead(path, std::strerror(errno));
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      const int error = errno;
      ::close(fd);
      FailRead(path, std::strerror(error));
    }
    if (count == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return bytes;
}

void SaveUnitFile(const std::string& path, const std::string& text) {
  UnitCommit unit;
  unit.write(path, text);
  unit.commit();
}

void CheckUnitFile(const std::string& folder, const std::string& fileName) {
  const std::string path = folder + "/" + fileName;
  if (!IsPlainFileName(fileName)) FailWrite(path, "the unit's file name is not a plain name");
  // A name the folder's file system cannot hold would fail only after earlier units were written.
  const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (nameMax > 0 && fileName.size() > static_cast<std::size_t>(nameMax)) {
    FailWrite(path, std::strerror(ENAMETOOLONG));
  }
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return;
  // The save would follow the link and put the unit wherever it points.
  if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) != 0) {
    throw TarvelError(path + " is a dangling symbolic link");
  }
  if (S_ISDIR(info.st_mode)) throw TarvelError(path + " is a folder");
  if (!S_ISREG(info.st_mode)) FailWrite(path, "it is not a regular file");
}

// Only a file that is certainly not there is missing: a folder that cannot be searched, or a
// file that cannot be read, is a failure, never a difference.
UnitFileState CompareUnitFile(const std::string& path, const std::string& text) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return UnitFileState::kMissing;
    FailRead(path, std::strerror(errno));
  }
  if (S_ISDIR(info.st_mode)) throw TarvelError(path + " is a folder");
  return ReadUnitFile(path) == text ? UnitFileState::kSame : UnitFileState::kDiffers;
}

bool FileHoldsText(const std::string& path, const std::string& text) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size != static_cast<off_t>(text.size())) {
    return false;
  }
  try {
    return ReadUnitFile(path) == text;
  } catch (const TarvelError&) {
    return false;
  }
}

}  // namespace tarvel
