#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Files.h"
#include "ScriptedMessageService.h"
#include "ui/main.h"

class QProgressBar;
class QTreeWidget;

namespace tarvel::testing {

// A wizard window on the offscreen platform, with its settings in a temporary config.ini and
// its message boxes answered by a script.
class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A path inside this test's temporary folder.
  std::string TempPath(const std::string& name) const;
  // A file or a folder made in the temporary folder; its path.
  std::string TempFile(const std::string& name, const std::string& content = "") const;
  std::string TempFolder(const std::string& name) const;
  // Creates the window; SetUp does it unless a test wants to prepare config.ini first.
  void OpenWindow();
  // Destroys the window as the program's end does, which saves the settings.
  void CloseProgram();

  // A control of the window, found by its name on the form; a missing one fails the test.
  template <class Widget = QWidget>
  Widget* Control(const char* name) const {
    auto* control = window_->findChild<Widget*>(QString::fromLatin1(name));
    if (control == nullptr) throw std::logic_error(std::string("no control named ") + name);
    return control;
  }
  TDelphiWizard* Navigator() const;
  QTreeWidget* List() const;
  QProgressBar* Bar() const;
  std::string TextOf(const char* box) const;

  void Click(const char* button);
  void ClickBack();
  void ClickNext();
  void ClickEnd();
  int Page() const;

  // Logs on to the demo snapshot (or the database given) as HR and lands on the package list.
  void LogOnToDemo();
  void LogOnTo(const std::string& database);
  // Logs on to the demo snapshot and moves on to the destination page with ePath set.
  void GoToDestination(const std::string& folder);
  void TypeInto(const char* box, const std::string& text);

  // Normal cursor, navigator enabled.
  bool IsIdle() const;
  // The texts of the boxes shown, leaving out the reader's warnings.
  std::vector<std::string> ShownButWarnings() const;
  std::vector<std::string> ListCaptions() const;
  std::vector<Qt::CheckState> ListChecks() const;
  void SetCheck(int entry, Qt::CheckState state);

  // Keeps a picture of the window for the README.
  void SaveScreenshot(const std::string& name) const;

  // The stored text of one key of the window's config.ini, or the default.
  std::string StoredValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue = "?") const;

  QTemporaryDir temp_;
  std::string iniPath_;  // the window's config.ini, in the temporary folder unless a test moves it
  ScriptedMessageService messages_;
  std::unique_ptr<Tfmain> window_;
};

std::string DemoSnapshotPath();

}  // namespace tarvel::testing
