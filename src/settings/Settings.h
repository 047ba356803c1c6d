#pragma once

#include <cstdint>
#include <string>

#include "typemap/uUtil.h"

namespace tarvel {

// The size limits of a first start, and of a batch run that gives none.
inline constexpr std::int32_t kDefaultStringSize = 4096;
inline constexpr std::int32_t kDefaultLobSize = 10 * 1024 * 1024;

// The texts of the window's seven boxes, as typed.
struct WindowSettings {
  std::string user;
  std::string password;
  std::string database;
  std::string folder;
  std::string maxStringSize = std::to_string(kDefaultStringSize);
  std::string maxBlobSize = std::to_string(kDefaultLobSize);
  std::string maxClobSize = std::to_string(kDefaultLobSize);
};

// What config.ini holds: the boxes' texts, the type additions and the way routines are called.
struct StoredSettings {
  WindowSettings window;
  TypeAdditions typeAdditions;
  // [CALLS] BLOCKS=1: routines that ADO cannot bind go through anonymous PL/SQL blocks.
  bool callsThroughBlocks = false;
};

// Reads the file once; fails with "Cannot read <path>: <reason>" as IniFile::Read does.
StoredSettings LoadSettings(const std::string& path);
// What a first start writes into a new config.ini, as scripts/run does for a build here: calls
// through PL/SQL blocks turned on and the sample type additions the program ships; empty when
// those cannot be read.
std::string FirstStartSettings();
// A config.ini that does not exist yet is created holding the text; an existing one, or an empty
// text, is left as it is. A failed write fails with "Unable to write to <path>".
void CreateSettings(const std::string& path, const std::string& text);
void SaveSettings(const std::string& path, const WindowSettings& settings);

}  // namespace tarvel
