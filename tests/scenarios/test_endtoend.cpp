// The program as a user meets it: started with its own settings store and
// data folder, driven through its menus, keys and dialogs, closed and
// started again.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/BookState.h"
#include "core/DialogExchange.h"
#include "core/ProgramSettings.h"
#include "core/StartUp.h"
#include "core/frmSettings.h"
#include "export/frmExport.h"
#include "find/frmSearch.h"
#include "find/frmSort.h"
#include "mainwindow/GroupComboBox.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "platform/SettingsStore.h"
#include "support/BookInvariants.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"


namespace {

// ---------------------------------------------------------------------------
// The book as the user entered it, and the files it must give, written out
// from the file layouts rather than by the program's own writers.

struct Entry {
  std::string name;
  std::string company;
  int printAs = 0;
  std::vector<std::string> addressLines;
  std::vector<std::string> groups;  // group names
  std::array<std::string, 4> phones;
  int whichPhone = 0;
  std::string notes;
  std::array<int, 4> phoneNames{0, 1, 2, 3};
};

struct Story {
  std::vector<std::string> groups;  // in the order they were created
  std::vector<std::string> phoneNames{"Home", "Work", "Fax", "Car Phone"};
  std::array<int, 4> defaultPhoneNames{0, 1, 2, 3};
  int defaultPrintAs = 0;
  std::array<std::array<int, 4>, 3> sortKeys{{{1, 1, 0, 0}, {0, 1, 0, 0}, {0, 1, 0, 0}}};
  int current = 0;
  std::vector<Entry> records;

  int GroupIndex(const std::string& name) const {
    return static_cast<int>(std::find(groups.begin(), groups.end(), name) - groups.begin());
  }
  // The record's groups as stored: one byte per group, in alphabetical order of the names.
  std::string GroupSet(const Entry& entry) const {
    std::vector<std::string> names = entry.groups;
    std::sort(names.begin(), names.end());
    std::string set;
    for (const std::string& name : names) set += static_cast<char>(GroupIndex(name));
    return set;
  }
  int GroupValue(const Entry& entry) const {
    if (entry.groups.empty()) return -1;
    if (entry.groups.size() == 1) return GroupIndex(entry.groups[0]);
    return -2;
  }
  std::string GroupText(const Entry& entry) const {
    if (entry.groups.empty()) return "<Ungrouped>";
    if (entry.groups.size() == 1) return entry.groups[0];
    return "<Multiple Groups...>";
  }
  std::string PhoneNameOf(int index) const {
    return index < 0 ? "<Blank>" : phoneNames[static_cast<size_t>(index)];
  }
};

std::string Joined(const std::vector<std::string>& lines, const std::string& separator) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? separator : "") + lines[i];
  return text;
}

class Bytes {
 public:
  Bytes& Word(int value) {
    bytes_ += static_cast<char>(value & 0xFF);
    bytes_ += static_cast<char>((value >> 8) & 0xFF);
    return *this;
  }
  Bytes& Text(const std::string& text) {
    Word(static_cast<int>(text.size()));
    bytes_ += text;
    return *this;
  }
  Bytes& Raw(const std::string& raw) {
    bytes_ += raw;
    return *this;
  }
  const std::string& str() const { return bytes_; }

 private:
  std::string bytes_;
};

// The data file: magic, reserved words, the document's preferences, the
// lists, the current record and the records, 16-bit words little-endian and
// counted strings.
std::string DataFileOf(const Story& story) {
  Bytes file;
  file.Raw("QUILLBOX00").Word(0).Word(0).Word(0).Word(0).Word(story.defaultPrintAs);
  for (int index : story.defaultPhoneNames) file.Word(index);
  for (const auto& key : story.sortKeys)
    for (int value : key) file.Word(value);
  file.Word(static_cast<int>(story.phoneNames.size()));
  for (const std::string& name : story.phoneNames) file.Text(name);
  file.Word(static_cast<int>(story.groups.size()));
  for (const std::string& name : story.groups) file.Text(name);
  file.Word(story.current).Word(static_cast<int>(story.records.size()));
  for (const Entry& entry : story.records) {
    file.Text(entry.name).Text(entry.company).Word(entry.printAs).Text(Joined(entry.addressLines, "\r\n"));
    file.Word(story.GroupValue(entry)).Text(story.GroupValue(entry) == -2 ? story.GroupSet(entry) : "");
    for (const std::string& phone : entry.phones) file.Text(phone);
    for (int index : entry.phoneNames) file.Word(index);
    file.Word(entry.whichPhone).Text(entry.notes);
  }
  return file.str();
}

QString Q(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// ---------------------------------------------------------------------------
// Answering dialogs.

// Dialogs that a step is waiting for.
int expectedDialogs = 0;

// Runs act on the next modal dialog, which must be the one named (or, with
// no name, the font dialog); a dialog that act leaves open is cancelled, so
// that a failed step cannot hang the run.
void OnDialog(const char* name, std::function<void(QDialog&)> act) {
  const QString wanted = name ? QString::fromLatin1(name) : QStringLiteral("the font dialog");
  ++expectedDialogs;
  WhenModalShown([wanted, fontDialog = !name, act = std::move(act)](QDialog& dialog) {
    --expectedDialogs;
    const bool expected = fontDialog ? qobject_cast<QFontDialog*>(&dialog) != nullptr : dialog.objectName() == wanted;
    EXPECT_TRUE(expected) << "expected " << wanted.toStdString() << ", got " << dialog.objectName().toStdString();
    if (expected) act(dialog);
    if (dialog.isVisible()) {
      ADD_FAILURE() << wanted.toStdString() << " was left open";
      dialog.reject();
    }
  });
}

// Cancels a modal dialog that no step expects, so that an unexpected
// question fails the scenario rather than waiting for an answer for ever.
class UnexpectedDialogs : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() == QEvent::Show && dialog && dialog->isWindow() && dialog->windowModality() != Qt::NonModal &&
        expectedDialogs == 0) {
      ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString() << " \""
                    << dialog->windowTitle().toStdString() << "\"";
      QTimer::singleShot(0, dialog, &QDialog::reject);
    }
    return false;
  }
};

