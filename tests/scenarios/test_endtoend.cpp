// The program as a user meets it: started with its own settings and data folder, driven through its menus,
// keys and dialogs, closed and started again; the focused tests check the bytes of the files it writes.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/StartUp.h"
#include "core/DialogExchange.h"
#include "core/GroupComboBox.h"
#include "export/frmExport.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "platform/SettingsStore.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"

namespace {

// Runs act on the next modal dialog, which must be the one named; one left open is cancelled so the run goes on.
void OnDialog(const char* name, std::function<void(QDialog&)> act) {
  WhenModalShown([name, act = std::move(act)](QDialog& dialog) {
    EXPECT_EQ(dialog.objectName(), name);
    act(dialog);
    EXPECT_FALSE(dialog.isVisible()) << name << " was left open";
    if (dialog.isVisible()) dialog.reject();
  });
}

void Click(QDialog& dialog, const char* button) { dialog.findChild<QAbstractButton*>(button)->click(); }

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    // The data, documents and settings folders all live under the home folder.
    qputenv("HOME", QFile::encodeName(home.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.filePath(QStringLiteral("config")));
    InstallFileDialogs(&files);
    files.result = FileDialogResult::Chosen;
  }

  void TearDown() override {
    window.reset();
    InstallStore(nullptr);
    InstallFileDialogs(nullptr);
    qputenv("HOME", previousHome);
  }

  // Starts the program as a new process would: nothing in memory, the settings read from the store.
  void Start(const QString& commandLine = {}) {
    Book() = BookState{};
    Settings() = ProgramSettings{};
    Exchange() = DialogExchange{};
    store = OpenUserSettings();
    InstallStore(store.get());
    window = StartMainWindow(commandLine);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  // Closes the main window and writes the settings file; false when the window stays open.
  bool Quit() {
    if (!window->close()) return false;
    window.reset();
    InstallStore(nullptr);
    store.reset();
    return true;
  }

  // A Ctrl shortcut in the main window, activated again as a window manager would after a dialog closes.
  void Press(Qt::Key key) {
    QApplication::setActiveWindow(window.get());
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == window.get() ? focus : window.get(), key, Qt::ControlModifier);
  }

  // Records, Add Record, and the fields typed in; the phone goes into the slot given.
  void EnterRecord(QString name, QString company, QString street, QString town, int slot, QString phone) {
    Press(Qt::Key_A);
    QTest::keyClicks(window->txtName, name);
    QTest::keyClicks(window->txtCompany, company);
    QTest::keyClicks(window->txtAddress, street);
    QTest::keyClick(window->txtAddress, Qt::Key_Return);
    QTest::keyClicks(window->txtAddress, town);
    window->optWhichPhone[static_cast<size_t>(slot)]->click();
    QTest::keyClicks(window->txtPhone, phone);
  }

  // Opens the group list with the Down arrow, walks to the entry and takes it with Enter.
  void ChooseGroup(const QString& group) {
    const int wanted = window->cboGroups->findText(group);
    window->cboGroups->setFocus();
    QTest::keyClick(window->cboGroups, Qt::Key_Down);
    QAbstractItemView* list = window->cboGroups->view();
    ASSERT_TRUE(list->isVisible());
    while (list->currentIndex().row() < wanted) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
  }

  QStringList Shown() const {
    return {window->PromptText(), window->FieldText(0), window->FieldText(1), window->FieldText(2),
            window->FieldText(3), window->cboGroups->currentText()};
  }

  QTemporaryDir home;
  const QByteArray previousHome = qgetenv("HOME");
  FakeFileDialogs files;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<frmMain> window;
};

