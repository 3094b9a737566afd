// The import preview and the vCard export through their real widgets.
#include <gtest/gtest.h>


#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QHeaderView>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <QProgressDialog>

#include "core/DataFile.h"
#include "export/ExportWriter.h"
#include "export/frmExportVCard.h"
#include "mainwindow/frmImport.h"
#include "mainwindow/frmMain.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/ImportCheck.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

QString Fixture(const char* file) { return QStringLiteral(VANTREO_TEST_DATA_DIR "/interchange/") + file; }

class InterchangeDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    AddRecord(book, "Ivan Petrov").Phones[0] = "+7 495 123-45-67";
    AddRecord(book, "Ann Club").Group = 1;
    InstallFileDialogs(&files);
    files.result = FileDialogResult::Chosen;
  }
  void TearDown() override { InstallFileDialogs(nullptr); }

  // Runs File, Import... on the file and hands the preview dialog to act.
  void ImportThroughMenu(const QString& file, const std::function<void(frmImport&)>& act) {
    frmMain window(book, settings);
    files.chosen = file;
    WhenImportShown(act);
    window.mnuFileImport->trigger();
    shownName = window.txtName->text();
  }
  void ImportThroughMenu(const char* file, const std::function<void(frmImport&)>& act) {
    ImportThroughMenu(Fixture(file), act);
  }

  // The progress of a long read comes first.
  static void WhenImportShown(const std::function<void(frmImport&)>& act) {
    WhenModalShown([act](QDialog& dialog) {
      if (auto* preview = qobject_cast<frmImport*>(&dialog)) return act(*preview);
      WhenImportShown(act);
    });
  }

  static QStringList Row(const QAbstractItemModel* model, int row) {
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) cells << model->index(row, column).data().toString();
    return cells;
  }

  // Waits until the preview shows the mapping and choices as they are now.
  static void AwaitPreview(frmImport& dialog) {
    QSignalSpy shown(&dialog, &frmImport::PreviewShown);
    while (dialog.Replanning()) ASSERT_TRUE(shown.wait(60000));
  }

  // Opens the editor of a cell of the column mapping with F2, as the keyboard does.
  static QComboBox* EditMapping(frmImport& dialog, int row, int column) {
    const QModelIndex cell = dialog.grdColumns->model()->index(row, column);
    dialog.grdColumns->setCurrentIndex(cell);
    QTest::keyClick(dialog.grdColumns, Qt::Key_F2);
    return qobject_cast<QComboBox*>(dialog.grdColumns->indexWidget(cell));
  }
  // Types text into the cell's editor and ends with Enter.
  static void TypeMapping(frmImport& dialog, int row, int column, const char* text) {
    QComboBox* box = EditMapping(dialog, row, column);
    ASSERT_NE(box, nullptr) << row << "," << column;
    QWidget* keys = box->isEditable() ? static_cast<QWidget*>(box->lineEdit()) : box;
    if (box->isEditable()) box->lineEdit()->clear();
    QTest::keyClicks(keys, QString::fromLatin1(text));
    QTest::keyClick(keys, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view takes the value and closes the editor
  }

  bool Previews(const frmImport& dialog, const char* text) {
    return dialog.txtPreview->toPlainText().contains(QString::fromUtf8(text));
  }

  BookState book = BookWithGroups({"Family", "Club"});
  ProgramSettings settings;
  FakeFileDialogs files;
  QString shownName;
};

TEST_F(InterchangeDialogTest, OtherScriptsAskOnceAndAConvertedBookTakesThemAsWritten) {
  Fakes().messages.answers = {MessageAnswer::Yes};
  ImportThroughMenu("apple-contacts.vcf", [this](frmImport& dialog) {
    EXPECT_FALSE(Previews(dialog, "Ivan Petrov\""));  // nothing turned into Latin letters
    dialog.cmdOK->click();
  });
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Imported text such as '"));
  EXPECT_TRUE(Fakes().messages.shown[0].second.contains("' cannot be stored in an address book of the old format."));
  EXPECT_TRUE(book.IsUnicode());
  EXPECT_TRUE(std::any_of(book.Records.begin(), book.Records.end(),
                          [](const AddressRecord& record) { return record.Name == "Иван Петров"; }));
}

