#pragma once

#include <array>
#include <vector>

#include <QHash>
#include <QMainWindow>

#include "core/BookGuard.h"
#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "find/RecordNavigator.h"
#include "mainwindow/OneLineField.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolBar;
class GroupComboBox;
class MultiLineField;
class SessionEndRequest;
class StatusClock;

// The main window: one record of the book at a time, with the menus and
// toolbar from which every command starts.
struct ImportPlan;
struct SyncAccount;
struct SyncState;
class BackgroundSync;

class frmMain : public QMainWindow, public RecordNavigator {
  Q_OBJECT

 public:
  // commandLine, when not blank, names the data file to open instead of the
  // one in the settings.
  frmMain(BookState& book, ProgramSettings& settings, const QString& commandLine = {},
          QWidget* parent = nullptr);

  // Loads the last data file (or the one given on the command line) and shows it.
  void Form_Load();

  void GoToRecord(int n) override;
  void ShowPhoneSlot(int slot) override;
  void FocusGroupList() override;
  void PlaceCaret(int k, int position) override;
  void ShowRecord();
  void RefreshView();
  void SetStatusPanes();
  void EnableRecordControls(bool enable);
  void OnGroupCloseUp();
  void ConfirmSaveChanges(bool& cancel);
  // True when the book is (now) a Unicode book: an old-edition book is
  // converted when the user says so, once per book; what names what could
  // not be stored.
  bool ConvertOnUsersWord(const QString& what);

  // The desktop session is ending: asks the save question as at Exit when the
  // session allows it, otherwise keeps the changes for the next start.
  void CommitSessionData(SessionEndRequest& request);

  // The text of field i (0 name, 1 company, 2 address, 3 phone, 4 notes).
  QString FieldText(int i) const;
  QString PromptText() const;

  // Record view, in focus order; txtFields holds the five text boxes by field index.
  std::array<QWidget*, 5> txtFields{};
  OneLineField* txtName;
  OneLineField* txtCompany;
  std::array<QRadioButton*, 2> optPrintAs{};
  MultiLineField* txtAddress;
  GroupComboBox* cboGroups;
  QGroupBox* Frame1;  // "&Phone": the phone box and its options
  OneLineField* txtPhone;
  std::array<QRadioButton*, 4> optWhichPhone{};
  MultiLineField* txtNotes;
  QScrollBar* scrCurrRecord;
  QToolBar* Toolbar1;

  // Menu items.
  QAction *mnuFileNew, *mnuFileOpen, *mnuFileSave, *mnuFileSaveAs, *mnuFileExport, *mnuFilePrint, *mnuFileExit;
  QAction *mnuFileImport, *mnuFileExportVCard, *mnuFileProperties, *mnuFileSync, *mnuFileSyncOptions;
  QAction *mnuEditCut, *mnuEditCopy, *mnuEditPaste, *mnuEditPhoneNames, *mnuEditGroup;
  QAction *mnuRecordsAdd, *mnuRecordsDelete, *mnuRecordsSearch, *mnuRecordsFindNext, *mnuRecordsFindPrevious,
      *mnuRecordsSort, *mnuRecordsGoTo;
  QAction *mnuOptionsStates, *mnuOptionsDial, *mnuOptionsSettings;
  QAction *mnuHelpContents, *mnuHelpHowToUse, *mnuHelpAbout;
  QMenu* mnuEdit;

  // Toolbar buttons by key.
  QAction* ToolbarButton(const QString& key) const;

  // File commands.
  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();

  // Contacts in and out: vCard and CSV import, vCard export.
  void mnuFileImport_Click();
  void mnuFileExportVCard_Click();

  // Two-way sync with the book's CardDAV address book.
  void mnuFileSync_Click();
  // The options of the book's sync account.
  void mnuFileSyncOptions_Click();
  // True while a sync runs in the background.
  bool IsSyncing() const { return sync_ != nullptr; }

  // Record commands.
  void mnuRecordsAdd_Click();
  void mnuRecordsDelete_Click();