TEST_F(EndToEnd, CreateSaveRestartAndReload) {
  Start();  // the first run opens the default data file, which does not exist yet
  const QString dataFile = Book().FileName;
  EXPECT_EQ(window->windowTitle(), "Quillbox.dat - Vantreo");
  EXPECT_EQ(window->PromptText(), "No records");
  OnDialog("frmGroups", [](QDialog& groups) {
    OnDialog("frmNewGroup", [](QDialog& input) {
      QTest::keyClicks(input.findChild<QLineEdit*>("txtGroupName"), "Family");
      Click(input, "cmdOK");
    });
    Click(groups, "cmdAdd");
    Click(groups, "cmdClose");
  });
  Press(Qt::Key_G);
  EnterRecord("Anne Brown", "Elm Cafe", "12 Elm St", "Springfield", 0, "555-0100");
  ChooseGroup("Family");
  EnterRecord("Zed", "", "PO Box 9", "Town", 3, "555-0404");
  const QStringList anne{"Record 1 of 2", "Anne Brown", "Elm Cafe", "12 Elm St\r\nSpringfield", "555-0100", "Family"};
  const QStringList zed{"Record 2 of 2", "Zed", "", "PO Box 9\r\nTown", "555-0404", "<Ungrouped>"};
  QTest::keyClick(window->txtName, Qt::Key_PageUp);
  EXPECT_EQ(Shown(), anne);
  window->mnuFileSave->trigger();
  EXPECT_TRUE(Quit());

  // The second run shows the record that was current; the book goes on under a new name.
  Start();
  EXPECT_EQ(Book().FileName, dataFile);
  EXPECT_EQ(Shown(), anne);
  QTest::keyClick(window->txtName, Qt::Key_PageDown);
  EXPECT_EQ(Shown(), zed);
  files.chosen = home.filePath(QStringLiteral("FRIENDS.dat"));
  window->mnuFileSaveAs->trigger();
  EXPECT_EQ(window->windowTitle(), "FRIENDS.dat - Vantreo");
  QTest::keyClick(window->txtName, Qt::Key_End, Qt::NoModifier);
  QTest::keyClicks(window->txtName, " Young");
  Fakes().messages.answers = {MessageAnswer::Cancel, MessageAnswer::Yes};
  EXPECT_FALSE(Quit());  // Cancel keeps the program running
  EXPECT_TRUE(Quit());
  EXPECT_EQ(Fakes().messages.shown.back().second, "Save changes to '" + files.chosen + "'?");

  // The next run opens the file used last; a file named on the command line opens instead.
  Start();
  EXPECT_EQ(Book().FileName, files.chosen);
  EXPECT_EQ(Shown()[1], "Zed Young");
  EXPECT_TRUE(Quit());
  Start(" " + QDir::current().relativeFilePath(dataFile) + " ");  // relative, with the blanks a shell may leave
  EXPECT_EQ(std::pair(Book().FileName, Shown()), std::pair(dataFile, anne));
  QTest::keyClick(window->txtName, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Shown(), zed);
  EXPECT_TRUE(Quit());
}

TEST_F(EndToEnd, ImportPrintAndExportThenFindTheChoicesAgain) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed; the printout is no file";
  Start();
  files.chosen = home.filePath(QStringLiteral("google-contacts.csv"));  // a copy: no save may reach the fixtures
  QFile::copy(QStringLiteral(VANTREO_TEST_DATA_DIR "/interchange/google-contacts.csv"), files.chosen);
  OnDialog("frmImport", [](QDialog& preview) { Click(preview, "cmdOK"); });
  window->mnuFileImport->trigger();
  EXPECT_EQ(Shown(), (QStringList{"Record 1 of 2", "Lukasz Nowak", "Piekarnia Nowak",
                                  "ul. Dluga 5\r\n31-000 Krak\u00F3w\r\nPolska", "+48 600 100 200", "Friends"}));
  // Text of the file needs a Unicode book: asked once, kept in the old format, transliterated.
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::EditionQuestion);
  Fakes().messages.shown.clear();

  // A phone list of everybody, saved as a PDF file when the user agrees: the tests see no print service.
  OnDialog("frmPrint", [](QDialog& print) { Click(print, "cmdOk"); });
  Fakes().messages.answers = {MessageAnswer::OK};
  Press(Qt::Key_P);
  ASSERT_EQ(Fakes().messages.shown.size(), 2u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("The print service is not running"));
  const QStringList notice = Fakes().messages.shown[1].second.split('\n');
  EXPECT_EQ(notice[0], "The printout was saved as the PDF file");
  EXPECT_EQ(ReadBytes(notice.value(1)).substr(0, 5), "%PDF-");

  // The text export with its tab and the notes instead of three phones.
  const QString exportFile = home.filePath(QStringLiteral("contacts.txt"));
  OnDialog("frmExport", [&exportFile](QDialog& dialog) {
    auto& options = static_cast<frmExport&>(dialog);
    options.txtFilename->selectAll();
    QTest::keyClicks(options.txtFilename, exportFile);
    options.cboSeparator->setCurrentText("{tab}");
    for (const size_t field : {5, 6, 7, 9}) options.chkWhichFields[field]->click();
    Click(dialog, "cmdOK");
  });
  window->mnuFileExport->trigger();
  const std::string exported = ReadBytes(exportFile);
  EXPECT_EQ(exported.rfind("\"Lukasz Nowak\"\t\"Piekarnia Nowak\"\t\"ul. Dluga 5|31-000 Krak\xF3w|Polska\"\t", 0), 0u);
  EXPECT_EQ(std::count(exported.begin(), exported.end(), '\n'), 2);

  // Leaving saves the book and the choices; the field mask is written as older versions wrote it.
  Fakes().messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Quit());
  EXPECT_EQ(QSettings(QSettings::IniFormat, QSettings::UserScope, "Vantreo").value("Export/WhichFields").toString(),
            "&H31B");
  Start();
  EXPECT_EQ(Book().RecordCount(), 2);
  OnDialog("frmExport", [&exportFile](QDialog& dialog) {
    auto& options = static_cast<frmExport&>(dialog);
    EXPECT_EQ(std::tuple(options.txtFilename->text(), options.cboSeparator->currentText(),
                         options.chkWhichFields[9]->isChecked(), options.chkWhichFields[5]->isChecked()),
              std::tuple(exportFile, "{tab}", true, false));
    Click(dialog, "cmdCancel");
  });
  window->mnuFileExport->trigger();
  EXPECT_TRUE(Quit());
}

}  // namespace