TEST_F(InterchangeDialogTest, PreviewSkipsLikelyDuplicatesByDefaultAndOkAppendsTheRecords) {
  ImportThroughMenu("apple-contacts.vcf", [this](frmImport& dialog) {
    EXPECT_TRUE(Previews(dialog, "Contacts to add: 1\n"));
    EXPECT_TRUE(Previews(dialog, "Likely duplicates, skipped (1):\n    Иван Петров (like record 1)\n"));
    EXPECT_FALSE(dialog.grdColumns->isVisibleTo(&dialog));
    const QAbstractItemModel* contacts = dialog.grdContacts->model();
    QStringList captions;
    for (int column = 0; column < contacts->columnCount(); ++column)
      captions << contacts->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(captions, QStringList({"Name", "Company", "Phones", "Group", "Remarks"}));
    ASSERT_EQ(contacts->rowCount(), 2);
    EXPECT_EQ(Row(contacts, 0), QStringList({"Иван Петров", "", "", "", "Likely duplicate of record 1, skipped"}));
    EXPECT_EQ(Row(contacts, 1), QStringList({"", "Lukasz Bakery", "Work: (555) 010-2000", "", ""}));
    EXPECT_FALSE(contacts->data(contacts->index(0, 0), Qt::BackgroundRole).isNull());
    EXPECT_TRUE(contacts->data(contacts->index(1, 0), Qt::BackgroundRole).isNull());
    dialog.chkSkipDuplicates->click();
    AwaitPreview(dialog);
    EXPECT_TRUE(Previews(dialog, "Contacts to add: 2\n"));
    EXPECT_EQ(Row(contacts, 0), QStringList({"Ivan Petrov", "Roga i kopyta",
                                             "Mobile: +7 495 123-45-67; Dacha: +7 495 765-43-21; Home: +7 495 000-00-01", "",
                                             "Likely duplicate of record 1"}));
    dialog.cmdOK->click();
  });
  ASSERT_EQ(book.RecordCount(), 4);
  EXPECT_EQ(book.Records[3].Company, "Lukasz Bakery");
  EXPECT_EQ(book.CurrentRecord, 2);
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(shownName, QStringLiteral("Ivan Petrov"));
}

TEST_F(InterchangeDialogTest, CancelChangesNothing) {
  const BookState before = book;
  int previewed = 0;
  ImportThroughMenu("google-contacts.csv", [&previewed](frmImport& dialog) {
    previewed = dialog.grdContacts->model()->rowCount();
    dialog.cmdCancel->click();
  });
  EXPECT_GT(previewed, 0);  // the preview was open, with the file's contacts
  EXPECT_EQ(std::tie(book.Records, book.Groups, book.PhoneNames, book.Dirty),
            std::tie(before.Records, before.Groups, before.PhoneNames, before.Dirty));
}

// Columns no export names start from what their headers' words suggest; a
// phone's name is one of the book's, or typed.
TEST_F(InterchangeDialogTest, UnrecognisedColumnsStartFromAGuessAndGoToNotesUnlessMapped) {
  ImportSource source;
  PlatformError error;
  ASSERT_EQ(OpenImportSource(Fixture("mapping-headers.csv"), source, error), SourceOutcome::Read);
  frmImport dialog(book, {source});
  dialog.show();
  const QAbstractItemModel* mapping = dialog.grdColumns->model();
  ASSERT_EQ(mapping->rowCount(), 4);
  EXPECT_EQ(Row(mapping, 1), QStringList({"mapping-headers.csv", "Cell #", "0170 1", "Phone", "Mobile"}));
  EXPECT_EQ(mapping->index(0, 3).data().toString(), "Notes, under its header");
  EXPECT_FALSE(mapping->flags(mapping->index(0, 4)) & Qt::ItemIsEditable);  // a phone name only for a phone
  QComboBox* phoneName = EditMapping(dialog, 1, 4);
  ASSERT_NE(phoneName, nullptr);
  EXPECT_TRUE(phoneName->isEditable());
  EXPECT_EQ(phoneName->currentText(), "Mobile");
  EXPECT_EQ(phoneName->findText(QStringLiteral("Car Phone")), 3);
  QTest::keyClick(phoneName->lineEdit(), Qt::Key_Escape);
  EXPECT_TRUE(Previews(dialog, "    (no name): Kontakt, Festnetz, Lieblingsfarbe"));
  TypeMapping(dialog, 0, 3, "Na");
  TypeMapping(dialog, 2, 3, "Ph");
  TypeMapping(dialog, 2, 4, "Home");
  TypeMapping(dialog, 3, 3, "Sk");
  EXPECT_EQ(Row(mapping, 2).mid(3), QStringList({"Phone", "Home"}));
  AwaitPreview(dialog);
  EXPECT_EQ(Row(dialog.grdContacts->model(), 0), QStringList({"Karl Klein", "", "Mobile: 0170 1; Home: 030 2", "", ""}));
  EXPECT_TRUE(Previews(dialog, "Phone names to create: Mobile"));
  dialog.cmdOK->click();
  ASSERT_EQ(book.RecordCount(), 3);
  const KeptRecord kept = Kept(book, book.Records[2]);
  EXPECT_EQ(kept.Phones, (std::vector<std::pair<std::string, std::string>>{{"0170 1", "Mobile"}, {"030 2", "Home"}}));
  EXPECT_EQ(kept.Notes, "");
}

