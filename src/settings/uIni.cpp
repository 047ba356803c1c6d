#include "settings/uIni.h"

#include <SimpleIni.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <filesystem>
#include <optional>
#include <string>

#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"

namespace tarvel {
namespace {

// Values are handed back as from a buffer of 2048 characters, terminator included.
constexpr std::size_t kMaxValueLength = 2047;

std::string& ConfiguredPath() {
  static std::string path;
  return path;
}

[[noreturn]] void FailWrite() {
  throw TarvelError("Unable to write to " + IniFilePath());
}

// Quotes keep blanks at either end of a value, which the reader would otherwise trim.
void Configure(CSimpleIniA& ini) {
  ini.SetSpaces(false);
  ini.SetQuotes(true);
}

// A file that does not exist reads as empty; one that exists but cannot be read is reported.
std::optional<std::string> ReadFileBytes() {
  QFile file(ToQString(IniFilePath()));
  if (!file.exists()) return std::string();
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

}  // namespace

#ifdef TARVEL_XDG_CONFIG
const char* const kIniFilePlace = "in $XDG_CONFIG_HOME/tarvelgen (~/.config/tarvelgen by default)";
#else
const char* const kIniFilePlace = "beside the program";
#endif

std::string DefaultIniFilePath() {
#ifdef TARVEL_XDG_CONFIG
  // Installed, the program's folder is not the user's to write.
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
         "/tarvelgen/config.ini";
#else
  if (QCoreApplication::instance() != nullptr) {
    return FromQString(QCoreApplication::applicationDirPath()) + "/config.ini";
  }
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return (executable.parent_path() / "config.ini").string();
#endif
}

void SetIniFilePath(const std::string& path) {
  ConfiguredPath() = path;
}

const std::string& IniFilePath() {
  std::string& path = ConfiguredPath();
  if (path.empty()) path = DefaultIniFilePath();
  return path;
}

std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) {
  const std::optional<std::string> content = ReadFileBytes();
  if (!content) return defaultValue;
  CSimpleIniA ini;
  Configure(ini);
  if (ini.LoadData(*content) < 0) return defaultValue;
  const char* value = ini.GetValue(section.c_str(), key.c_str(), nullptr);
  if (value == nullptr) return defaultValue;
  return std::string(value).substr(0, kMaxValueLength);
}

std::int32_t ReadIniInteger(const std::string& section, const std::string& key,
                            std::int32_t defaultValue) {
  const std::string text = ReadIniString(section, key, std::to_string(defaultValue));
  return ParseInt32(text).value_or(defaultValue);
}

void WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
  const std::optional<std::string> content = ReadFileBytes();
  if (!content) FailWrite();
  CSimpleIniA ini;
  Configure(ini);
  if (ini.LoadData(*content) < 0) FailWrite();
  if (ini.SetValue(section.c_str(), key.c_str(), value.c_str()) < 0) FailWrite();
  std::string text;
  if (ini.Save(text, false) < 0) FailWrite();

  // commit() does not report a failed flush of the buffered tail (a full disk), so flush first.
  // An uncommitted file is discarded with its temporary, leaving the old file in place.
  // The user's settings folder does not exist before the first save.
  const QString path = ToQString(IniFilePath());
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) FailWrite();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) FailWrite();
  const auto size = static_cast<qint64>(text.size());
  if (file.write(text.data(), size) != size || !file.flush() || !file.commit()) FailWrite();
}

void WriteIniInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteIniString(section, key, std::to_string(value));
}

}  // namespace tarvel
