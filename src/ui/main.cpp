#include "ui/main.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <algorithm>
#include <optional>
#include <utility>

#include "catalogue/PackageList.h"
#include "common/Error.h"
#include "common/QtText.h"
#include "common/Text.h"
#include "run/SizeCheck.h"
#include "ui/ErrorReport.h"
#include "ui/Notebook.h"

namespace tarvel {

namespace {

constexpr int kLoginPage = 1;
constexpr int kObjectsPage = 2;
constexpr int kDestinationPage = 3;
constexpr int kReportPage = 4;

template <class Action>
class AtScopeExit {
 public:
  explicit AtScopeExit(Action action) : action_(std::move(action)) {}
  ~AtScopeExit() { action_(); }
  AtScopeExit(const AtScopeExit&) = delete;
  AtScopeExit& operator=(const AtScopeExit&) = delete;

 private:
  Action action_;
};

QLabel* AddLabel(QWidget* parent, const char* objectName, const char* text, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* AddEdit(QWidget* parent, const char* objectName, const char* text, QRect geometry) {
  auto* edit = new QLineEdit(QString::fromLatin1(text), parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  edit->setGeometry(geometry);
  return edit;
}

QPushButton* AddButton(QWidget* parent, const char* objectName, const char* text, QRect geometry) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  return button;
}

void SetPixelSize(QWidget* widget, int pixels) {
  QFont font = widget->font();
  font.setPixelSize(pixels);
  widget->setFont(font);
  widget->adjustSize();
}

bool FolderExists(const std::string& folder) {
  return !folder.empty() && QFileInfo(ToQString(folder)).isDir();
}

}  // namespace

// Fills lvPackList while the connection lists the packages, keeping the window drawn.
class Tfmain::PackListSink : public PackageListSink {
 public:
  explicit PackListSink(QTreeWidget* list) : list_(list) {}

  void clear() override { list_->clear(); }

  void add(const std::string& caption, PackageEntryKind kind) override {
    auto* entry = new QTreeWidgetItem(list_, QStringList{ToQString(caption)});
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                    Qt::ItemNeverHasChildren);
    entry->setCheckState(0, Qt::Checked);
    entry->setData(0, kEntryKindRole, static_cast<int>(kind));
    // The shown text cannot hold bytes that are not UTF-8; the name read is the dictionary's.
    entry->setData(0, kDictionaryNameRole,
                   QByteArray(caption.data(), static_cast<qsizetype>(caption.size())));
    QCoreApplication::processEvents();
  }

 private:
  QTreeWidget* list_;
};

// Shows a run on the Report page: the progress count, the reader's warnings, a failed read.
class Tfmain::GenerationListener : public RunListener {
 public:
  // The bar steps once per entry read, once per unit saved and once when the units take their
  // place. Until the units are counted, its end allows one unit per entry.
  GenerationListener(Tfmain& window, std::size_t entryCount)
      : window_(window), entryCount_(static_cast<int>(entryCount)) {
    window_.pgBar->setRange(0, StepCount(entryCount_));
    window_.pgBar->setValue(0);
  }

  void packageRead() override { advanceBar(); }
  void unitsToSave(std::size_t count) override {
    window_.pgBar->setMaximum(entryCount_ + static_cast<int>(count) + 1);
  }
  void unitSaved(UnitKind /*kind*/, const std::string& /*path*/, bool /*written*/) override {
    advanceBar();
  }
  void unitsCommitted() { advanceBar(); }

  void warning(const RoutineWarning& warning) override {
    window_.messages_.show(
        &window_, {"Warning", warning.message, MessageIcon::kWarning, MessageButtons::kOk});
  }

  void pendingEvents() override { QCoreApplication::processEvents(); }

  void readFailed() override { window_.lProgres->setText(QStringLiteral("Error!")); }

 private:
  void advanceBar() {
    ++steps_;
    window_.pgBar->setValue(std::min(steps_, window_.pgBar->maximum()));
    emit window_.progressStepped(steps_);
  }

  // Every entry read, one unit per entry and the connection unit, and the commit.
  static int StepCount(int entries) { return 2 * entries + 2; }

