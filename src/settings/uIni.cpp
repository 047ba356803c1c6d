#include "settings/uIni.h"

#include <SimpleIni.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/Error.h"
#include "common/Paths.h"
#include "common/QtText.h"
#include "common/Text.h"

namespace tarvel {
namespace {

// Values are handed back as from a buffer of 2048 characters, terminator included.
constexpr std::size_t kMaxValueLength = 2047;

[[noreturn]] void FailWrite(const std::string& path) {
  throw TarvelError("Unable to write to " + path);
}

[[noreturn]] void FailRead(const std::string& path, const std::string& reason) {
  throw TarvelError("Cannot read " + path + ": " + reason);
}

// Quotes keep blanks at either end of a value, which the reader would otherwise trim.
void Configure(CSimpleIniA& ini) {
  ini.SetSpaces(false);
  ini.SetQuotes(true);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { ::close(fd_); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Opened without waiting, so that a FIFO in its place cannot hang the program; only a regular
// file is read. A file that does not exist (nor a link of that name) reads as empty.
std::string ReadFileBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    struct stat link {};
    const bool absent = (error == ENOENT || error == ENOTDIR) && ::lstat(path.c_str(), &link) != 0;
    if (absent) return {};
    FailRead(path, std::strerror(error));
  }
  const FileDescriptor file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) FailRead(path, std::strerror(errno));
  if (S_ISDIR(info.st_mode)) FailRead(path, std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) FailRead(path, "it is not a regular file");
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) FailRead(path, std::strerror(errno));
    if (count == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  // Text holds no NUL byte: a file with one is UTF-16 or no settings file at all.
  if (bytes.find('\0') != std::string::npos) FailRead(path, "it holds a NUL byte");
  return bytes;
}

void LoadInto(CSimpleIniA& ini, const std::string& path) {
  Configure(ini);
  if (ini.LoadData(ReadFileBytes(path)) < 0) FailRead(path, "it is not a settings file");
}

}  // namespace

#ifdef TARVEL_XDG_CONFIG
const char* const kIniFilePlace = "in $XDG_CONFIG_HOME/tarvelgen (~/.config/tarvelgen by default)";
#else
const char* const kIniFilePlace = "beside the program";
#endif

// Installed, the data folder is found from the program's own folder, so that an unpacked
// package finds its own sample too.
std::string SampleTypeAdditionsPath() {
  const QString sample = QStringLiteral(TARVEL_SAMPLE_TYPE_ADDITIONS);
  if (QDir::isAbsolutePath(sample)) return FromQString(sample);
  return FromQString(QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + sample));
}

std::string DefaultIniFilePath() {
#ifdef TARVEL_XDG_CONFIG
  // Installed, the program's folder is not the user's to write. The variables' bytes are the
  // path as given; a relative XDG_CONFIG_HOME is ignored, as the XDG rules say.
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') {
    return std::string(configHome) + "/tarvelgen/config.ini";
  }
  const char* home = std::getenv("HOME");
  const passwd* user = home == nullptr ? ::getpwuid(::getuid()) : nullptr;
  const std::string homeFolder = home != nullptr ? home : user != nullptr ? user->pw_dir : "";
  return homeFolder + "/.config/tarvelgen/config.ini";
#else
  if (QCoreApplication::instance() != nullptr) {
    return FromQString(QCoreApplication::applicationDirPath()) + "/config.ini";
  }
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return (executable.parent_path() / "config.ini").string();
#endif
}

struct IniFile::Parsed {
  CSimpleIniA ini;
};

IniFile::IniFile(std::unique_ptr<Parsed> parsed) : parsed_(std::move(parsed)) {}
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::~IniFile() = default;

IniFile IniFile::read(const std::string& path) {
  auto parsed = std::make_unique<Parsed>();
  LoadInto(parsed->ini, path);
  return IniFile(std::move(parsed));
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  const char* value = parsed_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (value == nullptr) return defaultValue;
  return std::string(value).substr(0, kMaxValueLength);
}

std::int32_t IniFile::readInteger(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
  const std::string text = readString(section, key, std::to_string(defaultValue));
  return ParseInt32(text).value_or(defaultValue);
}

std::vector<std::pair<std::string, std::string>> IniFile::sectionValues(
    const std::string& section) const {
  CSimpleIniA::TNamesDepend keys;
  parsed_->ini.GetAllKeys(section.c_str(), keys);
  keys.sort(CSimpleIniA::Entry::LoadOrder());
  std::vector<std::pair<std::string, std::string>> values;
  for (const CSimpleIniA::Entry& key : keys) {
    values.emplace_back(key.pItem, readString(section, key.pItem, ""));
  }
  return values;
}

void WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
  CSimpleIniA ini;
  try {
    LoadInto(ini, path);
  } catch (const TarvelError&) {
    FailWrite(path);
  }
  if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) FailWrite(path);
  std::string text;
  if (ini.Save(text, false) < 0) FailWrite(path);

  // The user's settings folder does not exist before the first save.
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 &&
      CreateFolderWithParents(path.substr(0, slash)) != 0) {
    FailWrite(path);
  }
  if (!ReplaceFile(path, text)) FailWrite(path);
}

void WriteIniInteger(const std::string& path, const std::string& section, const std::string& key,
                     std::int32_t value) {
  WriteIniString(path, section, key, std::to_string(value));
}

}  // namespace tarvel