template <class Widget>
Widget* Find(QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

void Click(QWidget& dialog, const char* button) {
  if (auto* found = Find<QAbstractButton>(dialog, button)) found->click();
}

// Types text key by key; letters beyond ASCII come as keys that carry only their text.
void Type(QWidget* box, const std::string& text) {
  for (const QChar c : Q(text)) {
    if (c.unicode() < 128)
      QTest::keyClick(box, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Replaces the text of a one-line box by typing.
void TypeOver(QLineEdit* box, const std::string& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  Type(box, text);
}

// Moves a closed drop-down list with the arrow keys to the entry with text.
void ArrowTo(QComboBox* box, const QString& text) {
  const int wanted = box->findText(text);
  ASSERT_GE(wanted, 0) << text.toStdString();
  box->setFocus();
  for (int step = 0; step < box->count() && box->currentIndex() != wanted; ++step)
    QTest::keyClick(box, box->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
  EXPECT_EQ(box->currentIndex(), wanted) << text.toStdString();
}

// Opens a group list with the Down arrow, walks to the entry and takes it
// with Enter; the list's close-up notice then runs.
void ChooseInOpenList(GroupComboBox* box, const QString& text) {
  const int wanted = box->findText(text);
  ASSERT_GE(wanted, 0) << text.toStdString();
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Down);
  QAbstractItemView* list = box->view();
  ASSERT_TRUE(list->isVisible());
  for (int step = 0; step < box->count() && list->currentIndex().row() != wanted; ++step)
    QTest::keyClick(list, list->currentIndex().row() < wanted ? Qt::Key_Down : Qt::Key_Up);
  EXPECT_EQ(list->currentIndex().row(), wanted) << text.toStdString();
  QTest::keyClick(list, Qt::Key_Return);
  QApplication::processEvents();
}

// Toggles list entries by clicking them.
void ClickEntries(QListWidget* list, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const QList<QListWidgetItem*> found = list->findItems(Q(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
  }
}

QStringList Entries(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

QStringList Entries(const QComboBox* box) {
  QStringList texts;
  for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  return texts;
}

// In the font dialog: picks the font and confirms.
void ChooseFont(QDialog& dialog, const QString& family, int points) {
  auto* fonts = qobject_cast<QFontDialog*>(&dialog);
  ASSERT_NE(fonts, nullptr);
  fonts->setCurrentFont(QFont(family, points));
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  buttons->button(QDialogButtonBox::Ok)->click();
}

std::vector<QString> Shown() {
  std::vector<QString> texts;
  for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
  return texts;
}

// ---------------------------------------------------------------------------
// The program.

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    previousHome = qgetenv("HOME");
    // The data folder, the documents folder and the default export file all
    // live under the home folder; the settings file gets a folder of its own.
    qputenv("HOME", QFile::encodeName(home.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath(QStringLiteral("config")));
    InstallFileDialogs(&files);
    GroupListCancelled() = false;
    expectedDialogs = 0;
    qApp->installEventFilter(&unexpectedDialogs);
  }

  void TearDown() override {
    qApp->removeEventFilter(&unexpectedDialogs);
    window.reset();
    InstallStore(nullptr);
    store.reset();
    InstallFileDialogs(nullptr);
    qputenv("HOME", previousHome);
  }

  // Starts the program as a new process would: nothing in memory, the
  // settings read from the store.
  void Start(const QString& commandLine = {}) {
    Book() = BookState{};
    Settings() = ProgramSettings{};
    Exchange() = DialogExchange{};
    store = OpenUserSettings();
    InstallStore(store.get());
    window = StartMainWindow(commandLine);
    Activate();
  }

  // Closes the main window; true when it closed (it may refuse on Cancel).
  bool Quit() {
    if (!window->close()) return false;
    window.reset();
    InstallStore(nullptr);
    store.reset();  // writes the settings file
    return true;
  }

  // The offscreen platform does not give the activation back to the main
  // window when a drop-down list closes, as a window manager would.
  void Activate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    if (QApplication::activeWindow() != window.get()) QApplication::setActiveWindow(window.get());
  }

  // A menu item, found by name as a user finds it by its caption.
  QAction* Menu(const char* name) {
    auto* item = window->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(item, nullptr) << name;
    return item;
  }
  void Choose(const char* name) {
    if (QAction* item = Menu(name)) {
      EXPECT_TRUE(item->isEnabled()) << name;
      item->trigger();
    }
  }
  // A shortcut key pressed in the main window.
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Activate();
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == window.get() ? focus : window.get(), key, modifiers);
  }
  // A navigation key in the record view.
  void Navigate(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->txtName, key, modifiers);
  }

  // Opens the Edit menu from the keyboard (Alt+E) and picks the item with
  // its underlined letter.
  void UseEditMenu(Qt::Key letter, QAction* item) {
    Activate();
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_EQ(menu, window->mnuEdit);
    EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    QTest::keyClick(menu, letter);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }

  // Edit, Group List...: adds each name with Add... and closes the list.
  void AddGroups(const std::vector<std::string>& names) {
    OnDialog("frmGroups", [names](QDialog& groups) {
      EXPECT_EQ(groups.windowTitle(), "Edit Groups");
      for (const std::string& name : names) {
        OnDialog("frmNewGroup", [name](QDialog& input) {
          EXPECT_EQ(input.windowTitle(), "Add Group");
          Type(Find<QLineEdit>(input, "txtGroupName"), name);
          Click(input, "cmdOK");
        });
        Click(groups, "cmdAdd");
      }
      Click(groups, "cmdClose");
    });
    Press(Qt::Key_G, Qt::ControlModifier);
  }

  // Records, Add Record, then the fields as a user fills them in.
  void EnterRecord(const Story& story, const Entry& entry) {
    Press(Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(QApplication::focusWidget(), window->txtName);
    Type(window->txtName, entry.name);
    Type(window->txtCompany, entry.company);
    window->optPrintAs[static_cast<size_t>(entry.printAs)]->click();
    for (size_t i = 0; i < entry.addressLines.size(); ++i) {
      if (i) QTest::keyClick(window->txtAddress, Qt::Key_Return);
      Type(window->txtAddress, entry.addressLines[i]);
    }
    for (int slot = 0; slot < 4; ++slot) {
      if (entry.phones[static_cast<size_t>(slot)].empty()) continue;
      window->optWhichPhone[static_cast<size_t>(slot)]->click();
      Type(window->txtPhone, entry.phones[static_cast<size_t>(slot)]);
    }
    window->optWhichPhone[static_cast<size_t>(entry.whichPhone)]->click();
    Type(window->txtNotes, entry.notes);
    if (entry.groups.size() == 1) {
      ChooseInOpenList(window->cboGroups, Q(entry.groups[0]));
    } else if (entry.groups.size() > 1) {
      OnDialog("frmMultiGroups", [&entry](QDialog& dialog) {
        ClickEntries(Find<QListWidget>(dialog, "lstGroups"), entry.groups);
        Click(dialog, "cmdOK");
      });
      ChooseInOpenList(window->cboGroups, QStringLiteral("<Multiple Groups...>"));
    }
    EXPECT_EQ(window->cboGroups->currentText(), Q(story.GroupText(entry)));
  }

  // Every field of the shown record, as the window shows it.
  void ExpectShown(const Story& story, int index) {
    SCOPED_TRACE("record " + std::to_string(index + 1));
    const Entry& entry = story.records[static_cast<size_t>(index)];
    EXPECT_EQ(window->PromptText(),
              QStringLiteral("Record %1 of %2").arg(index + 1).arg(story.records.size()));
    EXPECT_EQ(window->FieldText(0), Q(entry.name));
    EXPECT_EQ(window->FieldText(1), Q(entry.company));
    EXPECT_EQ(window->FieldText(2), Q(Joined(entry.addressLines, "\r\n")));
    EXPECT_EQ(window->FieldText(3), Q(entry.phones[static_cast<size_t>(entry.whichPhone)]));
    EXPECT_EQ(window->FieldText(4), Q(entry.notes));
    EXPECT_TRUE(window->optPrintAs[static_cast<size_t>(entry.printAs)]->isChecked());
    EXPECT_TRUE(window->optWhichPhone[static_cast<size_t>(entry.whichPhone)]->isChecked());
    for (int slot = 0; slot < 4; ++slot)
      EXPECT_EQ(window->optWhichPhone[static_cast<size_t>(slot)]->text(),
                QStringLiteral("&%1 ").arg(slot + 1) + Q(story.PhoneNameOf(entry.phoneNames[static_cast<size_t>(slot)])));
    EXPECT_EQ(window->cboGroups->currentText(), Q(story.GroupText(entry)));
  }

  // Walks the book from the first record to the last with Page Down, and
  // back to the record that was shown.
  void ExpectBook(const Story& story) {
    EXPECT_EQ(BrokenInvariant(Book()), "");
    const int shown = Book().CurrentRecord;
    Navigate(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < static_cast<int>(story.records.size()); ++i) {
      if (i) Navigate(Qt::Key_PageDown);
      ExpectShown(story, i);
    }
    Navigate(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < shown; ++i) Navigate(Qt::Key_PageDown);
    EXPECT_EQ(Book().CurrentRecord, shown);
  }

  // The control with the keyboard focus once the main window is active again.
  QWidget* Focused() {
    Activate();
    return QApplication::focusWidget();
  }

  QString Caption(const QString& path) const { return QFileInfo(path).fileName() + QStringLiteral(" - Vantreo"); }

  QTemporaryDir home;
  QByteArray previousHome;
  UnexpectedDialogs unexpectedDialogs;
  FakeFileDialogs files;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<frmMain> window;
};

// ---------------------------------------------------------------------------

TEST_F(EndToEnd, CreateSaveRestartReload) {
  Story story;
  story.groups = {"Family", "Work", "Club"};
  Entry anne{"Anne Brown", "Caf\xE9 Rouge", 0, {"12 Elm St", "Springfield"}, {"Family"},
             {"555-0100", "555-0111", "", ""}, 1, "Met at school"};
  Entry john{"John Smith", "Acme", 1, {}, {"Work", "Club"}, {"555-0200", "", "", ""}, 0, ""};
  Entry zed{"Zed", "", 0, {"PO Box 9"}, {}, {"", "", "", "555-0404"}, 3, "Call before noon"};

  // First run: nothing stored yet, so the book is the default data file,
  // which does not exist yet.
  Start();
  const QString dataFile = Book().FileName;
  EXPECT_TRUE(dataFile.startsWith(home.path())) << dataFile.toStdString();
  EXPECT_EQ(QFileInfo(dataFile).fileName(), "Quillbox.dat");
  EXPECT_FALSE(QFile::exists(dataFile));
  EXPECT_EQ(window->windowTitle(), Caption(dataFile));
  EXPECT_EQ(window->PromptText(), "No records");
  EXPECT_FALSE(Menu("mnuFilePrint")->isEnabled());

  AddGroups(story.groups);
  EXPECT_EQ(Entries(window->cboGroups),
            (QStringList{"<Ungrouped>", "<Multiple Groups...>", "Club", "Family", "Work"}));

  EnterRecord(story, anne);
  story.records.push_back(anne);
  EnterRecord(story, john);
  // John's third phone is a pager: a description the list does not have yet,
  // added on the way and made the default for new records.
  Fakes().messages.answers = {MessageAnswer::Yes};
  OnDialog("frmPhoneNames", [](QDialog& dialog) {
    QLineEdit* third = Find<QComboBox>(dialog, "cboPhoneNames(2)")->lineEdit();
    TypeOver(third, "Pager");
    Click(dialog, "chkUseAsDefault");
    Click(dialog, "cmdOK");
  });
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Shown(), (std::vector<QString>{
                         "'Pager' is not in the Phone Description list. Do you want to add it?"}));
  story.phoneNames.push_back("Pager");
  story.defaultPhoneNames = {0, 1, 4, 3};
  john.phoneNames = {0, 1, 4, 3};
  story.records.push_back(john);
  EXPECT_EQ(window->optWhichPhone[2]->text(), "&3 Pager");

  // Business was the last print-as choice, so Zed starts as one.
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(window->optPrintAs[1]->isChecked());
  EXPECT_EQ(window->optWhichPhone[2]->text(), "&3 Pager");
  Fakes().messages.answers = {MessageAnswer::Yes};
  Press(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Book().RecordCount(), 2);
  EnterRecord(story, zed);
  zed.phoneNames = {0, 1, 4, 3};
  story.records.push_back(zed);
  story.defaultPrintAs = 0;

  Navigate(Qt::Key_PageUp);  // John is current when the book is saved
  story.current = 1;

  // The company's new suffix is moved into the notes through the Edit menu,
  // opened from the keyboard.
  window->txtCompany->setFocus();
  QTest::keyClick(window->txtCompany, Qt::Key_End);
  Type(window->txtCompany, " Corp");
  for (int i = 0; i < 5; ++i) QTest::keyClick(window->txtCompany, Qt::Key_Left, Qt::ShiftModifier);
  UseEditMenu(Qt::Key_T, window->mnuEditCut);
  EXPECT_EQ(window->txtCompany->text(), "Acme");
  EXPECT_EQ(QApplication::clipboard()->text(), " Corp");
  window->txtNotes->setFocus();
  Type(window->txtNotes, "Formerly Acme");
  UseEditMenu(Qt::Key_P, window->mnuEditPaste);
  story.records[1].notes = "Formerly Acme Corp";
  EXPECT_EQ(window->FieldText(4), "Formerly Acme Corp");
  ExpectBook(story);

  Fakes().messages.shown.clear();
  Choose("mnuFileSave");
  EXPECT_EQ(files.requests, 0);  // the book has a name already
  EXPECT_FALSE(Book().Dirty);
  const std::string saved = ReadBytes(dataFile);
  EXPECT_EQ(saved, DataFileOf(story));
  const Story firstSaved = story;
  EXPECT_TRUE(Quit());
  EXPECT_TRUE(Shown().empty());

  // Second run: the same book, on the record that was current.
  Start();
  EXPECT_EQ(Book().FileName, dataFile);
  EXPECT_EQ(window->windowTitle(), Caption(dataFile));
  ExpectShown(story, 1);
  EXPECT_FALSE(Book().Dirty);
  Choose("mnuFileSave");
  EXPECT_EQ(ReadBytes(dataFile), saved);
  ExpectBook(story);
  EXPECT_FALSE(Book().Dirty);  // looking at records changes nothing

  // Save As under a new name, on the last record, then a change that is
  // saved on the way out.
  Navigate(Qt::Key_End, Qt::ControlModifier);
  story.current = 2;
  files.result = FileDialogResult::Chosen;
  files.chosen = home.filePath(QStringLiteral("FRIENDS.dat"));
  Choose("mnuFileSaveAs");
  EXPECT_EQ(files.request.InitialPath, dataFile);
  EXPECT_EQ(window->windowTitle(), "FRIENDS.dat - Vantreo");
  EXPECT_EQ(ReadBytes(files.chosen), DataFileOf(story));
  window->txtNotes->setFocus();
  window->txtNotes->moveCursor(QTextCursor::End);
  Type(window->txtNotes, " or after six");
  story.records[2].notes += " or after six";
  EXPECT_TRUE(Book().Dirty);
  Fakes().messages.shown.clear();
  Fakes().messages.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(Quit());  // Cancel keeps the program running
  Fakes().messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Quit());
  EXPECT_EQ(Shown(), (std::vector<QString>{"Save changes to '" + files.chosen + "'?",
                                           "Save changes to '" + files.chosen + "'?"}));
  EXPECT_EQ(ReadBytes(files.chosen), DataFileOf(story));
  EXPECT_EQ(ReadBytes(dataFile), saved);

  // Third run: the file used last, with the change. The user turns off the
  // save question and the clock; the next change is saved without asking.
  Start();
  EXPECT_EQ(Book().FileName, files.chosen);
  ExpectShown(story, 2);
  ExpectBook(story);
  EXPECT_NE(window->findChild<QLabel*>("Time"), nullptr);
  OnDialog("frmSettings", [](QDialog& dialog) {
    auto& options = dynamic_cast<frmSettings&>(dialog);
    EXPECT_TRUE(options.chkPromptBeforeSave->isChecked());
    options.chkPromptBeforeSave->click();
    options.chkShowTime->click();
    Click(dialog, "cmdOK");
  });
  Press(Qt::Key_F12);
  EXPECT_EQ(window->findChild<QLabel*>("Time"), nullptr);
  EXPECT_NE(window->findChild<QLabel*>("Date"), nullptr);
  EXPECT_EQ(window->PromptText(), "Record 3 of 3");
  window->optWhichPhone[0]->click();  // the phone slot shown is part of the record
  story.records[2].whichPhone = 0;
  EXPECT_TRUE(Book().Dirty);
  Fakes().messages.shown.clear();
  EXPECT_TRUE(Quit());
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(ReadBytes(files.chosen), DataFileOf(story));

  // Fourth run: the settings stayed. File New, and leaving without
  // changes: the next run opens no file.
  Start();
  ExpectShown(story, 2);
  EXPECT_EQ(window->findChild<QLabel*>("Time"), nullptr);
  OnDialog("frmSettings", [](QDialog& dialog) {
    auto& options = dynamic_cast<frmSettings&>(dialog);
    EXPECT_FALSE(options.chkPromptBeforeSave->isChecked());
    EXPECT_FALSE(options.chkShowTime->isChecked());
    EXPECT_TRUE(options.chkShowDate->isChecked());
    Click(dialog, "cmdCancel");
  });
  Press(Qt::Key_F12);
  Choose("mnuFileNew");
  EXPECT_EQ(window->windowTitle(), "Untitled - Vantreo");
  EXPECT_EQ(window->PromptText(), "No records");
  EXPECT_TRUE(Quit());

  // Fifth run: nothing open; File Open brings the book back.
  Start();
  EXPECT_EQ(window->windowTitle(), "Untitled - Vantreo");
  EXPECT_EQ(Book().RecordCount(), 0);
  files.request = {};
  Choose("mnuFileOpen");
  EXPECT_EQ(files.request.Filter, "Vantreo Files (*.dat)|*.dat|All Files (*.*)|*.*");
  EXPECT_EQ(window->windowTitle(), "FRIENDS.dat - Vantreo");
  ExpectShown(story, 2);
  ExpectBook(story);
  EXPECT_TRUE(Quit());

  // Sixth run, with the first file named on the command line.
  Start(dataFile);
  EXPECT_EQ(window->windowTitle(), Caption(dataFile));
  ExpectShown(firstSaved, 1);
  ExpectBook(firstSaved);
  EXPECT_TRUE(Quit());
  EXPECT_EQ(ReadBytes(dataFile), saved);
  EXPECT_EQ(ReadBytes(files.chosen), DataFileOf(story));
}

