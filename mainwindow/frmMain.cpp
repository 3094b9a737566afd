#include "mainwindow/frmMain.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/GroupComboBox.h"
#include "core/HelpTopics.h"
#include "core/RecoveryFile.h"
#include "core/RecoveryOffer.h"
#include "core/SettingsIO.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/StatusClock.h"
#include "platform/ExitCleanup.h"
#include "platform/HelpKey.h"
#include "platform/HelpViewer.h"
#include "platform/SessionEnd.h"
#include "platform/SettingsStore.h"
#include "platform/StandardLocations.h"
#include "sync/SyncState.h"

namespace {

constexpr int kNameLimit = 45;
constexpr int kCompanyLimit = 45;
constexpr int kAddressLimit = 256;
constexpr int kPhoneLimit = 30;
constexpr int kNotesLimit = 512;
constexpr int kRefusalShownMilliseconds = 4000;

OneLineField* OneLineBox(const char* name, int limit) {
  auto* field = new OneLineField(limit);
  field->setObjectName(QString::fromLatin1(name));
  return field;
}

MultiLineField* MultiLineBox(const char* name, int limit, int lines) {
  auto* field = new MultiLineField(limit);
  field->setObjectName(QString::fromLatin1(name));
  field->setFixedHeight(field->fontMetrics().lineSpacing() * lines + 12);
  return field;
}

QLabel* FieldLabel(const char* caption, QWidget* buddy) {
  auto* label = new QLabel(QString::fromLatin1(caption));
  label->setBuddy(buddy);
  return label;
}

QRadioButton* Option(const QString& caption, QButtonGroup* group, int id) {
  auto* option = new QRadioButton(caption);
  group->addButton(option, id);
  return option;
}

}  // namespace

frmMain::frmMain(BookState& book, ProgramSettings& settings, const QString& commandLine, QWidget* parent)
    : QMainWindow(parent), book_(book), settings_(settings), commandLine_(commandLine.trimmed()) {
  setObjectName(QStringLiteral("frmMain"));
  BuildRecordView();
  BuildMenus();
  BuildToolbar();
  ConnectRecordView();
  ConnectCommands();
  ConnectDialogCommands();
  promptPane_ = new QLabel;
  promptPane_->setObjectName(QStringLiteral("Prompt"));
  promptPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusBar()->addWidget(promptPane_, 1);
  syncPane_ = new QLabel;
  syncPane_->setObjectName(QStringLiteral("SyncProgress"));
  syncPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  syncPane_->hide();
  statusBar()->addPermanentWidget(syncPane_);
  statusBar()->setSizeGripEnabled(false);
  refusalTimer_ = new QTimer(this);
  refusalTimer_->setSingleShot(true);
  refusalTimer_->setInterval(kRefusalShownMilliseconds);
  connect(refusalTimer_, &QTimer::timeout, this, &frmMain::ShowRecordPosition);
  WhenSessionEnds(this, [this](SessionEndRequest& request) { CommitSessionData(request); });
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::MainWindow);
}

