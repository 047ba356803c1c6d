#include "run/SaveUnitFile.h"

#include <QFile>
#include <QSaveFile>

#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel {

namespace {

bool FileHoldsText(const std::string& path, const std::string& text) {
  QFile file(ToQString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  if (file.size() != static_cast<qint64>(text.size())) return false;
  const QByteArray content = file.readAll();
  return content.size() == static_cast<qsizetype>(text.size()) &&
         std::equal(text.begin(), text.end(), content.begin());
}

}  // namespace

// commit() alone does not report a failure to write the last buffered bytes: flush() does.
void SaveUnitFile(const std::string& path, const std::string& text) {
  QSaveFile file(ToQString(path));
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) ==
                           static_cast<qint64>(text.size()) &&
                       file.flush() && file.commit();
  if (!written) {
    throw TarvelError("Unable to write to " + path + ": " + FromQString(file.errorString()));
  }
}

bool SaveUnitFileIfChanged(const std::string& path, const std::string& text) {
  if (FileHoldsText(path, text)) return false;
  SaveUnitFile(path, text);
  return true;
}

UnitFileState CompareUnitFile(const std::string& path, const std::string& text) {
  if (!QFile::exists(ToQString(path))) return UnitFileState::kMissing;
  return FileHoldsText(path, text) ? UnitFileState::kSame : UnitFileState::kDiffers;
}

}  // namespace tarvel