// An export line: the chosen columns in quotes, tab between them, CR LF at the end.
std::string ExportLine(const Story& story, const Entry& entry) {
  const std::vector<std::string> columns{
      entry.name,
      entry.company,
      entry.printAs ? "Business" : "Person",
      Joined(entry.addressLines, "|"),
      story.PhoneNameOf(entry.phoneNames[0]),
      entry.phones[0],
      story.GroupText(entry),
      entry.notes,
  };
  std::string line;
  for (size_t i = 0; i < columns.size(); ++i) line += (i ? "\t\"" : "\"") + columns[i] + "\"";
  return line + "\r\n";
}

TEST_F(EndToEnd, SearchSortAndExportSurviveARestart) {
  Story story;
  story.groups = {"Work", "Family"};
  story.records = {
      {"John Smith", "Acme", 1, {"1 Main St", "Springfield"}, {"Work"}, {"555-0100", "", "", ""}, 0, ""},
      {"Anne Brown", "", 0, {"12 Elm St"}, {"Family"}, {"555-0200", "", "", "555-0404"}, 0, "Birthday in May"},
      {"Zed Young", "Blacksmith Ltd", 0, {}, {}, {"555-0300", "", "", ""}, 0, ""},
      {"Carla Diaz", "Diaz & Co", 1, {}, {"Work"}, {"", "", "", ""}, 0, "Smith's neighbour"},
  };
  Start();
  AddGroups(story.groups);
  for (const Entry& entry : story.records) EnterRecord(story, entry);
  story.defaultPrintAs = 1;  // Carla, the last one entered, is a business
  ExpectBook(story);

  // A word on the second line of an address: the caret stands before it.
  Navigate(Qt::Key_End, Qt::ControlModifier);
  OnDialog("frmSearch", [](QDialog& dialog) {
    auto& search = dynamic_cast<frmSearch&>(dialog);
    EXPECT_FALSE(search.cmdFindFirst->isEnabled());
    EXPECT_FALSE(search.Expanded());
    Type(search.txtSearchFor, "spring");
    QTest::keyClick(search.txtSearchFor, Qt::Key_Return);  // Find First
  });
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(window->PromptText(), "Record 1 of 4");
  EXPECT_EQ(Focused(), window->txtAddress);
  const QTextCursor caret = window->txtAddress->textCursor();
  EXPECT_EQ(window->txtAddress->toPlainText().mid(caret.position()), "Springfield");
  EXPECT_FALSE(caret.hasSelection());

  // Search for smith in all fields, from the first record on, then onwards
  // with F3 and back with Shift+F3.
  OnDialog("frmSearch", [](QDialog& dialog) {
    auto& search = dynamic_cast<frmSearch&>(dialog);
    EXPECT_EQ(search.txtSearchFor->selectedText(), "spring");
    Type(search.txtSearchFor, "smith");
    QTest::keyClick(search.txtSearchFor, Qt::Key_Return);
  });
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(window->PromptText(), "Record 1 of 4");
  EXPECT_EQ(Focused(), window->txtName);
  EXPECT_EQ(window->txtName->cursorPosition(), 5);

  Press(Qt::Key_F3);
  EXPECT_EQ(window->PromptText(), "Record 3 of 4");
  EXPECT_EQ(Focused(), window->txtCompany);
  EXPECT_EQ(window->txtCompany->cursorPosition(), 5);

  Press(Qt::Key_F3);
  EXPECT_EQ(window->PromptText(), "Record 4 of 4");
  EXPECT_EQ(Focused(), window->txtNotes);
  EXPECT_EQ(window->txtNotes->textCursor().position(), 0);

  Press(Qt::Key_F3);
  EXPECT_EQ(Shown(), std::vector<QString>{"No more occurrences of 'smith'."});
  EXPECT_EQ(window->PromptText(), "Record 4 of 4");
  Press(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(window->PromptText(), "Record 3 of 4");

  // A phone number, searched for in the phones only: the window switches to
  // the slot that holds it.
  OnDialog("frmSearch", [](QDialog& dialog) {
    auto& search = dynamic_cast<frmSearch&>(dialog);
    EXPECT_EQ(search.txtSearchFor->selectedText(), "smith");
    Type(search.txtSearchFor, "0404");
    search.optSelectedFields[1]->click();
    EXPECT_TRUE(search.Expanded());
    for (int field : {0, 1, 2, 3, 5}) search.chkWhichFields[static_cast<size_t>(field)]->click();
    search.cmdFindFirst->click();
  });
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(window->PromptText(), "Record 2 of 4");
  EXPECT_TRUE(window->optWhichPhone[3]->isChecked());
  EXPECT_EQ(window->txtPhone->text(), "555-0404");
  EXPECT_EQ(Focused(), window->txtPhone);
  EXPECT_EQ(window->txtPhone->cursorPosition(), 4);
  story.records[1].whichPhone = 3;

  // Sort by last name, descending; the first record is shown after it.
  OnDialog("frmSort", [](QDialog& dialog) {
    auto& sort = dynamic_cast<frmSort&>(dialog);
    EXPECT_EQ(sort.cboSortField[0]->currentText(), "Name");
    EXPECT_TRUE(sort.chkByLastName[0]->isChecked());
    sort.optSortOrder[1]->click();
    Click(dialog, "cmdOK");
  });
  Press(Qt::Key_R, Qt::ControlModifier);
  story.records = {story.records[2], story.records[0], story.records[3], story.records[1]};
  story.sortKeys[0] = {1, 1, 0, 1};
  EXPECT_EQ(window->PromptText(), "Record 1 of 4");
  ExpectBook(story);

  // Export to a file of the user's choosing: tab separated, with the phone
  // names, and a choice of columns.
  const QString exportFile = home.filePath(QStringLiteral("contacts.txt"));
  OnDialog("frmExport", [this, exportFile](QDialog& dialog) {
    auto& options = dynamic_cast<frmExport&>(dialog);
    EXPECT_EQ(options.txtFilename->text(), QDir::toNativeSeparators(home.filePath(QStringLiteral("export.txt"))));
    TypeOver(options.txtFilename, exportFile.toStdString());
    ArrowTo(options.cboSeparator, QStringLiteral("{tab}"));
    options.chkPhoneNames->click();
    for (int field : {2, 5, 6, 7, 9}) options.chkWhichFields[static_cast<size_t>(field)]->click();
    options.cmdOK->click();
  });
  Choose("mnuFileExport");
  std::string exported;
  for (const Entry& entry : story.records) exported += ExportLine(story, entry);
  EXPECT_EQ(ReadBytes(exportFile), exported);

  // Leaving saves the sorted book; the next run finds the order, the sort
  // keys, the search and the export choices again.
  Fakes().messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Quit());
  story.current = 0;
  EXPECT_EQ(ReadBytes(Book().FileName), DataFileOf(story));

  Start();
  ExpectShown(story, 0);
  Press(Qt::Key_F3);  // the phone search of the last run
  EXPECT_EQ(window->PromptText(), "Record 4 of 4");
  EXPECT_EQ(Focused(), window->txtPhone);
  EXPECT_EQ(window->txtPhone->cursorPosition(), 4);
  OnDialog("frmSort", [](QDialog& dialog) {
    auto& sort = dynamic_cast<frmSort&>(dialog);
    EXPECT_EQ(sort.cboSortField[0]->currentText(), "Name");
    EXPECT_TRUE(sort.optSortOrder[1]->isChecked());
    Click(dialog, "cmdCancel");
  });
  Press(Qt::Key_R, Qt::ControlModifier);
  OnDialog("frmExport", [exportFile](QDialog& dialog) {
    auto& options = dynamic_cast<frmExport&>(dialog);
    EXPECT_EQ(options.txtFilename->text(), exportFile);
    EXPECT_EQ(options.cboSeparator->currentText(), "{tab}");
    EXPECT_TRUE(options.chkPhoneNames->isChecked());
    for (int field = 0; field < kExportFieldCount; ++field)
      EXPECT_EQ(options.chkWhichFields[static_cast<size_t>(field)]->isChecked(), field < 5 || field >= 8) << field;
    options.cmdCancel->click();
  });
  Choose("mnuFileExport");
  OnDialog("frmSearch", [](QDialog& dialog) {
    auto& search = dynamic_cast<frmSearch&>(dialog);
    EXPECT_EQ(search.txtSearchFor->text(), "0404");
    EXPECT_TRUE(search.Expanded());
    for (int field = 0; field < 6; ++field)
      EXPECT_EQ(search.chkWhichFields[static_cast<size_t>(field)]->isChecked(), field == 4) << field;
    dialog.reject();
  });
  Press(Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Book().Dirty);
  ExpectBook(story);
  EXPECT_TRUE(Quit());
}