void frmMain::BuildRecordView() {
  txtName = OneLineBox("txtName", kNameLimit);
  txtCompany = OneLineBox("txtCompany", kCompanyLimit);
  txtAddress = MultiLineBox("txtAddress", kAddressLimit, 4);
  txtPhone = OneLineBox("txtPhone", kPhoneLimit);
  txtNotes = MultiLineBox("txtNotes", kNotesLimit, 4);
  txtFields = {txtName, txtCompany, txtAddress, txtPhone, txtNotes};
  cboGroups = new GroupComboBox;
  cboGroups->setObjectName(QStringLiteral("cboGroups"));
  scrCurrRecord = new QScrollBar(Qt::Vertical);
  scrCurrRecord->setObjectName(QStringLiteral("scrCurrRecord"));
  scrCurrRecord->setTracking(false);
  scrCurrRecord->setPageStep(1);  // a click in the track moves one record, and the thumb shows the book's size
  scrCurrRecord->setFocusPolicy(Qt::StrongFocus);

  printAsGroup_ = new QButtonGroup(this);
  optPrintAs = {Option(QStringLiteral("Per&son"), printAsGroup_, 0),
                Option(QStringLiteral("&Business"), printAsGroup_, 1)};
  auto* printAsRow = new QHBoxLayout;
  for (QRadioButton* option : optPrintAs) printAsRow->addWidget(option);
  printAsRow->addStretch();

  whichPhoneGroup_ = new QButtonGroup(this);
  Frame1 = new QGroupBox(QStringLiteral("&Phone"));
  auto* phoneLayout = new QVBoxLayout(Frame1);
  phoneLayout->addWidget(txtPhone);
  for (int i = 0; i < 4; ++i) {
    optWhichPhone[static_cast<size_t>(i)] = Option(QStringLiteral("&%1").arg(i + 1), whichPhoneGroup_, i);
    phoneLayout->addWidget(optWhichPhone[static_cast<size_t>(i)]);
  }
  phoneLayout->addStretch();
  Frame1->setMinimumWidth(txtPhone->fontMetrics().averageCharWidth() * 28);

  auto* grid = new QGridLayout;
  const int labelColumn = 0, fieldColumn = 1, phoneColumn = 2, scrollColumn = 3;
  grid->addWidget(FieldLabel("Na&me:", txtName), 0, labelColumn);
  grid->addWidget(txtName, 0, fieldColumn);
  grid->addWidget(FieldLabel("&Company:", txtCompany), 1, labelColumn);
  grid->addWidget(txtCompany, 1, fieldColumn);
  grid->addWidget(new QLabel(QStringLiteral("Print As:")), 2, labelColumn);
  grid->addLayout(printAsRow, 2, fieldColumn);
  grid->addWidget(FieldLabel("&Address:", txtAddress), 3, labelColumn, Qt::AlignTop);
  grid->addWidget(txtAddress, 3, fieldColumn);
  grid->addWidget(FieldLabel("&Group:", cboGroups), 4, labelColumn);
  grid->addWidget(cboGroups, 4, fieldColumn);
  grid->addWidget(Frame1, 0, phoneColumn, 5, 1);
  grid->addWidget(FieldLabel("&Notes:", txtNotes), 5, labelColumn, Qt::AlignTop);
  grid->addWidget(txtNotes, 5, fieldColumn, 1, 2);
  grid->addWidget(scrCurrRecord, 0, scrollColumn, 6, 1);
  grid->setColumnMinimumWidth(fieldColumn, txtName->fontMetrics().averageCharWidth() * 40);

  auto* central = new QWidget;
  central->setLayout(grid);
  setCentralWidget(central);

  QWidget* previous = txtName;
  for (QWidget* next : std::initializer_list<QWidget*>{txtCompany, optPrintAs[0], optPrintAs[1], txtAddress,
                                                       cboGroups, txtPhone, optWhichPhone[0], optWhichPhone[1],
                                                       optWhichPhone[2], optWhichPhone[3], txtNotes, scrCurrRecord}) {
    setTabOrder(previous, next);
    previous = next;
  }
}

void frmMain::Form_Load() {
  NewDocument(book_);
  if (!commandLine_.isEmpty()) settings_.PhoneBook.DataFile = AbsolutePath(commandLine_);
  const QString& dataFile = settings_.PhoneBook.DataFile;
  if (!dataFile.isEmpty() && dataFile != QLatin1String(kUntitled)) {
    show();
    if (!guard_.Claim(dataFile, BookGuard::Purpose::Open)) {
      declinedAtStart_ = true;
      QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
      return;
    }
    ShowOutcome(LoadDocument(book_, dataFile));
    guard_.Follow(book_);
  }
  OfferKeptChanges(book_, guard_);
  SetStatusPanes();
  StartAutomaticSync(&SyncState::SyncAtStartUp);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (declinedAtStart_) {
    event->accept();
    return;
  }
  bool cancel = false;
  if (changesKeptForRecovery_) {
    KeepChangesForRecovery(book_);
    RunExitCleanups();
  } else {
    ConfirmSaveChanges(cancel);
  }
  if (cancel) {
    event->ignore();
    return;
  }
  AbandonSync();
  SaveSettings(settings_, Store(), book_.FileName);
  Help().Quit();
  event->accept();
}

void frmMain::SetStatusPanes() {
  delete timePane_;
  delete datePane_;
  timePane_ = nullptr;
  datePane_ = nullptr;
  if (settings_.PhoneBook.ShowStatusTime) {
    timePane_ = new StatusClock(StatusClock::Style::Time);
    timePane_->setObjectName(QStringLiteral("Time"));
    statusBar()->addPermanentWidget(timePane_);
  }
  if (settings_.PhoneBook.ShowStatusDate) {
    datePane_ = new StatusClock(StatusClock::Style::Date);
    datePane_->setObjectName(QStringLiteral("Date"));
    statusBar()->addPermanentWidget(datePane_);
  }
  RefreshView();
}

QString frmMain::PromptText() const { return promptPane_->text(); }

#include "moc_frmMain.cpp"
