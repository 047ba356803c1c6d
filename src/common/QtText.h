#pragma once

#include <QString>
#include <string>

namespace tarvel {

// Every conversion between the system's byte strings and Qt's texts goes through here.
inline QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace tarvel
