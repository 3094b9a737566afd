// Names of every script on paper: a phone list printed to PDF gives every
// name back, right-to-left names keep their leaders and numbers in place,
// and characters no installed font has are reported, not printed silently
// as empty boxes.
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/QtPrinter.h"
#include "support/PrintFixture.h"
#include "support/TextPrinting.h"

namespace {

const QStringList kWorldNames = {
    QStringLiteral("Zoë Ångström"), QStringLiteral("Łukasz Żółkiewski"), QStringLiteral("İsmail Işık"),
    QStringLiteral("Γιώργος Παπαδόπουλος"), QStringLiteral("Иван Петров"), QStringLiteral("דוד כהן"),
    QStringLiteral("محمد علي"), QStringLiteral("王小明"), QStringLiteral("山田太郎"), QStringLiteral("김민준"),
    QStringLiteral("Ana 😀 Souza")};

void AddWorldNames(BookState& book) {
  for (qsizetype i = 0; i < kWorldNames.size(); ++i)
    AddRecord(book, kWorldNames[i].toStdString()).Phones[0] = "555-01" + std::to_string(10 + i);
  ConvertToUnicode(book);
}

// A phone list of the world's names printed on the Qt printer into PDF files.
class UnicodePdfTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    InstallPrinter(nullptr);
    settings.Printing.Printer = {{}, true, folder.path(), {}, false};
    ThePrinter().Choose(settings.Printing.Printer);
    std::tie(settings.Printing.FontName, settings.Printing.FontSize) = std::make_pair(QStringLiteral("DejaVu Sans"), 12);
    settings.Printing.ShowLetters = false;
    job.LinesPerPage = 40;
  }

  // The text of the one PDF file printed, as poppler's pdftotext reads it,
  // in NFKC: the PDF maps some glyphs back to compatibility characters (an
  // Arabic letter's joined form, a Han character's Kangxi radical twin).
  QString PrintedText() {
    const QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    if (files.size() != 1) return {};
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QDir(folder.path()).filePath(files[0]), QStringLiteral("-")});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
  }

  QTemporaryDir folder;
};

TEST_F(UnicodePdfTest, APhoneListGivesEveryNameBack) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  AddWorldNames(book);
  PrintAll();
  Print();
  const QString text = PrintedText();
  for (const QString& name : kWorldNames) {
    // pdftotext gives right-to-left words in reading order but may order
    // the words of a line either way: each word must be there. Qt's PDF
    // writer maps no text to glyphs outside the Basic Multilingual Plane,
    // so the emoji (drawn, as the missing-glyph check below confirms) is
    // not read back.
    for (const QString& word : name.split(u' ')) {
      if (word.front().isSurrogate()) continue;
      EXPECT_TRUE(text.contains(word)) << word.toStdString();
    }
  }
  EXPECT_EQ(Messages().size(), 1u);  // where the file went, and no characters missing
}

TEST_F(UnicodePdfTest, ARecordWithACharacterNoFontHasIsNamed) {
  AddWorldNames(book);
  book.Records[2].Name += "\xF4\x8F\xBF\xBD";  // U+10FFFD, a private-use character no font draws
  PrintAll();
  Print();
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(Messages()[1].startsWith(QStringLiteral("No installed font has some characters of these records")));
  EXPECT_TRUE(Messages()[1].endsWith(QStringLiteral("\n\nRecord 3: İsmail Işık\U0010FFFD")));
}

TEST_F(PrintTest, RightToLeftNamesKeepTheirLeadersAndNumbersFlushRight) {
  AddRecord(book, "Ann Lee").Phones[0] = "555-0100";
  AddRecord(book, "דוד כהן").Phones[0] = "555-0101";
  AddRecord(book, "محمد علي").Phones[0] = "555-0102";
  ConvertToUnicode(book);
  PrintAll();
  settings.Printing.ShowLetters = false;
  job.LinesPerPage = 40;
  Print();
  const std::vector<PrintedOp> texts = printer.Texts();
  std::vector<double> rightEnds;
  for (const char* number : {"555-0100", "555-0101", "555-0102"}) {
    const auto op = std::find_if(texts.begin(), texts.end(), [&](const PrintedOp& printed) { return printed.text == number; });
    ASSERT_TRUE(op != texts.begin() && op != texts.end()) << number;
    rightEnds.push_back(op->x + printer.TextWidth(op->text));
    const PrintedOp& leaders = *std::prev(op);
    EXPECT_TRUE(!leaders.text.empty() && leaders.text.find_first_not_of('.') == std::string::npos) << number;
    EXPECT_EQ(leaders.y, op->y);
  }
  EXPECT_EQ(rightEnds, std::vector<double>(3, rightEnds[0]));  // flush right, as the Latin name's number
}

}  // namespace
