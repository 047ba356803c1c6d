#pragma once

#include <string>

#include "typemap/uUtil.h"

namespace tarvel {

// The texts of the window's seven boxes, as typed.
struct WindowSettings {
  std::string user;
  std::string password;
  std::string database;
  std::string folder;
  std::string maxStringSize = "4096";
  std::string maxBlobSize = "10485760";
  std::string maxClobSize = "10485760";
};

// What config.ini holds: the boxes' texts and the type additions.
struct StoredSettings {
  WindowSettings window;
  TypeAdditions typeAdditions;
};

// Reads the file once; fails with "Cannot read <path>: <reason>" as IniFile::Read does.
StoredSettings LoadSettings(const std::string& path);
void SaveSettings(const std::string& path, const WindowSettings& settings);

}  // namespace tarvel
