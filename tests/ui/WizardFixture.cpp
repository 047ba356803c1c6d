#include "WizardFixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "Files.h"
#include "common/QtText.h"
#include "settings/uIni.h"
#include "ui/Notebook.h"

namespace tarvel::testing {

std::string DemoSnapshotPath() {
  return TARVEL_DEMO_SNAPSHOT;
}

// The window starts as scripts/run leaves it: config.ini holds the sample type additions.
void WizardTest::SetUp() {
  ASSERT_TRUE(temp_.isValid());
  iniPath_ = TempPath("config.ini");
  ASSERT_TRUE(QFile::copy(TARVEL_SOURCE_DIR "/samples/type-additions.ini", ToQString(iniPath_)));
  OpenWindow();
}

void WizardTest::TearDown() {
  window_.reset();
}

std::string WizardTest::TempPath(const std::string& name) const {
  return FromQString(temp_.filePath(ToQString(name)));
}

std::string WizardTest::TempFile(const std::string& name, const std::string& content) const {
  const std::string path = TempPath(name);
  QFile file(ToQString(path));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path;
  file.write(content.data(), static_cast<qint64>(content.size()));
  return path;
}

std::string WizardTest::TempFolder(const std::string& name) const {
  const std::string path = TempPath(name);
  EXPECT_TRUE(QDir().mkpath(ToQString(path))) << path;
  return path;
}

void WizardTest::OpenWindow() {
  window_ = std::make_unique<Tfmain>(messages_, iniPath_);
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

std::string WizardTest::StoredValue(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const {
  return IniFile::read(iniPath_).readString(section, key, defaultValue);
}

void WizardTest::CloseProgram() {
  window_.reset();
}

TDelphiWizard* WizardTest::Navigator() const {
  return Control<TDelphiWizard>("DelphiWizard1");
}

QTreeWidget* WizardTest::List() const {
  return Control<QTreeWidget>("lvPackList");
}

QProgressBar* WizardTest::Bar() const {
  return Control<QProgressBar>("pgBar");
}

std::string WizardTest::TextOf(const char* box) const {
  return FromQString(Control<QLineEdit>(box)->text());
}

void WizardTest::Click(const char* button) {
  QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
}

void WizardTest::ClickBack() {
  QTest::mouseClick(Navigator()->BackButton(), Qt::LeftButton);
}

void WizardTest::ClickNext() {
  QTest::mouseClick(Navigator()->NextButton(), Qt::LeftButton);
}

void WizardTest::ClickEnd() {
  QTest::mouseClick(Navigator()->EndButton(), Qt::LeftButton);
}

int WizardTest::Page() const {
  return Control<TNotebook>("Notebook1")->PageIndex();
}

void WizardTest::TypeInto(const char* box, const std::string& text) {
  QLineEdit* edit = Control<QLineEdit>(box);
  edit->clear();
  QTest::keyClicks(edit, ToQString(text));
}

void WizardTest::LogOnToDemo() {
  LogOnTo(DemoSnapshotPath());
}

void WizardTest::LogOnTo(const std::string& database) {
  ClickNext();
  ASSERT_EQ(Page(), 1);
  TypeInto("eUser", "HR");
  TypeInto("eServer", database);
  ClickNext();
  ASSERT_EQ(Page(), 2) << ::testing::PrintToString(messages_.shownTexts());
}

void WizardTest::GoToDestination(const std::string& folder) {
  LogOnToDemo();
  ClickNext();
  ASSERT_EQ(Page(), 3);
  TypeInto("ePath", folder);
}

bool WizardTest::IsIdle() const {
  return window_->cursor().shape() == Qt::ArrowCursor && Navigator()->isEnabled();
}

std::vector<std::string> WizardTest::ShownButWarnings() const {
  std::vector<std::string> texts;
  for (const MessageBox& box : messages_.shown()) {
    if (box.icon != MessageIcon::kWarning) texts.push_back(box.text);
  }
  return texts;
}

std::vector<std::string> WizardTest::ListCaptions() const {
  std::vector<std::string> captions;
  for (int i = 0; i < List()->topLevelItemCount(); ++i) {
    captions.push_back(FromQString(List()->topLevelItem(i)->text(0)));
  }
  return captions;
}

std::vector<Qt::CheckState> WizardTest::ListChecks() const {
  std::vector<Qt::CheckState> checks;
  for (int i = 0; i < List()->topLevelItemCount(); ++i) {
    checks.push_back(List()->topLevelItem(i)->checkState(0));
  }
  return checks;
}

void WizardTest::SetCheck(int entry, Qt::CheckState state) {
  List()->topLevelItem(entry)->setCheckState(0, state);
}

void WizardTest::SaveScreenshot(const std::string& name) const {
  const QString folder = QStringLiteral(TARVEL_BINARY_DIR "/screenshots");
  QDir().mkpath(folder);
  EXPECT_TRUE(window_->grab().save(folder + QLatin1Char('/') + ToQString(name) + ".png"));
}

}  // namespace tarvel::testing