  Tfmain& window_;
  int entryCount_;
  int steps_ = 0;
};

Tfmain::Tfmain(MessageService& messages, std::string iniPath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      messages_(messages),
      iniPath_(std::move(iniPath)) {
  buildWindow();
  wireHandlers();
  RunReportingErrors(messages_, this, [this] { FormCreate(); });
}

Tfmain::~Tfmain() {
  RunReportingErrors(messages_, this, [this] { FormDestroy(); });
  connection_.reset();
}

void Tfmain::buildWindow() {
  setObjectName(QStringLiteral("fmain"));
  setWindowTitle(QStringLiteral("Tarvel Generator"));
  setFixedSize(334, 324);
  // Verdana where it is installed; otherwise Qt picks the closest font it has.
  QFont windowFont(QStringLiteral("Verdana"));
  windowFont.setPixelSize(11);
  setFont(windowFont);

  auto* Panel3 = new QLabel(QStringLiteral("Brennock Code Generator"), this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setGeometry(0, 0, 334, 41);
  Panel3->setAlignment(Qt::AlignCenter);
  Panel3->setAutoFillBackground(true);
  QPalette banner = Panel3->palette();
  banner.setColor(QPalette::Window, Qt::white);
  Panel3->setPalette(banner);

  auto* Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 41, 334, 239);

  Notebook1 = new TNotebook(Panel1);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  Notebook1->setGeometry(0, 0, 334, 239);
  buildWelcomePage(Notebook1->addPage("Default"));
  buildLoginPage(Notebook1->addPage("Login"));
  buildObjectsPage(Notebook1->addPage("Objects"));
  buildDestinationPage(Notebook1->addPage("Destination"));
  buildReportPage(Notebook1->addPage("Report"));

  DelphiWizard1 = new TDelphiWizard(this);
  DelphiWizard1->setObjectName(QStringLiteral("DelphiWizard1"));
  DelphiWizard1->setGeometry(0, 280, 334, 44);
  DelphiWizard1->SetNoteBook(Notebook1);
  DelphiWizard1->SetEnableHelp(false);
  DelphiWizard1->SetBackCaption("< &Back");
  DelphiWizard1->SetNextCaption("&Next >");
  DelphiWizard1->SetAbortCaption("&Cancel");
  DelphiWizard1->SetReadyCaption("&Finish");
  DelphiWizard1->SetHelpCaption("&Help");

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void Tfmain::buildWelcomePage(QWidget* page) {
  QLabel* Label8 = AddLabel(page, "Label8", "Welcome to Tarvel Generator Wizard!", 16, 16);
  SetPixelSize(Label8, 13);
  QLabel* Label5 = AddLabel(
      page, "Label5",
      "The Tarvel Generator is code generator that generates sorce code units for Delphi based "
      "on ADO database objects for Oracle database packages. For each oracle package generates "
      "one unit with class that represent oracle package. Methods of this class are equivalent "
      "to oracle's package procedures and functions.",
      16, 48);
  Label5->setWordWrap(true);
  Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label5->setGeometry(16, 48, 305, 97);
}

void Tfmain::buildLoginPage(QWidget* page) {
  AddLabel(page, "Label9", "Login to target database", 95, 40);
  auto* GroupBox1 = new QGroupBox(page);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(38, 56, 251, 121);
  AddLabel(GroupBox1, "Label1", "Username:", 30, 28);
  eUser = AddEdit(GroupBox1, "eUser", "", QRect(96, 23, 129, 21));
  AddLabel(GroupBox1, "Label2", "Password:", 34, 60);
  ePass = AddEdit(GroupBox1, "ePass", "", QRect(96, 55, 129, 21));
  ePass->setEchoMode(QLineEdit::Password);
  ePass->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
  AddLabel(GroupBox1, "Label3", "Database:", 34, 92);
  eServer = AddEdit(GroupBox1, "eServer", "", QRect(96, 87, 129, 21));
  lConnecting = AddLabel(page, "lConnecting", "Connecting please wait...", 144, 179);
  lConnecting->hide();
  setTabOrder(eUser, ePass);
  setTabOrder(ePass, eServer);
}

void Tfmain::buildObjectsPage(QWidget* page) {
  AddLabel(page, "Label10", "Select packages for code generation", 8, 8);
  lvPackList = new QTreeWidget(page);
  lvPackList->setObjectName(QStringLiteral("lvPackList"));
  lvPackList->setGeometry(5, 24, 324, 173);
  lvPackList->setColumnCount(1);
  lvPackList->setHeaderLabels({QStringLiteral("Packages")});
  lvPackList->header()->setStretchLastSection(true);
  lvPackList->header()->setSectionsMovable(false);
  lvPackList->setRootIsDecorated(false);
  lvPackList->setItemsExpandable(false);
  lvPackList->setUniformRowHeights(true);
  lvPackList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lvPackList->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvPackList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  bClear = AddButton(page, "bClear", "&Clear all", QRect(250, 205, 75, 25));
  bAll = AddButton(page, "bAll", "Check &all", QRect(165, 205, 75, 25));
  setTabOrder(lvPackList, bClear);
  setTabOrder(bClear, bAll);
}

void Tfmain::buildDestinationPage(QWidget* page) {
  const WindowSettings defaults;
  AddLabel(page, "Label11", "Max string length:", 46, 38);
  MaxStringSize =
      AddEdit(page, "MaxStringSize", defaults.maxStringSize.c_str(), QRect(152, 32, 120, 21));
  AddLabel(page, "Label12", "Max BLOB size:", 60, 70);
  MaxBlobSize = AddEdit(page, "MaxBlobSize", defaults.maxBlobSize.c_str(), QRect(152, 64, 121, 21));
  AddLabel(page, "Label13", "Max CLOB size:", 59, 102);
  MaxClobSize = AddEdit(page, "MaxClobSize", defaults.maxClobSize.c_str(), QRect(152, 96, 121, 21));
  AddLabel(page, "Label4", "Select output folder:", 24, 160);
  ePath = AddEdit(page, "ePath", "", QRect(24, 176, 265, 21));
  bFolder = AddButton(page, "bFolder", "...", QRect(293, 176, 20, 21));
  setTabOrder(ePath, bFolder);
  setTabOrder(bFolder, MaxStringSize);
  setTabOrder(MaxStringSize, MaxBlobSize);
  setTabOrder(MaxBlobSize, MaxClobSize);
}

void Tfmain::buildReportPage(QWidget* page) {
  lProgres = AddLabel(page, "lProgres", "Generating code. Please wait...", 24, 88);
  SetPixelSize(lProgres, 16);
  pgBar = new QProgressBar(page);
  pgBar->setObjectName(QStringLiteral("pgBar"));
  pgBar->setGeometry(24, 112, 289, 16);
  pgBar->setRange(0, 100);
  pgBar->setValue(0);
  pgBar->setTextVisible(false);
}

std::function<void()> Tfmain::reporting(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { RunReportingErrors(messages_, this, handler); };
}

void Tfmain::wireHandlers() {
  connect(bAll, &QPushButton::clicked, this, reporting([this] { bAllClick(); }));
  connect(bClear, &QPushButton::clicked, this, reporting([this] { bClearClick(); }));
  connect(bFolder, &QPushButton::clicked, this, reporting([this] { bFolderClick(); }));
  DelphiWizard1->SetOnPageChanging([this](TWizDirection Direction, int& ShowPage) {
    DelphiWizard1PageChanging(Direction, ShowPage);
  });
  DelphiWizard1->SetOnEndClick([this](QObject*) { DelphiWizard1EndClick(); });
  // The navigator's clicks never let an error reach the event loop: it hands them over here.
  DelphiWizard1->SetOnError(
      [this](const std::exception& error) { reportError(messages_, this, error.what()); });
}

void Tfmain::FormCreate() {
  connection_ = std::make_unique<DictionaryConnection>();
  Notebook1->SetActivePage("Default");
  // An unreadable file leaves the boxes at their defaults; its error box is shown once.
  StoredSettings stored = LoadSettings(iniPath_);
  settingsRead_ = true;
  showSettings(stored.window);
  typeAdditions_ = std::move(stored.typeAdditions);
  callsThroughBlocks_ = stored.callsThroughBlocks;
}

void Tfmain::FormDestroy() {
  if (settingsRead_) SaveSettings(iniPath_, settingsFromBoxes());
  if (connection_) {
    connection_->close();
    connection_.reset();
  }
}

void Tfmain::showSettings(const WindowSettings& settings) {
  eUser->setText(ToQString(settings.user));
  eServer->setText(ToQString(settings.database));
  ePath->setText(ToQString(settings.folder));
  MaxStringSize->setText(ToQString(settings.maxStringSize));
  MaxBlobSize->setText(ToQString(settings.maxBlobSize));
  MaxClobSize->setText(ToQString(settings.maxClobSize));
}

WindowSettings Tfmain::settingsFromBoxes() const {
  WindowSettings settings;
  settings.user = FromQString(eUser->text());
  settings.password = FromQString(ePass->text());
  settings.database = FromQString(eServer->text());
  settings.folder = FromQString(ePath->text());
  settings.maxStringSize = FromQString(MaxStringSize->text());
  settings.maxBlobSize = FromQString(MaxBlobSize->text());
  settings.maxClobSize = FromQString(MaxClobSize->text());
  return settings;
}

GenerationRequest Tfmain::requestFromBoxes() const {
  const WindowSettings boxes = settingsFromBoxes();
  GenerationRequest request;
  request.user = boxes.user;
  request.names = tickedNames();
  request.maxStringSize = boxes.maxStringSize;
  request.maxBlobSize = boxes.maxBlobSize;
  request.maxClobSize = boxes.maxClobSize;
  request.folder = boxes.folder;
  request.typeAdditions = typeAdditions_;
  request.callsThroughBlocks = callsThroughBlocks_;
  return request;
}

// The ticked entries in list order; the entry for routines outside packages gives "".
std::vector<std::string> Tfmain::tickedNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < lvPackList->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* entry = lvPackList->topLevelItem(i);
    if (entry->checkState(0) != Qt::Checked) continue;
    const bool outsidePackages = entry->data(0, kEntryKindRole).toInt() == kOutsidePackagesEntry;
    names.push_back(outsidePackages
                        ? std::string()
                        : entry->data(0, kDictionaryNameRole).toByteArray().toStdString());
  }
  return names;
}

void Tfmain::setChecks(Qt::CheckState state) {
  for (int i = 0; i < lvPackList->topLevelItemCount(); ++i) {
    lvPackList->topLevelItem(i)->setCheckState(0, state);
  }
}

void Tfmain::bAllClick() {
  setChecks(Qt::Checked);
}

void Tfmain::bClearClick() {
  setChecks(Qt::Unchecked);
}

void Tfmain::bFolderClick() {
  std::string current = FromQString(ePath->text());
  if (!FolderExists(current)) current.clear();
  if (const std::optional<std::string> chosen =
          messages_.chooseFolder(this, "Select output folder ", current)) {
    ePath->setText(ToQString(*chosen));
  }
}

void Tfmain::DelphiWizard1PageChanging(TWizDirection Direction, int& ShowPage) {
  if (Direction != wdNext) return;
  if (ShowPage == kObjectsPage) {
    logOnStep();
  } else if (ShowPage == kReportPage) {
    destinationStep(ShowPage);
  }
}

void Tfmain::logOnStep() {
  lConnecting->show();
  DelphiWizard1->setEnabled(false);
  setCursor(Qt::WaitCursor);
  const AtScopeExit restore([this] {
    lConnecting->hide();
    DelphiWizard1->setEnabled(true);
    unsetCursor();
  });
  QCoreApplication::processEvents();
  const WindowSettings boxes = settingsFromBoxes();
  PackListSink sink(lvPackList);
  ConnectAndListPackages(*connection_, {boxes.user, boxes.password, boxes.database}, sink);
}

// The first failed check ends the step; a declined folder keeps the Destination page quietly.
void Tfmain::destinationStep(int& ShowPage) {
  const GenerationRequest request = requestFromBoxes();
  CheckSizeTexts(request.maxStringSize, request.maxBlobSize, request.maxClobSize);
  if (!folderConfirmed(request.folder)) {
    ShowPage = kDestinationPage;
    return;
  }
  setCursor(Qt::WaitCursor);
  const AtScopeExit restore([this] {
    unsetCursor();
    DelphiWizard1->setEnabled(true);
  });
  showReportPage();
  generate(request);
  reportFinished();
}

// A missing folder is created with its parents once the user agrees; false when declined.
bool Tfmain::folderConfirmed(const std::string& folder) {
  if (FolderExists(folder)) return true;
  const MessageAnswer answer =
      messages_.show(this, {"Confirm", "Folder not exists. Do you want to create this folder?",
                            MessageIcon::kQuestion, MessageButtons::kYesNo});
  if (answer != MessageAnswer::kYes) return false;
  if (folder.empty()) throw TarvelError("Unable to create directory");
  // A folder that could not be made fails the run at its first file, with the reason.
  QDir().mkpath(ToQString(folder));
  return true;
}

// The Report page is drawn, with the navigator's last-page buttons, before any file is written.
void Tfmain::showReportPage() {
  Notebook1->SetPageIndex(kReportPage);
  DelphiWizard1->GoToPage(kReportPage);
  DelphiWizard1->setEnabled(false);
  QCoreApplication::processEvents();
}

void Tfmain::generate(const GenerationRequest& request) {
  const AtScopeExit cleanUp([this] {
    unsetCursor();
    pgBar->setValue(0);
  });
  setCursor(Qt::WaitCursor);
  GenerationListener listener(*this, request.names.size());
  RunGeneration(*connection_, request, listener);
  listener.unitsCommitted();
}

void Tfmain::reportFinished() {
  lProgres->setText(QStringLiteral("Finished."));
  messages_.show(this, {kApplicationTitle, "Finished!", MessageIcon::kNone, MessageButtons::kOk});
  close();
}

void Tfmain::DelphiWizard1EndClick() {
  if (Notebook1->PageIndex() != kReportPage) {
    close();
    return;
  }
  setCursor(Qt::WaitCursor);
  DelphiWizard1->setEnabled(false);
  const AtScopeExit restore([this] {
    unsetCursor();
    DelphiWizard1->setEnabled(true);
  });
  close();
}

}  // namespace tarvel
