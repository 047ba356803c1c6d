#include "run/UnitCommit.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "common/Error.h"
#include "common/Paths.h"
#include "run/SaveUnitFile.h"

namespace tarvel {

namespace {

constexpr int kMaxLinkHops = 40;  // where the system itself gives up with ELOOP

[[noreturn]] void FailWrite(const std::string& path, int error) {
  throw TarvelError("Unable to write to " + path + ": " + std::strerror(error));
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` reaches: links are followed, a dangling one to the file it names.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length < 0) return path;
    const std::string named(target, static_cast<std::size_t>(length));
    path = named.front() == '/' ? named : FolderOf(path) + "/" + named;
  }
  return path;
}

// Hidden beside the file it will replace, and unique within the run.
std::string TemporaryName(const std::string& target, unsigned attempt) {
  const std::size_t slash = target.rfind('/');
  return target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".tarvel-" +
         std::to_string(::getpid()) + "-" + std::to_string(attempt);
}

// Every unit without a name holds a descriptor until the commit; the rest of the run needs some.
std::size_t HalfTheOpenFileLimit() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 512;
  return static_cast<std::size_t>(limit.rlim_cur / 2);
}

}  // namespace

UnitCommit::UnitCommit() : UnitCommit(HalfTheOpenFileLimit()) {}

UnitCommit::UnitCommit(std::size_t unnamedLimit) : unnamedLimit_(unnamedLimit) {}

UnitCommit::~UnitCommit() {
  for (Pending& pending : pending_) drop(pending);
}

bool UnitCommit::write(const std::string& path, const std::string& text) {
  if (FileHoldsText(path, text)) return false;
  pending_.push_back({path, FollowLinks(path), {}, -1});
  Pending& pending = pending_.back();
  try {
    createFile(pending);
    if (!WriteAll(pending.descriptor, text)) FailWrite(path, errno);
    if (!pending.temporary.empty()) {
      const int closed = ::close(pending.descriptor);
      pending.descriptor = -1;
      if (closed != 0) FailWrite(path, errno);
    }
  } catch (...) {
    drop(pending);
    pending_.pop_back();
    throw;
  }
  return true;
}

// Without a name while descriptors last and the file system allows; otherwise under a hidden one.
void UnitCommit::createFile(Pending& pending) {
  const std::string folder = FolderOf(pending.target);
  if (!unnamedRefused_ && unnamedMade_ < unnamedLimit_) {
    pending.descriptor = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (pending.descriptor >= 0) {
      ++unnamedMade_;
    } else if (errno == EOPNOTSUPP || errno == EISDIR) {
      unnamedRefused_ = true;
    } else if (errno != EMFILE) {
      FailWrite(pending.path, errno);
    }
  }
  for (unsigned attempt = 0; pending.descriptor < 0; ++attempt) {
    const std::string name = TemporaryName(pending.target, attempt);
    pending.descriptor = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (pending.descriptor >= 0) pending.temporary = name;
    if (pending.descriptor < 0 && errno != EEXIST) FailWrite(pending.path, errno);
  }
  struct stat older {};
  if (::stat(pending.target.c_str(), &older) == 0 &&
      ::fchmod(pending.descriptor, older.st_mode & 07777) != 0) {
    FailWrite(pending.path, errno);
  }
}

// A file without a name goes straight into its place where no file is; elsewhere it gets a
// hidden name, from which it is renamed like the others.
void UnitCommit::place(Pending& pending) {
  if (pending.temporary.empty()) {
    const std::string self = "/proc/self/fd/" + std::to_string(pending.descriptor);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, pending.target.c_str(), AT_SYMLINK_FOLLOW) ==
        0) {
      return;
    }
    if (errno != EEXIST) FailWrite(pending.path, errno);
    nameFile(pending, self);
  }
  if (::rename(pending.temporary.c_str(), pending.target.c_str()) != 0) {
    FailWrite(pending.path, errno);
  }
  pending.temporary.clear();
}

void UnitCommit::nameFile(Pending& pending, const std::string& self) {
  for (unsigned attempt = 0; pending.temporary.empty(); ++attempt) {
    const std::string name = TemporaryName(pending.target, attempt);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      pending.temporary = name;
    } else if (errno != EEXIST) {
      FailWrite(pending.path, errno);
    }
  }
}

void UnitCommit::commit() {
  std::set<std::string> folders;
  std::set<dev_t> synced;
  for (const Pending& pending : pending_) {
    const std::string folder = FolderOf(pending.target);
    if (!folders.insert(folder).second) continue;
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info {};
    if (descriptor < 0 || ::fstat(descriptor, &info) != 0) FailWrite(pending.path, errno);
    const int result = synced.insert(info.st_dev).second ? ::syncfs(descriptor) : 0;
    const int error = errno;
    ::close(descriptor);
    if (result != 0) FailWrite(pending.path, error);
  }
  for (Pending& pending : pending_) {
    place(pending);
    drop(pending);
  }
  pending_.clear();
}

void UnitCommit::drop(Pending& pending) {
  if (pending.descriptor >= 0) {
    ::close(pending.descriptor);
    pending.descriptor = -1;
  }
  if (!pending.temporary.empty()) ::unlink(pending.temporary.c_str());
  pending.temporary.clear();
}

}  // namespace tarvel
