#pragma once

#include <QString>
#include <cstddef>
#include <string>

namespace tarvel {

// Every conversion between the system's byte strings and Qt's texts goes through here.
inline QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Dictionary names and most other texts are ASCII: those are narrowed in place, without the
// intermediate byte array of the general conversion.
inline std::string FromQString(const QString& text) {
  std::string narrow(static_cast<std::size_t>(text.size()), '\0');
  const QChar* in = text.constData();
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (in[i].unicode() >= 0x80) return text.toUtf8().toStdString();
    narrow[static_cast<std::size_t>(i)] = static_cast<char>(in[i].unicode());
  }
  return narrow;
}

}  // namespace tarvel
