// The main window's menus, toolbar and clipboard commands.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolBar>

#include "core/ErrorReport.h"
#include "core/GroupComboBox.h"
#include "core/HelpTopics.h"
#include "core/frmSettings.h"
#include "mainwindow/ApplicationIcon.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/SystemBeep.h"

namespace {

const char* const kHelpTopicProperty = "helpTopic";

struct ToolbarButtonDefinition {
  const char* key;
  const char* tooltip;
  const char* picture;
};

constexpr ToolbarButtonDefinition kToolbarButtons[] = {
    {"Add", "Add Record", ":/toolbar/add.svg"},     {"Delete", "Delete Record", ":/toolbar/delete.svg"},
    {"Search", "Search", ":/toolbar/search.svg"},   {"Print", "Print", ":/toolbar/print.svg"},
    {"Dial", "Dial", ":/toolbar/dial.svg"},         {"Exit", "Exit", ":/toolbar/exit.svg"},
};

// The focused control when it is one of the text boxes, else nothing.
QWidget* FocusedTextBox() {
  QWidget* focus = QApplication::focusWidget();
  return qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ? focus : nullptr;
}

QString SelectedText(QWidget* box) {
  if (auto* line = qobject_cast<QLineEdit*>(box)) return line->selectedText();
  return static_cast<QPlainTextEdit*>(box)->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
}

// Replaces the selection through the box itself, so its limits and its
// change handler apply.
void ReplaceSelection(QWidget* box, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(box))
    line->insert(text);
  else
    static_cast<QPlainTextEdit*>(box)->insertPlainText(text);
}

void CopySelection(QWidget* box) {
  SystemClipboard().Clear();
  SystemClipboard().SetText(SelectedText(box));
}

}  // namespace

QAction* frmMain::AddMenuItem(QMenu* menu, const char* caption, const char* name, int helpTopic,
                              const QKeySequence& shortcut) {
  QAction* item = menu->addAction(QString::fromLatin1(caption));
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcut(shortcut);
  item->setShortcutContext(Qt::WindowShortcut);
  if (helpTopic) item->setProperty(kHelpTopicProperty, helpTopic);
  if (!shortcut.isEmpty() && shortcut[0].keyboardModifiers() == Qt::ControlModifier &&
      shortcut[0].key() >= Qt::Key_A && shortcut[0].key() <= Qt::Key_Z &&
      !(shortcut[0].key() == Qt::Key_X || shortcut[0].key() == Qt::Key_C || shortcut[0].key() == Qt::Key_V))
    commandShortcuts_.push_back(item);
  return item;
}