// A PDF file that the printer named in a notice.
struct Printout {
  QString path;
  int pages = 0;
};

// The PDF files that the printer named in its notices since the last look,
// each checked to be a PDF document in folder.
std::vector<Printout> PrintedFiles(const QString& folder) {
  static const QRegularExpression named(QStringLiteral("^The printout was saved as the PDF files?\n"));
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  std::vector<Printout> files;
  QStringList paths;
  for (const QString& text : Shown())
    if (named.match(text).hasMatch()) paths << text.split(QLatin1Char('\n')).mid(1);
  for (const QString& path : paths) {
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder).absoluteFilePath()) << path.toStdString();
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-") << path.toStdString();
    EXPECT_GT(bytes.size(), 1000u) << path.toStdString();
    const auto pages = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).count(page);
    files.push_back({path, static_cast<int>(pages)});
  }
  Fakes().messages.shown.clear();
  return files;
}

TEST_F(EndToEnd, PrintEachReportToPdf) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed; nothing to look at";
  // Thirty people, sixteen of them at Work (one also in Family): enough for
  // two pages of Work labels and three of everybody's.
  Story story;
  story.groups = {"Family", "Work"};
  const char* const firstNames[] = {"Anne", "John", "Carla", "Dan", "Eve", "Zed"};
  const char* const lastNames[] = {"Brown", "Smith", "Diaz", "Evans", "Adams"};
  for (int i = 0; i < 30; ++i) {
    Entry entry;
    entry.name = std::string(firstNames[i % 6]) + " " + lastNames[i / 6];
    entry.printAs = i % 7 == 3 ? 1 : 0;
    if (entry.printAs) entry.company = entry.name.substr(entry.name.find(' ') + 1) + " Ltd";
    if (i % 3 == 0) entry.addressLines = {std::to_string(i + 1) + " Elm St", "Springfield"};
    entry.groups = i < 15 ? std::vector<std::string>{"Work"} : std::vector<std::string>{"Family"};
    if (i == 15) entry.groups = {"Family", "Work"};
    entry.phones = {"555-01" + std::to_string(10 + i), i % 4 ? "" : "555-02" + std::to_string(10 + i), "", ""};
    story.records.push_back(entry);
  }
  Start();
  AddGroups(story.groups);
  for (const Entry& entry : story.records) EnterRecord(story, entry);
  const QString documents = QDir(home.path()).filePath(QStringLiteral("Documents"));
  std::vector<QString> printed;
  const auto keep = [&printed](const std::vector<Printout>& files) {
    for (const Printout& file : files) printed.push_back(file.path);
  };

  // A phone list of everybody, under a title of the user's.
  Fakes().messages.shown.clear();
  OnDialog("frmPrint", [](QDialog& dialog) {
    EXPECT_EQ(Find<QComboBox>(dialog, "cboGroups")->currentText(), "<All Groups>");
    EXPECT_TRUE(Find<QRadioButton>(dialog, "optReportType0")->isChecked());
    TypeOver(Find<QLineEdit>(dialog, "txtTitle"), "Friends and Colleagues");
    Click(dialog, "cmdOk");
  });
  Press(Qt::Key_P, Qt::ControlModifier);
  std::vector<Printout> files = PrintedFiles(documents);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_GE(files[0].pages, 1);
  keep(files);

  // Labels for the Work group; first the ungrouped, who are nobody.
  OnDialog("frmPrint", [](QDialog& dialog) {
    auto* groups = Find<GroupComboBox>(dialog, "cboGroups");
    EXPECT_EQ(groups->currentText(), "<All Groups>");
    Click(dialog, "optReportType2");
    EXPECT_FALSE(Find<QLineEdit>(dialog, "txtTitle")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(dialog, "cmdAlign")->isEnabled());
    ChooseInOpenList(groups, QStringLiteral("<Ungrouped>"));
    Click(dialog, "cmdOk");
    EXPECT_EQ(Shown(), std::vector<QString>{"There are no records matching the current print criteria. "
                                            "Nothing to print."});
    EXPECT_TRUE(dialog.isVisible());
    Fakes().messages.shown.clear();
    ChooseInOpenList(groups, QStringLiteral("Work"));
    EXPECT_EQ(groups->currentText(), "Work");
    Click(dialog, "cmdOk");
  });
  Press(Qt::Key_P, Qt::ControlModifier);
  files = PrintedFiles(documents);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].pages, 2);  // fourteen labels a page
  keep(files);

  // The phone book booklet with addresses: the stored font is too big for
  // its small pages, a smaller one fits. Side A is one file and the backs
  // are another; there is no printer to prepare.
  OnDialog("frmPrint", [](QDialog& dialog) {
    Click(dialog, "optReportType1");
    EXPECT_TRUE(Find<QPushButton>(dialog, "cmdAlign")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>(dialog, "txtTitle")->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtTitle")->text(), "Friends and Colleagues");
    Click(dialog, "chkIncAddress");
    OnDialog("frmAlign", [](QDialog& align) {  // the printer shifts the backs a little
      TypeOver(Find<QLineEdit>(align, "txtOffset0"), "0.5");
      TypeOver(Find<QLineEdit>(align, "txtOffset1"), "-.25");
      Click(align, "cmdOK");
    });
    Click(dialog, "cmdAlign");
    OnDialog(nullptr, [](QDialog& fonts) { ChooseFont(fonts, QStringLiteral("DejaVu Serif"), 20); });
    Click(dialog, "cmdFonts");
    Click(dialog, "cmdOk");
    EXPECT_EQ(Shown(), std::vector<QString>{"Font is too big for selected report type. Choose the Font button "
                                            "to select a smaller font."});
    EXPECT_TRUE(dialog.isVisible());
    Fakes().messages.shown.clear();
    OnDialog(nullptr, [](QDialog& fonts) { ChooseFont(fonts, QStringLiteral("DejaVu Serif"), 8); });
    Click(dialog, "cmdFonts");
    Click(dialog, "cmdOk");
  });
  Press(Qt::Key_P, Qt::ControlModifier);
  files = PrintedFiles(documents);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_TRUE(files[0].path.endsWith(QLatin1String(" side A.pdf")));
  EXPECT_TRUE(files[1].path.endsWith(QLatin1String(" side B.pdf")));
  EXPECT_GE(files[0].pages, 1);
  EXPECT_EQ(files[1].pages, files[0].pages);  // a back for every front
  keep(files);

  // Nothing else landed in the documents folder, and every printout has a
  // file of its own.
  QStringList inFolder = QDir(documents).entryList({QStringLiteral("*.pdf")}, QDir::Files);
  QStringList named;
  for (const QString& path : printed) named << QFileInfo(path).fileName();
  inFolder.sort();
  named.sort();
  EXPECT_EQ(inFolder, named);
  EXPECT_EQ(named.removeDuplicates(), 0);

  // The print choices and the offsets are the user's next time.
  Fakes().messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Quit());
  Start();
  OnDialog("frmPrint", [](QDialog& dialog) {
    EXPECT_TRUE(Find<QRadioButton>(dialog, "optReportType1")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtTitle")->text(), "Friends and Colleagues");
    EXPECT_TRUE(Find<QCheckBox>(dialog, "chkIncAddress")->isChecked());
    EXPECT_EQ(Find<QComboBox>(dialog, "cboGroups")->currentText(), "<All Groups>");
    OnDialog(nullptr, [](QDialog& fonts) {
      const QFont font = static_cast<QFontDialog&>(fonts).currentFont();
      EXPECT_EQ(font.family(), "DejaVu Serif");
      EXPECT_EQ(font.pointSize(), 8);
      fonts.reject();
    });
    Click(dialog, "cmdFonts");
    OnDialog("frmAlign", [](QDialog& align) {
      EXPECT_EQ(Find<QLineEdit>(align, "txtOffset0")->text(), "0.50");
      EXPECT_EQ(Find<QLineEdit>(align, "txtOffset1")->text(), "-0.25");
      Click(align, "cmdCancel");
    });
    Click(dialog, "cmdAlign");
    Click(dialog, "cmdCancel");
  });
  Press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(PrintedFiles(documents).empty());
  ExpectBook(story);
  EXPECT_TRUE(Quit());
}