// A file of thousands of columns opens with the mapping as text, and an
// editor only for the cell being edited; OK takes the mapping as it is now,
// even while its preview is still being worked out.
TEST_F(InterchangeDialogTest, AWideFileIsMappedCellByCellAndOkTakesTheNewestMapping) {
  QTemporaryDir dir;
  const QString wide = dir.filePath(QStringLiteral("wide.csv"));
  std::string header = "Name", row = "Ann Wide";
  for (int c = 1; c < 2000; ++c) {
    header += ",Column " + std::to_string(c);
    row += ",v" + std::to_string(c);
  }
  WriteBytes(wide, header + "\r\n" + row + "\r\n");
  ImportSource source;
  PlatformError error;
  ASSERT_EQ(OpenImportSource(wide, source, error), SourceOutcome::Read);
  frmImport dialog(book, {source});
  dialog.show();
  ASSERT_EQ(dialog.grdColumns->model()->rowCount(), 1999);
  EXPECT_TRUE(dialog.grdColumns->findChildren<QComboBox*>().isEmpty());
  TypeMapping(dialog, 0, 3, "Ph");
  TypeMapping(dialog, 0, 4, "Work");
  TypeMapping(dialog, 1, 3, "Sk");
  dialog.cmdOK->click();
  ASSERT_EQ(book.RecordCount(), 3);
  const KeptRecord kept = Kept(book, book.Records[2]);
  EXPECT_EQ(kept.Phones, (std::vector<std::pair<std::string, std::string>>{{"v1", "Work"}}));
  EXPECT_EQ(kept.Notes.substr(0, 24), "Column 3: v3\r\nColumn 4: ");
}

// The mapping and the contacts share the dialog through a splitter, the mapping with the most room at first.
TEST_F(InterchangeDialogTest, TheMappingGetsTheRoomAndTheSplitterSharesIt) {
  ImportSource source;
  PlatformError error;
  ASSERT_EQ(OpenImportSource(Fixture("mapping-headers.csv"), source, error), SourceOutcome::Read);
  frmImport dialog(book, {source});
  dialog.show();
  const QList<int> sizes = dialog.splPreview->sizes();
  ASSERT_EQ(sizes.size(), 3);
  EXPECT_GT(sizes[0], sizes[1]);
  EXPECT_GE(dialog.grdColumns->height(), 5 * dialog.grdColumns->verticalHeader()->defaultSectionSize());
  dialog.splPreview->setSizes({100, 500, 100});
  EXPECT_GT(dialog.grdContacts->height(), dialog.grdColumns->height());
}

// Alt+F, then each item's access key, opens what the item names: a dialog, a
// file dialog or a message, by its title or first words.
TEST_F(InterchangeDialogTest, FileMenuAccessKeysOpenWhatTheirItemsName) {
  files.result = FileDialogResult::Cancelled;
  frmMain window(book, settings);
  window.RefreshView();
  const std::pair<char, QString> items[] = {
      {'o', "file dialog: Open"},        {'s', "file dialog: Save As"},    {'a', "file dialog: Save As"},
      {'i', "file dialog: Import"},      {'e', "dialog: Export"},          {'v', "dialog: Export vCard"},
      {'y', "message: Save the address book first"}, {'p', "dialog: Print"}, {'b', "message: Kept in: not saved yet"},
      {'n', "message: No records"},      {'x', "message: closed"}};
  QString opened;
  QTimer closer;  // closes each dialog the item opens, noting its title
  QObject::connect(&closer, &QTimer::timeout, [&opened] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
      opened = "dialog: " + dialog->windowTitle();
      dialog->reject();
    }
  });
  closer.start(0);
  for (const auto& [key, expected] : items) {
    Fakes().messages.shown.clear();
    files.requests = 0;
    opened.clear();
    ShowActive(window);
    QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << key;
    EXPECT_EQ(menu->title(), "&File");
    QTest::keyClick(menu, key);
    QApplication::processEvents();
    if (files.requests) opened = "file dialog: " + files.request.Title;
    if (!Fakes().messages.shown.empty()) opened = "message: " + Fakes().messages.shown[0].second;
    if (book.Records.empty()) opened = "message: " + window.PromptText();
    if (!window.isVisible()) opened = "message: closed";
    EXPECT_TRUE(expected.startsWith("message: ") ? opened.startsWith(expected) : opened == expected)
        << key << ": " << opened.toStdString();
  }
}