void frmMain::BuildMenus() {
  QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFileNew = AddMenuItem(mnuFile, "&New", "mnuFileNew", HelpTopic::FileNew);
  mnuFileOpen = AddMenuItem(mnuFile, "&Open...", "mnuFileOpen", HelpTopic::FileOpen);
  mnuFileSave = AddMenuItem(mnuFile, "&Save", "mnuFileSave", HelpTopic::FileSave);
  mnuFileSaveAs = AddMenuItem(mnuFile, "Save &As...", "mnuFileSaveAs", HelpTopic::FileSaveAs);
  mnuFile->addSeparator();
  mnuFileImport = AddMenuItem(mnuFile, "&Import...", "mnuFileImport", HelpTopic::Import);
  mnuFileExport = AddMenuItem(mnuFile, "&Export Text File...", "mnuFileExport", HelpTopic::ExportText);
  mnuFileExportVCard = AddMenuItem(mnuFile, "Export &vCard...", "mnuFileExportVCard", HelpTopic::ExportVCard);
  mnuFileSync = AddMenuItem(mnuFile, "S&ync...", "mnuFileSync", HelpTopic::Sync, QKeySequence(Qt::CTRL | Qt::Key_Y));
  mnuFileSyncOptions = AddMenuItem(mnuFile, "Sync Op&tions...", "mnuFileSyncOptions", HelpTopic::SyncOptions);
  mnuFile->addSeparator();
  mnuFilePrint = AddMenuItem(mnuFile, "&Print...", "mnuFilePrint", HelpTopic::Print, QKeySequence(Qt::CTRL | Qt::Key_P));
  mnuFileProperties = AddMenuItem(mnuFile, "&Book Properties...", "mnuFileProperties", HelpTopic::BookProperties);
  mnuFile->addSeparator();
  mnuFileExit = AddMenuItem(mnuFile, "E&xit", "mnuFileExit", HelpTopic::FileExit);

  mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
  mnuEditCut = AddMenuItem(mnuEdit, "Cu&t", "mnuEditCut", HelpTopic::EditCut, QKeySequence(Qt::CTRL | Qt::Key_X));
  mnuEditCopy = AddMenuItem(mnuEdit, "&Copy", "mnuEditCopy", HelpTopic::EditCopy, QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuEditPaste = AddMenuItem(mnuEdit, "&Paste", "mnuEditPaste", HelpTopic::EditPaste, QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuEdit->addSeparator();
  mnuEditPhoneNames =
      AddMenuItem(mnuEdit, "Phone &Names...", "mnuEditPhoneNames", HelpTopic::PhoneNames, QKeySequence(Qt::CTRL | Qt::Key_N));
  mnuEditGroup = AddMenuItem(mnuEdit, "&Group List...", "mnuEditGroup", HelpTopic::GroupList, QKeySequence(Qt::CTRL | Qt::Key_G));

  QMenu* mnuRecords = menuBar()->addMenu(QStringLiteral("&Records"));
  mnuRecordsAdd = AddMenuItem(mnuRecords, "&Add Record", "mnuRecordsAdd", HelpTopic::AddRecord, QKeySequence(Qt::CTRL | Qt::Key_A));
  mnuRecordsDelete =
      AddMenuItem(mnuRecords, "&Delete Record...", "mnuRecordsDelete", HelpTopic::DeleteRecord, QKeySequence(Qt::CTRL | Qt::Key_D));
  mnuRecords->addSeparator();
  mnuRecordsSearch =
      AddMenuItem(mnuRecords, "&Search...", "mnuRecordsSearch", HelpTopic::Search, QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuRecordsFindNext = AddMenuItem(mnuRecords, "Find &Next", "mnuRecordsFindNext", HelpTopic::FindNext, QKeySequence(Qt::Key_F3));
  mnuRecordsFindPrevious = AddMenuItem(mnuRecords, "Find &Previous", "mnuRecordsFindPrevious", HelpTopic::FindPrevious,
                                       QKeySequence(Qt::SHIFT | Qt::Key_F3));
  mnuRecordsGoTo = AddMenuItem(mnuRecords, "&Go To...", "mnuRecordsGoTo", HelpTopic::GoTo, QKeySequence(Qt::CTRL | Qt::Key_L));
  mnuRecords->addSeparator();
  mnuRecordsSort =
      AddMenuItem(mnuRecords, "Sort &Records...", "mnuRecordsSort", HelpTopic::Sort, QKeySequence(Qt::CTRL | Qt::Key_R));

  QMenu* mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
  mnuOptionsStates =
      AddMenuItem(mnuOptions, "State &Abbreviations...", "mnuOptionsStates", HelpTopic::States, QKeySequence(Qt::Key_F9));
  mnuOptions->addSeparator();
  mnuOptionsDial = AddMenuItem(mnuOptions, "&Dial Number", "mnuOptionsDial", HelpTopic::DialNumber, QKeySequence(Qt::Key_F11));
  mnuOptions->addSeparator();
  mnuOptionsSettings =
      AddMenuItem(mnuOptions, "&Settings...", "mnuOptionsSettings", HelpTopic::Settings, QKeySequence(Qt::Key_F12));

  QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelpContents = AddMenuItem(mnuHelp, "&Help Topics", "mnuHelpContents", 0);
  mnuHelpHowToUse = AddMenuItem(mnuHelp, "How To &Use Help", "mnuHelpHowToUse", 0);
  mnuHelp->addSeparator();
  mnuHelpAbout = AddMenuItem(mnuHelp, "&About...", "mnuHelpAbout", HelpTopic::About);

  for (QMenu* menu : {mnuFile, mnuEdit, mnuRecords, mnuOptions, mnuHelp}) menu->installEventFilter(this);
  connect(mnuEdit, &QMenu::aboutToShow, this, &frmMain::mnuEdit_Update);
}

void frmMain::BuildToolbar() {
  Toolbar1 = addToolBar(QStringLiteral("Toolbar"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);
  Toolbar1->setFloatable(false);
  setWindowIcon(ApplicationIcon());  // also makes the toolbar pictures available
  for (const ToolbarButtonDefinition& definition : kToolbarButtons) {
    QAction* button = Toolbar1->addAction(QIcon(QString::fromLatin1(definition.picture)), QString::fromLatin1(definition.tooltip));
    button->setObjectName(QString::fromLatin1(definition.key));
    button->setToolTip(QString::fromLatin1(definition.tooltip));
  }
}

QAction* frmMain::ToolbarButton(const QString& key) const {
  for (QAction* button : Toolbar1->actions())
    if (button->objectName() == key) return button;
  return nullptr;
}

void frmMain::ConnectCommands() {
  connect(mnuFileNew, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
  connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
  connect(mnuFileSave, &QAction::triggered, this, &frmMain::SaveThenSync);
  connect(mnuFileSaveAs, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
  connect(mnuFileImport, &QAction::triggered, this, &frmMain::mnuFileImport_Click);
  connect(mnuFileExportVCard, &QAction::triggered, this, &frmMain::mnuFileExportVCard_Click);
  connect(mnuFileSync, &QAction::triggered, this, &frmMain::mnuFileSync_Click);
  connect(mnuFileSyncOptions, &QAction::triggered, this, &frmMain::mnuFileSyncOptions_Click);
  connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
  connect(mnuEditCut, &QAction::triggered, this, &frmMain::mnuEditCut_Click);
  connect(mnuEditCopy, &QAction::triggered, this, &frmMain::mnuEditCopy_Click);
  connect(mnuEditPaste, &QAction::triggered, this, &frmMain::mnuEditPaste_Click);
  connect(mnuRecordsAdd, &QAction::triggered, this, &frmMain::mnuRecordsAdd_Click);
  connect(mnuRecordsDelete, &QAction::triggered, this, &frmMain::mnuRecordsDelete_Click);
  connect(mnuRecordsGoTo, &QAction::triggered, this, &frmMain::mnuRecordsGoTo_Click);
  connect(mnuFileProperties, &QAction::triggered, this, &frmMain::mnuFileProperties_Click);
  connect(mnuOptionsSettings, &QAction::triggered, this, [this] {
    frmSettings dialog(settings_, this);
    if (dialog.exec() == QDialog::Accepted) SetStatusPanes();
  });
  connect(mnuHelpContents, &QAction::triggered, this, [] { Help().ShowContents(); });
  connect(mnuHelpHowToUse, &QAction::triggered, this, [] { Help().ShowHowToUse(); });
  const std::pair<const char*, QAction*> toolbarCommands[] = {
      {"Add", mnuRecordsAdd},   {"Delete", mnuRecordsDelete}, {"Search", mnuRecordsSearch},
      {"Print", mnuFilePrint},  {"Dial", mnuOptionsDial},     {"Exit", mnuFileExit}};
  for (const auto& [key, item] : toolbarCommands)
    connect(ToolbarButton(QString::fromLatin1(key)), &QAction::triggered, item, &QAction::trigger);
}

void frmMain::EnableRecordControls(bool enable) {
  for (QWidget* box : txtFields) box->setEnabled(enable);
  for (QButtonGroup* group : {printAsGroup_, whichPhoneGroup_}) {
    for (QAbstractButton* option : group->buttons()) option->setEnabled(enable);
    if (!enable) SetChecked(group, -1);
  }
  cboGroups->setEnabled(enable);
  for (QAction* item : {mnuFilePrint, mnuEditPhoneNames, mnuRecordsDelete, mnuRecordsSearch, mnuRecordsFindNext,
                        mnuRecordsFindPrevious, mnuRecordsGoTo, mnuRecordsSort, mnuOptionsDial})
    item->setEnabled(enable);
  for (const char* key : {"Delete", "Search", "Print", "Dial"}) ToolbarButton(QString::fromLatin1(key))->setEnabled(enable);
  scrCurrRecord->setEnabled(enable);
}

void frmMain::mnuEdit_Update() {
  for (QAction* item : {mnuEditCut, mnuEditCopy, mnuEditPaste}) item->setEnabled(false);
  QWidget* box = FocusedTextBox();
  if (!box) return;
  const bool selection = !SelectedText(box).isEmpty();
  mnuEditCut->setEnabled(selection);
  mnuEditCopy->setEnabled(selection);
  mnuEditPaste->setEnabled(SystemClipboard().HasText());
}

void frmMain::mnuEditCut_Click() {
  if (QWidget* box = FocusedTextBox()) {
    CopySelection(box);
    ReplaceSelection(box, {});
  }
}

void frmMain::mnuEditCopy_Click() {
  if (QWidget* box = FocusedTextBox()) CopySelection(box);
}

void frmMain::mnuEditPaste_Click() {
  if (QWidget* box = FocusedTextBox()) ReplaceSelection(box, SystemClipboard().GetText());
}

bool frmMain::IsCommandShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.modifiers() | key.key());
  for (const QAction* item : commandShortcuts_)
    if (item->isEnabled() && item->shortcut() == pressed) return true;
  return false;
}

// F1 on a highlighted menu item opens that item's topic.
void frmMain::ShowMenuItemHelp(QMenu* menu) {
  const QAction* item = menu->activeAction();
  const QVariant topic = item ? item->property(kHelpTopicProperty) : QVariant();
  if (topic.isValid()) ShowHelpContext(topic.toInt());
}