// In a list dialog: deletes the entry, answering the replacement dialog with
// target when the entry is in use.
void DeleteEntry(QDialog& list, const std::string& entry, const char* replacementTitle, const std::string& message,
                 const QStringList& choices, const std::string& target) {
  ClickEntries(Find<QListWidget>(list, "lstItems"), {entry});
  OnDialog("frmDelGroup", [=](QDialog& replacement) {
    EXPECT_EQ(replacement.windowTitle(), replacementTitle);
    EXPECT_EQ(Find<QLabel>(replacement, "lblMessage")->text(), Q(message));
    auto* items = Find<QComboBox>(replacement, "cboItems");
    EXPECT_EQ(Entries(items), choices);
    ArrowTo(items, Q(target));
    Click(replacement, "cmdOK");
  });
  Click(list, "cmdDelete");
}

// In a list dialog: deletes an entry that nothing uses, after the question.
void DeleteUnusedEntry(QDialog& list, const std::string& entry) {
  ClickEntries(Find<QListWidget>(list, "lstItems"), {entry});
  Fakes().messages.answers = {MessageAnswer::Yes};
  Click(list, "cmdDelete");
}

TEST_F(EndToEnd, DeleteGroupAndPhoneNameReassign) {
  Story story;
  story.groups = {"Family", "Work", "Club", "Choir"};
  story.records = {
      {"Anne Brown", "", 0, {}, {"Family"}, {"555-0100", "555-0101", "555-0102", "555-0103"}, 0, ""},
      {"John Smith", "Acme", 1, {}, {"Work", "Club"}, {"555-0200", "", "", ""}, 0, ""},
      {"Carla Diaz", "", 0, {}, {"Club"}, {"", "", "", ""}, 0, ""},
      {"Zed Young", "", 0, {}, {}, {"", "", "", ""}, 0, ""},
      {"Eve Adams", "", 0, {}, {"Club", "Choir"}, {"", "", "555-0500", ""}, 2, ""},
  };
  Start();
  AddGroups(story.groups);
  for (const Entry& entry : story.records) EnterRecord(story, entry);
  ExpectBook(story);

  // Club goes, its three members move to Work (John is there already); then
  // Choir goes, its one member left without it; then Temp, which nobody
  // uses, after the question (answered No once).
  OnDialog("frmGroups", [](QDialog& groups) {
    auto* items = Find<QListWidget>(groups, "lstItems");
    EXPECT_EQ(Entries(items), (QStringList{"Choir", "Club", "Family", "Work"}));
    DeleteEntry(groups, "Club", "Delete Group",
                "&There are 3 records(s) in the group you're deleting. Which group should these records be moved to:",
                {"<Ungrouped>", "Choir", "Family", "Work"}, "Work");
    EXPECT_EQ(Entries(items), (QStringList{"Choir", "Family", "Work"}));
    DeleteEntry(groups, "Choir", "Delete Group",
                "&There are 1 records(s) in the group you're deleting. Which group should these records be moved to:",
                {"<Ungrouped>", "Family", "Work"}, "<Ungrouped>");
    OnDialog("frmNewGroup", [](QDialog& input) {
      Type(Find<QLineEdit>(input, "txtGroupName"), "Temp");
      Click(input, "cmdOK");
    });
    Click(groups, "cmdAdd");
    ClickEntries(items, {"Temp"});
    Fakes().messages.answers = {MessageAnswer::No};
    Click(groups, "cmdDelete");
    EXPECT_EQ(Entries(items), (QStringList{"Family", "Temp", "Work"}));
    DeleteUnusedEntry(groups, "Temp");
    EXPECT_EQ(Entries(items), (QStringList{"Family", "Work"}));
    Click(groups, "cmdClose");
  });
  Press(Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Shown(), (std::vector<QString>{"Delete group 'Temp'?", "Delete group 'Temp'?"}));
  story.groups = {"Family", "Work"};
  story.records[1].groups = {"Work"};
  story.records[2].groups = {"Work"};
  story.records[4].groups = {"Work"};
  EXPECT_EQ(Entries(window->cboGroups), (QStringList{"<Ungrouped>", "<Multiple Groups...>", "Family", "Work"}));
  ExpectBook(story);

  // The phone names, edited from the phone names dialog: Work's references
  // go to Fax, Home's become blank; Pager is added and deleted unused.
  Fakes().messages.shown.clear();
  OnDialog("frmPhoneNames", [](QDialog& phoneNames) {
    OnDialog("frmGroups", [](QDialog& list) {
      EXPECT_EQ(list.windowTitle(), "Edit Phone Names");
      auto* items = Find<QListWidget>(list, "lstItems");
      EXPECT_EQ(Entries(items), (QStringList{"Car Phone", "Fax", "Home", "Work"}));
      const std::string inUse =
          "&This phone name is in use. Change references to this phone name to refer instead to:";
      DeleteEntry(list, "Work", "Delete Phone Name", inUse, {"<Blank>", "Car Phone", "Fax", "Home"}, "Fax");
      DeleteEntry(list, "Home", "Delete Phone Name", inUse, {"<Blank>", "Car Phone", "Fax"}, "<Blank>");
      OnDialog("frmNewGroup", [](QDialog& input) {
        EXPECT_EQ(input.windowTitle(), "Add Phone Name");
        Type(Find<QLineEdit>(input, "txtGroupName"), "Pager");
        Click(input, "cmdOK");
      });
      Click(list, "cmdAdd");
      DeleteUnusedEntry(list, "Pager");
      EXPECT_EQ(Entries(items), (QStringList{"Car Phone", "Fax"}));
      Click(list, "cmdClose");
    });
    Click(phoneNames, "cmdEditList");
    const QStringList shownNames{Find<QComboBox>(phoneNames, "cboPhoneNames(0)")->currentText(),
                                 Find<QComboBox>(phoneNames, "cboPhoneNames(1)")->currentText(),
                                 Find<QComboBox>(phoneNames, "cboPhoneNames(2)")->currentText(),
                                 Find<QComboBox>(phoneNames, "cboPhoneNames(3)")->currentText()};
    EXPECT_EQ(shownNames, (QStringList{"<Blank>", "Fax", "Fax", "Car Phone"}));
    Click(phoneNames, "cmdCancel");  // the list changes stay
  });
  Navigate(Qt::Key_Home, Qt::ControlModifier);
  Press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Shown(), std::vector<QString>{"Delete phone name 'Pager'?"});
  story.phoneNames = {"Fax", "Car Phone"};
  story.defaultPhoneNames = {-1, 0, 0, 1};
  for (Entry& entry : story.records) entry.phoneNames = {-1, 0, 0, 1};
  ExpectBook(story);

  // A record added now starts with the renumbered defaults.
  const Entry fay{"Fay Green", "", 0, {}, {"Family"}, {"", "555-0700", "", ""}, 1, "", {-1, 0, 0, 1}};
  EnterRecord(story, fay);
  story.records.push_back(fay);
  story.current = 5;
  ExpectShown(story, 5);

  // Saved under a name of its own and opened again on the next run.
  files.result = FileDialogResult::Chosen;
  files.chosen = home.filePath(QStringLiteral("CLUB.dat"));
  Choose("mnuFileSaveAs");
  EXPECT_EQ(ReadBytes(files.chosen), DataFileOf(story));
  EXPECT_TRUE(Quit());
  Start();
  EXPECT_EQ(window->windowTitle(), "CLUB.dat - Vantreo");
  ExpectShown(story, 5);
  ExpectBook(story);
  EXPECT_TRUE(Quit());
}

}  // namespace

