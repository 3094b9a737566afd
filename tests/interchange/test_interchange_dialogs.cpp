// The import preview and the vCard export through their real widgets.
#include <gtest/gtest.h>

#include <set>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "export/frmExportVCard.h"
#include "mainwindow/frmImport.h"
#include "mainwindow/frmMain.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"

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
  void ImportThroughMenu(const char* file, const std::function<void(frmImport&)>& act) {
    frmMain window(book, settings);
    files.chosen = Fixture(file);
    WhenModalShown([&](QDialog& dialog) { act(static_cast<frmImport&>(dialog)); });
    window.mnuFileImport->trigger();
    shownName = window.txtName->text();
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
    EXPECT_TRUE(dialog.grdColumns->isHidden());
    dialog.chkSkipDuplicates->click();
    EXPECT_TRUE(Previews(dialog, "Contacts to add: 2\n"));
    dialog.cmdOK->click();
  });
  ASSERT_EQ(book.RecordCount(), 4);
  EXPECT_EQ(book.Records[3].Name, "Lukasz Bakery");
  EXPECT_EQ(book.CurrentRecord, 2);
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(shownName, QStringLiteral("Ivan Petrov"));
}

TEST_F(InterchangeDialogTest, CancelChangesNothing) {
  const BookState before = book;
  ImportThroughMenu("google-contacts.csv", [](frmImport& dialog) { dialog.cmdCancel->click(); });
  EXPECT_EQ(std::tie(book.Records, book.Groups, book.PhoneNames, book.Dirty),
            std::tie(before.Records, before.Groups, before.PhoneNames, before.Dirty));
}

TEST_F(InterchangeDialogTest, UnrecognisedColumnsGoToNotesUnlessMappedToAField) {
  ImportSource source;
  PlatformError error;
  ASSERT_EQ(OpenImportSource(Fixture("spreadsheet-unicode.txt"), source, error), SourceOutcome::Read);
  frmImport dialog(book, {source});
  ASSERT_EQ(dialog.grdColumns->rowCount(), 5);
  EXPECT_TRUE(Previews(dialog, "    (no name): Vorname, Nachname, Firma, Telefon privat, Ort\n"));
  const auto field = [&](int row) { return static_cast<QComboBox*>(dialog.grdColumns->cellWidget(row, 3)); };
  field(0)->setCurrentText(QStringLiteral("First name"));
  field(1)->setCurrentText(QStringLiteral("Last name"));
  field(3)->setCurrentText(QStringLiteral("Phone"));
  auto* phoneName = static_cast<QLineEdit*>(dialog.grdColumns->cellWidget(3, 4));
  phoneName->setText(QStringLiteral("Privat"));
  Q_EMIT phoneName->editingFinished();
  EXPECT_TRUE(Previews(dialog, "Phone names to create: Privat\n"));
  dialog.cmdOK->click();
  ASSERT_EQ(book.RecordCount(), 4);
  EXPECT_EQ(book.Records[2].Name, "Jürgen Weiß");
  EXPECT_EQ(book.Records[2].Phones[0], "030 111 222");
  EXPECT_EQ(book.PhoneNames.at(static_cast<size_t>(book.Records[2].PhoneNameIndex[0])), "Privat");
  EXPECT_EQ(book.Records[2].Notes, "Firma: Straßenbau AG\r\nOrt: Köln");
}

TEST_F(InterchangeDialogTest, FileMenuAccessKeysStayDistinct) {
  frmMain window(book, settings);
  QString keys;
  for (const QAction* item : window.menuBar()->actions().first()->menu()->actions())
    if (const qsizetype amp = item->text().indexOf('&'); amp >= 0) keys += item->text().at(amp + 1).toLower();
  EXPECT_EQ(keys.size(), 10);  // Sync's "y" among them
  EXPECT_EQ(std::set<QChar>(keys.begin(), keys.end()).size(), static_cast<size_t>(keys.size())) << keys.toStdString();
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

}  // namespace
