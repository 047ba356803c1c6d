#include "common/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarvel {

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int CreateFolderWithParents(const std::string& path) {
  for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string part = path.substr(0, end);
    struct stat info {};
    if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0) {
      if (errno != EEXIST) return errno;
      if (::stat(part.c_str(), &info) != 0) return errno;
      if (!S_ISDIR(info.st_mode)) return ENOTDIR;
    }
    if (end == std::string::npos) return 0;
  }
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

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

namespace {

// A file kept behind a symbolic link (a shared dotfiles folder) is replaced where the link
// points, and the link stays.
std::string LinkTarget(const std::string& path) {
  char* const resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

}  // namespace

bool ReplaceFile(const std::string& linkedPath, const std::string& text) {
  const std::string path = LinkTarget(linkedPath);
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  struct stat older {};
  const mode_t mode = ::stat(path.c_str(), &older) == 0 ? older.st_mode & 07777 : NewFileMode();
  bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

std::string AbsolutePath(const std::string& path) {
  if (path.starts_with('/')) return path;
  std::vector<char> folder(4096);
  while (::getcwd(folder.data(), folder.size()) == nullptr) {
    if (errno != ERANGE) return path;
    folder.resize(folder.size() * 2);
  }
  return std::string(folder.data()) + "/" + path;
}

}  // namespace tarvel
