// Names of every script typed through the window, and the one question
// before an old-format book becomes a Unicode address book.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>

#include "core/DataFile.h"
#include "core/Document.h"
#include "interchange/VCardReader.h"
#include "interchange/VCardWriter.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "support/FakeClipboard.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/MainWindowFixture.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"
#include "support/WindowKeys.h"

namespace {

using namespace std::string_literals;

// Text as an input method hands it over: whole, surrogate pairs and
// combining marks included.
void Commit(QWidget* box, const QString& text) {
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(box, &event);
  QApplication::processEvents();
}

int QuestionsAsked() {
  int asked = 0;
  for (const auto& [kind, text] : Fakes().messages.shown) asked += kind == MessageKind::EditionQuestion;
  return asked;
}

class UnicodeWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    NewDocument(book);
    book.FileName = path;
    SaveDocument(book);  // a new book: the old edition's 88 bytes
    OpenWindow();
  }
  void AddAndName(const QString& name) {
    window->mnuRecordsAdd_Click();
    Commit(window->txtName, name);
  }

  const QString path = dir.filePath("Book.dat");
};

TEST_F(UnicodeWindowTest, ANewBookStaysInTheOldFormatWhileItsTextFits) {
  EXPECT_EQ(ReadBytes(path).size(), 88u);
  AddAndName(QStringLiteral("Zoë Ångström"));
  Commit(window->txtNotes, QStringLiteral("€ 5, naïve café"));
  window->mnuFileSave_Click();
  EXPECT_EQ(ReadBytes(path).substr(0, 10), "QUILLBOX00");
  EXPECT_EQ(QuestionsAsked(), 0);
  EXPECT_FALSE(book.IsUnicode());
}

TEST_F(UnicodeWindowTest, KeepTheOldFormatIsAskedOnceRefusesTheCharacterAndChangesNothing) {
  AddAndName(QStringLiteral("Anne"));
  window->mnuFileSave_Click();
  const std::string saved = ReadBytes(path);
  Fakes().messages.answers = {MessageAnswer::No};
  Commit(window->txtName, QStringLiteral("Łukasz"));
  Commit(window->txtCompany, QStringLiteral("Иван"));
  EXPECT_EQ(QuestionsAsked(), 1);
  EXPECT_TRUE(Fakes().messages.shown.front().second.startsWith(
      QStringLiteral("'Ł' cannot be stored in an address book of the old format.\n\nConvert this book")));
  EXPECT_EQ(std::tuple(book.Records[0].Name, book.Records[0].Company, book.IsUnicode()), std::tuple("Anne"s, ""s, false));
  EXPECT_EQ(Fakes().beep.beeps, 2);
  EXPECT_EQ(window->PromptText(), QStringLiteral("'И' cannot be stored in this address book"));
  EXPECT_EQ(ReadBytes(path), saved);
  EXPECT_FALSE(QFile::exists(path + ".bak") && ReadBytes(path + ".bak").substr(0, 10) == "VANTREOU01");
}

TEST_F(UnicodeWindowTest, ConvertKeepsTheOldFileAsBackupAndSavesTheUnicodeEdition) {
  AddAndName(QStringLiteral("Anne"));
  window->mnuFileSave_Click();
  const std::string oldFile = ReadBytes(path);
  Fakes().messages.answers = {MessageAnswer::Yes};
  window->txtName->setCursorPosition(4);
  Commit(window->txtName, QStringLiteral(" Łódź"));
  EXPECT_EQ(QuestionsAsked(), 1);
  EXPECT_EQ(ReadBytes(path + ".bak"), oldFile);
  EXPECT_EQ(ReadBytes(path).substr(0, 10), "VANTREOU01");
  EXPECT_EQ(book.Records[0].Name, "Anne Łódź");
  EXPECT_FALSE(book.Records[0].Uid.empty());
  Commit(window->txtCompany, QStringLiteral("Ж"));
  EXPECT_EQ(QuestionsAsked(), 1);
  EXPECT_EQ(Fakes().beep.beeps, 0);
}

