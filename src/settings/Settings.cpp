#include "settings/Settings.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"
#include "settings/uIni.h"

namespace tarvel {
namespace {

std::string ReadSize(const IniFile& ini, const std::string& key, std::int32_t defaultSize) {
  return std::to_string(ini.readInteger("CONST", key, defaultSize));
}

std::unordered_map<std::string, std::string> ReadTypes(const IniFile& ini,
                                                       const std::string& section) {
  std::unordered_map<std::string, std::string> types;
  for (auto& [dataType, mapped] : ini.sectionValues(section)) {
    types.emplace(AsciiUpper(dataType), std::move(mapped));
  }
  return types;
}

// A size that is not a whole number, or whose write fails, gets one more write with the default;
// if that fails too, its error ends the save.
void WriteSize(const std::string& path, const std::string& key, const std::string& text,
               std::int32_t defaultSize) {
  if (const std::optional<std::int32_t> size = ParseInt32(text)) {
    try {
      WriteIniInteger(path, "CONST", key, *size);
      return;
    } catch (const TarvelError&) {
    }
  }
  WriteIniInteger(path, "CONST", key, defaultSize);
}

}  // namespace

StoredSettings LoadSettings(const std::string& path) {
  const IniFile ini = IniFile::read(path);
  StoredSettings stored;
  WindowSettings& settings = stored.window;
  settings.user = ini.readString("DB", "USER", "");
  settings.database = ini.readString("DB", "SRV", "");
  settings.folder = ini.readString("FILES", "PATH", "");
  settings.maxStringSize = ReadSize(ini, "STRING", kDefaultStringSize);
  settings.maxBlobSize = ReadSize(ini, "BLOB", kDefaultLobSize);
  settings.maxClobSize = ReadSize(ini, "CLOB", kDefaultLobSize);
  stored.typeAdditions.fieldTypes = ReadTypes(ini, "AVAR");
  stored.typeAdditions.delphiTypes = ReadTypes(ini, "DVAR");
  // Only the one value turns it on: every other text keeps the units as they always were.
  stored.callsThroughBlocks = ini.readString("CALLS", "BLOCKS", "") == "1";
  return stored;
}

std::string FirstStartSettings() {
  QFile sample(ToQString(SampleTypeAdditionsPath()));
  if (!sample.open(QIODevice::ReadOnly)) return {};
  return "[CALLS]\nBLOCKS=1\n" + sample.readAll().toStdString();
}

void CreateSettings(const std::string& path, const std::string& text) {
  struct stat info {};
  if (text.empty() || ::lstat(path.c_str(), &info) == 0) return;
  const QString name = ToQString(path);
  QSaveFile file(name);
  const auto size = static_cast<qint64>(text.size());
  if (!QDir().mkpath(QFileInfo(name).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), size) != size || !file.flush() || !file.commit()) {
    throw TarvelError("Unable to write to " + path);
  }
}

void SaveSettings(const std::string& path, const WindowSettings& settings) {
  WriteIniString(path, "DB", "USER", settings.user);
  // The password is never kept on disk; the key stays so that the file keeps its layout.
  WriteIniString(path, "DB", "PWD", "");
  WriteIniString(path, "DB", "SRV", settings.database);
  WriteIniString(path, "FILES", "PATH", settings.folder);
  WriteSize(path, "STRING", settings.maxStringSize, kDefaultStringSize);
  WriteSize(path, "BLOB", settings.maxBlobSize, kDefaultLobSize);
  WriteSize(path, "CLOB", settings.maxClobSize, kDefaultLobSize);
}

}  // namespace tarvel
