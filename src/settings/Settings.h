#pragma once

#include <string>

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

WindowSettings LoadSettings();
void SaveSettings(const WindowSettings& settings);

}  // namespace tarvel
