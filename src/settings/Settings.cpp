#include "settings/Settings.h"

#include "common/Error.h"
#include "common/Text.h"
#include "settings/uIni.h"

namespace tarvel {
namespace {

constexpr std::int32_t kDefaultStringSize = 4096;
constexpr std::int32_t kDefaultLobSize = 10 * 1024 * 1024;

std::string ReadSize(const std::string& key, std::int32_t defaultSize) {
  return std::to_string(ReadIniInteger("CONST", key, defaultSize));
}

// A size that is not a whole number, or whose write fails, gets one more write with the default;
// if that fails too, its error ends the save.
void WriteSize(const std::string& key, const std::string& text, std::int32_t defaultSize) {
  if (const std::optional<std::int32_t> size = ParseInt32(text)) {
    try {
      WriteIniInteger("CONST", key, *size);
      return;
    } catch (const TarvelError&) {
    }
  }
  WriteIniInteger("CONST", key, defaultSize);
}

}  // namespace

WindowSettings LoadSettings() {
  WindowSettings settings;
  settings.user = ReadIniString("DB", "USER", "");
  settings.database = ReadIniString("DB", "SRV", "");
  settings.folder = ReadIniString("FILES", "PATH", "");
  settings.maxStringSize = ReadSize("STRING", kDefaultStringSize);
  settings.maxBlobSize = ReadSize("BLOB", kDefaultLobSize);
  settings.maxClobSize = ReadSize("CLOB", kDefaultLobSize);
  return settings;
}

void SaveSettings(const WindowSettings& settings) {
  WriteIniString("DB", "USER", settings.user);
  // The password is never kept on disk; the key stays so that the file keeps its layout.
  WriteIniString("DB", "PWD", "");
  WriteIniString("DB", "SRV", settings.database);
  WriteIniString("FILES", "PATH", settings.folder);
  WriteSize("STRING", settings.maxStringSize, kDefaultStringSize);
  WriteSize("BLOB", settings.maxBlobSize, kDefaultLobSize);
  WriteSize("CLOB", settings.maxClobSize, kDefaultLobSize);
}

}  // namespace tarvel