TEST_F(UnicodeWindowTest, NamesOfEveryScriptTypedIntoAConvertedBookComeBackExactly) {
  const QStringList names = {
      QStringLiteral("Zoë Ångström-Müller"), QStringLiteral("Łukasz Żółkiewski"), QStringLiteral("İsmail Işık"),
      QStringLiteral("Γιώργος Παπαδόπουλος"), QStringLiteral("Иван Петров"), QStringLiteral("דוד כהן"),
      QStringLiteral("محمد علي"), QStringLiteral("王小明"), QStringLiteral("山田太郎"),
      QStringLiteral("Ana 👩🏽‍💻 Souza"), QStringLiteral("𠜎𠜱 Li")};
  Fakes().messages.answers = {MessageAnswer::Yes};
  for (const QString& name : names) AddAndName(name);
  AddAndName(QStringLiteral("Cafe\u0301 Ame\u0301lie"));  // combining accents are stored composed
  window->mnuFileSave_Click();

  BookState loaded;
  LoadDocument(loaded, path);
  ASSERT_EQ(loaded.RecordCount(), names.size() + 1);
  const std::vector<int> all = [&] {
    std::vector<int> r(static_cast<size_t>(loaded.RecordCount()));
    for (size_t i = 0; i < r.size(); ++i) r[i] = static_cast<int>(i);
    return r;
  }();
  const ReadResult cards = ReadVCards(QByteArray::fromStdString(WriteVCards(loaded, all, VCardVersion::V4)), "x.vcf");
  ASSERT_EQ(cards.Contacts.size(), names.size() + 1);
  for (qsizetype i = 0; i < names.size(); ++i) {
    EXPECT_EQ(loaded.Records[static_cast<size_t>(i)].Name, names[i].toStdString());
    EXPECT_EQ(cards.Contacts[static_cast<size_t>(i)].Name, names[i]);
  }
  EXPECT_EQ(loaded.Records.back().Name, "Café Amélie");
  EXPECT_EQ(QuestionsAsked(), 1);
}

TEST_F(UnicodeWindowTest, LimitsCountCharactersAsTheUserSeesThem) {
  Fakes().messages.answers = {MessageAnswer::Yes};
  AddAndName(QStringLiteral("Ж"));
  const QString family = QStringLiteral("👨‍👩‍👧");  // one character of eight UTF-16 units
  Commit(window->txtName, family.repeated(60));
  // The name box holds 45 characters: the first and 44 families.
  EXPECT_EQ(window->txtName->text(), QStringLiteral("Ж") + family.repeated(44));
  EXPECT_EQ(window->PromptText(), QStringLiteral("This box holds at most 45 characters"));
}

TEST_F(UnicodeWindowTest, SaveAsOffersBothFormatsAndListsWhatTheOldOneCannotHold) {
  Fakes().messages.answers = {MessageAnswer::Yes};
  AddAndName(QStringLiteral("Иван Петров"));
  AddAndName(QStringLiteral("Zoë"));
  files.result = FileDialogResult::Chosen;
  files.chosen = dir.filePath("Copy.dat");
  files.chosenFilter = 1;  // the old format
  Fakes().messages.shown.clear();
  Fakes().messages.answers = {MessageAnswer::No};
  window->mnuFileSaveAs_Click();
  EXPECT_EQ(files.request.FilterIndex, 0);  // the book's own format shown first
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.contains("\n\nName of record 1: Иван Петров\n\n"));
  EXPECT_FALSE(QFile::exists(files.chosen));
  EXPECT_TRUE(book.IsUnicode());

  Fakes().messages.answers = {MessageAnswer::Yes};
  window->mnuFileSaveAs_Click();
  EXPECT_EQ(ReadBytes(files.chosen).substr(0, 10), "QUILLBOX00");
  EXPECT_EQ(std::pair(book.Records[0].Name, book.Records[1].Name), std::pair("Ivan Petrov"s, "Zoë"s));

  files.chosen = dir.filePath("Unicode.dat");
  files.chosenFilter = 0;
  window->mnuFileSaveAs_Click();
  EXPECT_EQ(ReadBytes(files.chosen).substr(0, 10), "VANTREOU01");
  EXPECT_FALSE(book.Records[0].Uid.empty());
}

}  // namespace