  // Search commands.
  void mnuRecordsSearch_Click();
  void mnuRecordsFindNext_Click();
  void mnuRecordsFindPrevious_Click();

  // Shows the record chosen from the Go To list.
  void mnuRecordsGoTo_Click();
  // Tells where the book is kept, its edition and its number of records.
  void mnuFileProperties_Click();

  // Clipboard commands.
  void mnuEdit_Update();
  void mnuEditCut_Click();
  void mnuEditCopy_Click();
  void mnuEditPaste_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildRecordView();
  void BuildMenus();
  void BuildToolbar();
  void ConnectRecordView();
  QAction* AddMenuItem(QMenu* menu, const char* caption, const char* name, int helpTopic,
                       const QKeySequence& shortcut = {});
  void ConnectCommands();
  void ConnectDialogCommands();

  void RebuildGroupChoices();
  void ShowPhoneCaptions(const AddressRecord& record);
  void ShowEmptyView();
  void ShowRecordPosition();
  // The hints beside the record: the groups of a record in several groups as
  // the group box's tooltip, the first steps in an empty book, and where the
  // book is kept as the position pane's tooltip.
  void ShowGuidance();
  QString GroupsPromptText() const;
  void ShowInputRefusal(const QString& reason);
  void RefuseInput(const QString& reason);
  bool TakeEditionForSave(int fileType);
  // True when the book became a Unicode book for an import that needs it.
  bool OfferUnicodeForImport(const ImportPlan& plan);
  bool SetUpSyncAccount(SyncState& state, QString& password);
  bool SyncPassword(const SyncAccount& account, QString& password, bool automatic);
  void StartSync(const SyncState& state, const QString& statePath, const QString& password, bool automatic);
  void StartAutomaticSync(bool SyncState::*when);
  void FinishSync();
  void AbandonSync();
  void ReportSyncProblem(const QString& problem);
  void SaveThenSync();
  void ConnectEditionQuestion();
  void SetChecked(QButtonGroup* group, int id);
  void scrCurrRecord_Scroll(int position);

  void txtFields_Change(int i);
  void optPrintAs_Click(int i);
  void optWhichPhone_Click(int i);
  void StepPhoneSlot(int step);
  int PhoneSlotStep(const QObject* watched, int key) const;
  void KeepTabStopOnChecked(QButtonGroup* group);
  bool HandleNavigationKey(int key, Qt::KeyboardModifiers modifiers);
  bool IsCommandShortcut(const QKeyEvent& key) const;
  void ShowMenuItemHelp(QMenu* menu);
  void KeepSelectionOverMenu(QLineEdit* box, QEvent* event);
  void RepeatSearch(int direction);

  BookState& book_;
  ProgramSettings& settings_;
  QString commandLine_;
  BookGuard guard_;
  bool declinedAtStart_ = false;         // the book is open in another window, which keeps it
  bool askingEdition_ = false;  // the question about the book's format is open
  bool changesKeptForRecovery_ = false;  // the session is ending and allows no question
  bool Updating = false;
  bool SaveCancelled = false;
  int GroupIndexAtDropDown = 0;
  QButtonGroup* printAsGroup_;
  QButtonGroup* whichPhoneGroup_;
  QLabel* promptPane_;
  QLabel* syncPane_;
  BackgroundSync* sync_ = nullptr;  // the sync in progress
  QString syncName_;                // its address book, as the user knows it
  QString syncStatePath_;
  bool syncAutomatic_ = false;      // started by a save or at start-up: failures go to the status bar
  QHash<QString, QString> typedPasswords_;  // sync passwords typed this session, where no keyring keeps them
  QTimer* refusalTimer_;
  StatusClock* timePane_ = nullptr;
  StatusClock* datePane_ = nullptr;
  std::vector<QAction*> commandShortcuts_;
  struct SelectionOverMenu {
    QLineEdit* box = nullptr;
    int start = -1;
    int length = 0;
  } selectionOverMenu_;
};
