#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/DictionaryConnection.h"
#include "run/GenerationRun.h"
#include "settings/Settings.h"
#include "ui/DelphiWizard.h"
#include "ui/MessageService.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace tarvel {

// The wizard's main window: five pages over one navigator, the log-on, the package list, the
// destination checks and the generation run. Closing it never deletes it: whoever created it
// destroys it once control is back in the event loop, and the settings are saved then.
class Tfmain : public QWidget {
  Q_OBJECT

 public:
  // The settings are read from and saved to the config.ini at iniPath.
  Tfmain(MessageService& messages, std::string iniPath, QWidget* parent = nullptr);
  ~Tfmain() override;

  // Item data roles of an lvPackList entry: its PackageEntryKind, and its name's bytes.
  static constexpr int kEntryKindRole = Qt::UserRole;
  static constexpr int kDictionaryNameRole = Qt::UserRole + 1;

  DictionaryConnection* connection() const { return connection_.get(); }

 signals:
  // Every progress step of a run, counted from its start.
  void progressStepped(int steps);

 private:
  class PackListSink;
  class GenerationListener;

  void buildWindow();
  void buildWelcomePage(QWidget* page);
  void buildLoginPage(QWidget* page);
  void buildObjectsPage(QWidget* page);
  void buildDestinationPage(QWidget* page);
  void buildReportPage(QWidget* page);
  void wireHandlers();
  // A slot that shows whatever error leaves the handler in the error box.
  std::function<void()> reporting(std::function<void()> handler);

  void FormCreate();
  void FormDestroy();
  void bAllClick();
  void bClearClick();
  void bFolderClick();
  void DelphiWizard1PageChanging(TWizDirection Direction, int& ShowPage);
  void DelphiWizard1EndClick();

  void logOnStep();
  void destinationStep(int& ShowPage);
  bool folderConfirmed(const std::string& folder);
  void showReportPage();
  void generate(const GenerationRequest& request);
  void reportFinished();

  void setChecks(Qt::CheckState state);
  void showSettings(const WindowSettings& settings);
  WindowSettings settingsFromBoxes() const;
  GenerationRequest requestFromBoxes() const;
  std::vector<std::string> tickedNames() const;

  // The controls that the handlers use, named as on the form; tests find them by those names.
  TNotebook* Notebook1;
  TDelphiWizard* DelphiWizard1;
  QLineEdit* eUser;
  QLineEdit* ePass;
  QLineEdit* eServer;
  QLabel* lConnecting;
  QTreeWidget* lvPackList;
  QPushButton* bClear;
  QPushButton* bAll;
  QLineEdit* MaxStringSize;
  QLineEdit* MaxBlobSize;
  QLineEdit* MaxClobSize;
  QLineEdit* ePath;
  QPushButton* bFolder;
  QLabel* lProgres;
  QProgressBar* pgBar;

  MessageService& messages_;
  std::string iniPath_;
  // A config.ini that could not be read is never written over at closing.
  bool settingsRead_ = false;
  TypeAdditions typeAdditions_;
  bool callsThroughBlocks_ = false;
  std::unique_ptr<DictionaryConnection> connection_;
};

}  // namespace tarvel
