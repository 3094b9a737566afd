// The vCard export read back by readers of other projects packaged in
// Debian: python3-vobject and KDE's KContacts (through a small reader built
// by tests/readers/kcontacts). Each prints what it keeps of every card.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/Document.h"
#include "interchange/VCardWriter.h"
#include "support/TestBooks.h"

namespace {

// A person with honorifics and numbers under known, custom and no phone
// names, a business without a name, and a business with one.
BookState ReaderBook() {
  BookState book = BookWithGroups({});
  AddPhoneName(book, "Mobile");
  AddPhoneName(book, "Dacha");
  AddressRecord& cruz = AddRecord(book, "Dr. María José de la Cruz Jr.", "Clínica");
  cruz.Phones = {"600 000 001", "555-0104", "555-0102", "555-0103"};
  cruz.PhoneNameIndex = {4, 5, -1, 2};
  AddressRecord& widgets = AddRecord(book, "", "Widgets, Inc.");
  widgets.PrintAs = kPrintAsBusiness;
  widgets.Phones[0] = "555-0200";
  widgets.PhoneNameIndex[0] = 1;
  AddRecord(book, "Ann Lee", "Acme").PrintAs = kPrintAsBusiness;
  return book;
}

struct Reader {
  QString Program;
  QStringList Arguments;
  QString Missing;  // why it cannot run here; empty when it can
};

Reader Vobject() {
  const QString python = QStringLiteral("/usr/bin/python3");
  const QString script = QStringLiteral(VANTREO_TEST_SOURCE_DIR "/readers/vobject_reader.py");
  QProcess probe;
  probe.start(python, {QStringLiteral("-c"), QStringLiteral("import vobject")});
  const bool ready = probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
  return {python, {script}, ready ? QString() : QStringLiteral("python3-vobject is not installed (scripts/install-deps.sh installs it)")};
}

Reader KContacts() {
#ifdef VANTREO_KCONTACTS_READER
  return {QStringLiteral(VANTREO_KCONTACTS_READER), {}, {}};
#else
  return {{}, {}, QStringLiteral("libkf5contacts-dev was not installed when the build was configured, so no KContacts reader was built")};
#endif
}

// What the reader prints for the book exported in version.
QString ReadBack(const Reader& reader, VCardVersion version) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("export.vcf"));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  const BookState book = ReaderBook();
  file.write(QByteArray::fromStdString(WriteVCards(book, AllRecords(book), version)));
  file.close();
  QProcess process;
  process.start(reader.Program, reader.Arguments + QStringList{path});
  EXPECT_TRUE(process.waitForFinished(60000)) << reader.Program.toStdString();
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

struct ReaderCase {
  const char* Name;
  Reader (*Make)();
  VCardVersion Version;
  const char* Expected;
};

void PrintTo(const ReaderCase& c, std::ostream* out) { *out << c.Name; }

class IndependentReaderTest : public testing::TestWithParam<ReaderCase> {};

TEST_P(IndependentReaderTest, KeepsEveryCardNameNumberAndWhatLabelsItCan) {
  const Reader reader = GetParam().Make();
  if (!reader.Missing.isEmpty()) GTEST_SKIP() << reader.Missing.toStdString();
  EXPECT_EQ(ReadBack(reader, GetParam().Version).toStdString(), GetParam().Expected);
}

// vobject keeps every label; KContacts has none of its own for a custom phone name, but keeps the number.
constexpr const char* kVobject3 =
    "CARD\nFN: Dr. Mar\xC3\xAD" "a Jos\xC3\xA9 de la Cruz Jr.\nN: de la Cruz;Mar\xC3\xAD" "a Jos\xC3\xA9;Dr.;Jr.\n"
    "ORG: Cl\xC3\xADnica\nKIND: \nTEL: 600 000 001|CELL\nTEL: 555-0104|Dacha\nTEL: 555-0102|\nTEL: 555-0103|FAX\n"
    "CARD\nFN: Widgets, Inc.\nN: ;;;\nORG: Widgets, Inc.\nKIND: \nTEL: 555-0200|WORK\n"
    "CARD\nFN: Ann Lee\nN: ;;;\nORG: Acme\nKIND: \n";
constexpr const char* kVobject4 =
    "CARD\nFN: Dr. Mar\xC3\xAD" "a Jos\xC3\xA9 de la Cruz Jr.\nN: de la Cruz;Mar\xC3\xAD" "a Jos\xC3\xA9;Dr.;Jr.\n"
    "ORG: Cl\xC3\xADnica\nKIND: \nTEL: 600 000 001|cell\nTEL: 555-0104|Dacha\nTEL: 555-0102|\nTEL: 555-0103|fax\n"
    "CARD\nFN: Widgets, Inc.\nN: ;;;\nORG: Widgets, Inc.\nKIND: org\nTEL: 555-0200|work\n"
    "CARD\nFN: Ann Lee\nN: ;;;\nORG: Acme\nKIND: org\n";
constexpr const char* kKContacts3 =
    "CARD\nFN: Dr. Mar\xC3\xAD" "a Jos\xC3\xA9 de la Cruz Jr.\nN: de la Cruz;Mar\xC3\xAD" "a Jos\xC3\xA9;Dr.;Jr.\n"
    "ORG: Cl\xC3\xADnica\nKIND: \nTEL: 600 000 001|Mobile\nTEL: 555-0104|Telephone number\n"
    "TEL: 555-0102|Telephone number\nTEL: 555-0103|Fax\n"
    "CARD\nFN: Widgets, Inc.\nN: ;;;\nORG: Widgets, Inc.\nKIND: \nTEL: 555-0200|Work\n"
    "CARD\nFN: Ann Lee\nN: ;;;\nORG: Acme\nKIND: \n";

constexpr const char* kKContacts4 =
    "CARD\nFN: Dr. Mar\xC3\xAD" "a Jos\xC3\xA9 de la Cruz Jr.\nN: de la Cruz;Mar\xC3\xAD" "a Jos\xC3\xA9;Dr.;Jr.\n"
    "ORG: Cl\xC3\xADnica\nKIND: \nTEL: 600 000 001|Mobile\nTEL: 555-0104|Telephone number\n"
    "TEL: 555-0102|Telephone number\nTEL: 555-0103|Fax\n"
    "CARD\nFN: Widgets, Inc.\nN: ;;;\nORG: Widgets, Inc.\nKIND: org\nTEL: 555-0200|Work\n"
    "CARD\nFN: Ann Lee\nN: ;;;\nORG: Acme\nKIND: org\n";

INSTANTIATE_TEST_SUITE_P(Readers, IndependentReaderTest, testing::Values(
    ReaderCase{"vobject_3_0", Vobject, VCardVersion::V3, kVobject3},
    ReaderCase{"vobject_4_0", Vobject, VCardVersion::V4, kVobject4},
    ReaderCase{"KContacts_3_0", KContacts, VCardVersion::V3, kKContacts3},
    ReaderCase{"KContacts_4_0", KContacts, VCardVersion::V4, kKContacts4}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.Name); });

}  // namespace