TEST_F(InterchangeDialogTest, VCardExportWritesTheRecordsOfTheChosenGroups) {
  QTemporaryDir dir;
  files.chosen = dir.filePath(QStringLiteral("club.vcf"));
  frmExportVCard dialog(book);
  dialog.optChosenGroups->click();
  dialog.lstGroups->findItems(QStringLiteral("Club"), Qt::MatchExactly).first()->setSelected(true);
  dialog.optVersion[1]->click();
  dialog.cmdOK->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const std::string vcards = ReadBytes(files.chosen);
  EXPECT_EQ(vcards.rfind("BEGIN:VCARD\r\nVERSION:4.0\r\n", 0), 0u);
  EXPECT_NE(vcards.find("FN:Ann Club\r\n"), std::string::npos);
  EXPECT_EQ(vcards.find("Ivan"), std::string::npos);
}

TEST_F(InterchangeDialogTest, PreviewSaysWhichPhoneNamesThePhoneNameListCannotTakeAndTheBookStaysSavable) {
  QTemporaryDir dir;
  const QString cards = dir.filePath(QStringLiteral("flood.vcf"));
  WriteBytes(cards, PhoneNameFlood(8200));
  ImportThroughMenu(cards, [this](frmImport& dialog) {
    EXPECT_TRUE(Previews(dialog, "Phone names beyond the 32,767 a book holds, their numbers kept in Notes (37):\n"
                                 "    Line 8191.4\n"));
    dialog.cmdOK->click();
  });
  EXPECT_EQ(std::pair(book.RecordCount(), book.PhoneNameCount()), std::pair(8202, kMaxPhoneNames));
  EXPECT_EQ(book.Records.back().Notes.substr(0, 31), "Phone (Line 8200.1): 555 8200-1");
  book.FileName = dir.filePath(QStringLiteral("book.dat"));
  SaveDocument(book);
  EXPECT_FALSE(book.Dirty);
}

// A large file is read and planned while the window keeps answering: a
// progress dialog names the step, and Cancel leaves the book as it was.
TEST_F(InterchangeDialogTest, ALongReadShowsItsProgressAndCancelImportsNothing) {
  QTemporaryDir dir;
  const QString big = dir.filePath(QStringLiteral("big.csv"));
  std::string rows = "Name,Phone,Notes\r\n";
  for (int r = 0; r < 300000; ++r) rows += "Person " + std::to_string(r) + ",555 " + std::to_string(r) + ",a note\r\n";
  WriteBytes(big, rows);
  const BookState before = book;
  QString label;
  bool previewed = false;
  WhenModalShown([&](QDialog& dialog) {
    auto* progress = qobject_cast<QProgressDialog*>(&dialog);
    ASSERT_NE(progress, nullptr);
    label = progress->labelText();
    WhenModalShown([&](QDialog&) { previewed = true; });
    dialog.findChild<QPushButton*>()->click();
  });
  frmMain window(book, settings);
  files.chosen = big;
  window.mnuFileImport->trigger();
  EXPECT_TRUE(label == QStringLiteral("Reading 'big.csv' (file 1 of 1)...") ||
              label == QStringLiteral("Working out what the import will change..."))
      << label.toStdString();
  EXPECT_FALSE(previewed);
  EXPECT_EQ(std::tie(book.Records, book.Dirty), std::tie(before.Records, before.Dirty));
}

// An export never replaces the book itself or another address book.
TEST_F(InterchangeDialogTest, ExportsRefuseTheBookAndOtherAddressBooks) {
  QTemporaryDir dir;
  book.FileName = dir.filePath(QStringLiteral("book.dat"));
  SaveDocument(book);
  const QString other = dir.filePath(QStringLiteral("copy.txt"));
  QFile::copy(book.FileName, other);
  for (const QString& target : {book.FileName, other}) {
    Fakes().messages.shown.clear();
    files.chosen = target;
    frmExportVCard dialog(book);
    dialog.cmdOK->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(Fakes().messages.shown.size(), 1u);
    EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("'" + target + "' is ")) << target.toStdString();
  }
  ProgramSettings::ExportSection text{other, 0, false, 1};
  PlatformError error;
  EXPECT_EQ(ExportBook(book, text, error), ExportOutcome::RefusedAddressBook);
  EXPECT_EQ(ReadBytes(other), ReadBytes(book.FileName));
}

// What is no file is named as the book loader names it.
TEST_F(InterchangeDialogTest, ImportingAPipeSaysItIsANamedPipe) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath(QStringLiteral("contacts.vcf"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  frmMain window(book, settings);
  files.chosen = pipe;
  window.mnuFileImport->trigger();
  EXPECT_EQ(Fakes().messages.shown,
            (std::vector<std::pair<MessageKind, QString>>{
                {MessageKind::Notice, "'" + pipe + "' is a named pipe, not a vCard or CSV file."}}));
}

}  // namespace
