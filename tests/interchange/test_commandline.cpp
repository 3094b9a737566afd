// The command-line import and export, run as the user runs them: the
// program itself, without a display.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "platform/BookLock.h"
#include "platform/ProgramIdentity.h"
#include "support/ImportCheck.h"
#include "support/TestBooks.h"

namespace {

struct ProgramRun {
  int ExitCode;
  QString Out, Err;
};

QString Fixture(const char* file) { return QStringLiteral(VANTREO_TEST_DATA_DIR "/interchange/") + file; }

class CommandLineTest : public testing::Test {
 protected:
  ProgramRun Vantreo(const QStringList& arguments, rlim_t fileSizeLimit = RLIM_INFINITY) {
    QProcess program;
    // As ulimit -f in the shell that starts it.
    program.setChildProcessModifier([fileSizeLimit] {
      const rlimit limit{fileSizeLimit, RLIM_INFINITY};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(QLatin1String(name));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(VANTREO_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForFinished(30000));
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
  }

  int RecordsInBook() {
    BookState loaded = BookWithGroups({});
    LoadDocument(loaded, book);
    return loaded.RecordCount();
  }

  QTemporaryDir dir;
  const QString book = dir.filePath(QStringLiteral("my book.dat"));
};

TEST_F(CommandLineTest, HelpListsBothCommandsAndWrongUsageExitsWithTwoTouchingNothing) {
  for (const char* option : {"--help", "--help-all"}) {
    const ProgramRun help = Vantreo({QLatin1String(option)});
    EXPECT_EQ(help.ExitCode, 0) << option;
    EXPECT_TRUE(help.Out.contains(QLatin1String(
        "vantreo --import FILE... --into BOOK.dat [--keep-duplicates] [--convert-to-unicode]")));
    EXPECT_TRUE(help.Out.contains(QLatin1String("vantreo --export-vcard BOOK.dat OUT.vcf [--vcard-version 4.0]")));
  }
  EXPECT_EQ(Vantreo({QStringLiteral("--version")}).Out, QStringLiteral("Vantreo %1\n").arg(QLatin1String(kProgramVersion)));
  for (const QStringList& arguments : {QStringList{"--import", Fixture("outlook.csv")}, {"--export-vcard", book},
                                       {"--export-vcard", book, "out.vcf", "--vcard-version", "2.1"},
                                       {"--import", Fixture("outlook.csv"), "--into", book, "--export-vcard", book},
                                       {"--export-vcard", book, "out.vcf", "--convert-to-unicode"},
                                       {"--frobnicate"}}) {
    const ProgramRun run = Vantreo(arguments);
    EXPECT_EQ(run.ExitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.Err.contains(QLatin1String("vantreo --help")));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(CommandLineTest, ImportCreatesTheBookPrintsTheSummaryAndSkipsDuplicatesTheSecondTime) {
  const QStringList import{"--import", Fixture("apple-contacts.vcf"), Fixture("google-contacts.csv"), "--into", book};
  ProgramRun run = Vantreo(import);
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  EXPECT_TRUE(run.Out.startsWith(QLatin1String("Contacts to add: 4\nGroups to create: Friends, Suppliers\n")));
  // A new book whose contacts need it becomes a Unicode address book.
  EXPECT_FALSE(run.Out.contains(QLatin1String("transliterated")));
  EXPECT_TRUE(run.Out.contains(book + " is now a Unicode address book."));
  EXPECT_EQ(ReadBytes(book).substr(0, 10), "VANTREOU01");
  EXPECT_EQ(RecordsInBook(), 4);
  run = Vantreo(import);
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(run.Out.contains(QLatin1String("Likely duplicates, skipped (4):")));
  EXPECT_FALSE(run.Out.contains(QLatin1String("transliterated")));
  EXPECT_EQ(RecordsInBook(), 4);
  EXPECT_EQ(Vantreo(import + QStringList{"--keep-duplicates"}).ExitCode, 0);
  EXPECT_EQ(RecordsInBook(), 8);
}

TEST_F(CommandLineTest, AnOldFormatBookTransliteratesUnlessToldToConvert) {
  BookState old;
  NewDocument(old);
  old.FileName = book;
  SaveDocument(old);
  const std::string oldFile = ReadBytes(book);
  const QStringList import{"--import", Fixture("apple-contacts.vcf"), "--into", book};
  ProgramRun run = Vantreo(import);
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  EXPECT_TRUE(run.Out.contains(QStringLiteral("Иван Петров, Name: \"Иван Петров\" → \"Ivan Petrov\"")));
  EXPECT_EQ(ReadBytes(book).substr(0, 10), "QUILLBOX00");
  // Converting is a change of its own, saved though every contact is a duplicate.
  const QStringList again{"--import", Fixture("outlook.csv"), "--into", book};
  ASSERT_EQ(Vantreo(again).ExitCode, 0);
  run = Vantreo(again + QStringList{"--convert-to-unicode"});
  EXPECT_TRUE(run.Out.endsWith(QStringLiteral("Added 0 contacts to %1.\n").arg(book))) << run.Out.toStdString();
  EXPECT_EQ(ReadBytes(book).substr(0, 10), "VANTREOU01");

  WriteBytes(book, oldFile);
  run = Vantreo(import + QStringList{"--convert-to-unicode"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  EXPECT_FALSE(run.Out.contains(QLatin1String("transliterated")));
  EXPECT_EQ(ReadBytes(book + ".bak"), oldFile);
  BookState loaded;
  LoadDocument(loaded, book);
  EXPECT_TRUE(loaded.IsUnicode());
  EXPECT_TRUE(std::any_of(loaded.Records.begin(), loaded.Records.end(),
                          [](const AddressRecord& record) { return record.Name == "Иван Петров"; }));
}

TEST_F(CommandLineTest, FailuresAndABookOpenInAWindowExitWithOneAndLeaveTheBookAsItWas) {
  ASSERT_EQ(Vantreo({"--import", Fixture("outlook.csv"), "--into", book}).ExitCode, 0);
  const std::string before = ReadBytes(book);
  const QStringList failing[] = {{"--import", Fixture("outlook.csv"), Fixture("missing.vcf"), "--into", book},
                                 {"--import", Fixture("outlook.csv"), "--into", dir.filePath("no folder/b.dat")},
                                 {"--import", Fixture("outlook.csv"), "--into", Fixture("outlook.csv")},
                                 {"--import", QStringLiteral(VANTREO_TEST_DATA_DIR "/loader-corpus/two-records.dat"), "--into", book},
                                 {"--export-vcard", dir.filePath("missing.dat"), "out.vcf"}};
  for (const QStringList& arguments : failing) {
    const ProgramRun run = Vantreo(arguments);
    EXPECT_EQ(run.ExitCode, 1) << arguments.join(' ').toStdString();
    EXPECT_FALSE(run.Err.isEmpty());
  }
  const QString nowhere = dir.filePath(QStringLiteral("no folder/out.vcf"));  // named as given
  EXPECT_TRUE(Vantreo({"--export-vcard", book, nowhere}).Err.contains("Unable to export to '" + nowhere + "'."));
  BookLock window;  // a book open in a window is refused
  ASSERT_EQ(window.Take(book), BookLock::Outcome::Taken);
  const ProgramRun run = Vantreo({"--import", Fixture("outlook.csv"), "--into", book});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Err.contains(QLatin1String("is open in Vantreo")));
  EXPECT_EQ(Vantreo({"--export-vcard", book, "out.vcf"}).ExitCode, 1);
  window.Release();
  EXPECT_EQ(ReadBytes(book), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"my book.dat"});
}

TEST_F(CommandLineTest, ExportWritesEveryRecordAsVCard) {
  ASSERT_EQ(Vantreo({"--import", Fixture("rfc6350-examples.vcf"), "--into", book}).ExitCode, 0);
  const ProgramRun run = Vantreo({"--export-vcard", book, "out.vcf", "--vcard-version", "4.0"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, QStringLiteral("Exported 3 records to out.vcf as vCard 4.0.\n"));
  const std::string vcards = ReadBytes(dir.filePath(QStringLiteral("out.vcf")));
  EXPECT_EQ(vcards.rfind("BEGIN:VCARD\r\nVERSION:4.0\r\n", 0), 0u);
  EXPECT_NE(vcards.find("FN:ABC Marketing\r\n"), std::string::npos);
}

TEST_F(CommandLineTest, PhoneNamesPastTheLimitGoToNotesAndTheBookIsSaved) {
  const QString cards = dir.filePath(QStringLiteral("flood.vcf"));
  WriteBytes(cards, PhoneNameFlood(8200));
  const ProgramRun run = Vantreo({"--import", cards, "--into", book});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  EXPECT_TRUE(run.Out.contains(
      QLatin1String("Phone names beyond the 32,767 a book holds, their numbers kept in Notes (37):\n    Line 8191.4\n")));
  BookState loaded;
  LoadDocument(loaded, book);
  ASSERT_EQ(std::pair(loaded.RecordCount(), loaded.PhoneNameCount()), std::pair(8200, kMaxPhoneNames));
  const AddressRecord& last = loaded.Records.back();
  EXPECT_EQ(std::tuple(last.Phones[0], last.PhoneNameIndex[0]), std::tuple("", int16_t{0}));
  EXPECT_EQ(last.Notes, "Phone (Line 8200.1): 555 8200-1\r\nPhone (Line 8200.2): 555 8200-2\r\n"
                        "Phone (Line 8200.3): 555 8200-3\r\nPhone (Line 8200.4): 555 8200-4");
  EXPECT_EQ(loaded.Records[8190].Notes, "Phone (Line 8191.4): 555 8191-4");
}

// An export never replaces an address book, its own or another, whatever
// the name; a file it replaces is kept as "<name>.bak".
TEST_F(CommandLineTest, ExportRefusesAnyAddressBookAndKeepsTheFileItReplaces) {
  ASSERT_EQ(Vantreo({"--import", Fixture("outlook.csv"), "--into", book}).ExitCode, 0);
  const QString other = dir.filePath(QStringLiteral("other.vcf"));
  QFile::copy(book, other);
  const std::string bytes = ReadBytes(book);
  for (const QString& target : {book, QStringLiteral("my book.dat"), other}) {
    const ProgramRun run = Vantreo({"--export-vcard", book, target});
    EXPECT_EQ(run.ExitCode, 1) << target.toStdString();
    EXPECT_TRUE(run.Err.contains(target == other ? QStringLiteral("'%1' is an address book;").arg(other)
                                                 : QStringLiteral("is the address book being exported;")))
        << run.Err.toStdString();
  }
  EXPECT_EQ(std::pair(ReadBytes(book), ReadBytes(other)), std::pair(bytes, bytes));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"my book.dat", "other.vcf"}));
  WriteBytes(dir.filePath("out.vcf"), "an older export");
  ASSERT_EQ(Vantreo({"--export-vcard", book, "out.vcf"}).ExitCode, 0);
  EXPECT_EQ(ReadBytes(dir.filePath("out.vcf.bak")), "an older export");
}

// Under a file size limit the save fails as on a full disk: reported with
// the system's error, the book and the folder as they were.
TEST_F(CommandLineTest, AFileSizeLimitIsReportedAndLeavesNoTemporaryFileOrLock) {
  ASSERT_EQ(Vantreo({"--import", Fixture("outlook.csv"), "--into", book}).ExitCode, 0);
  const std::string before = ReadBytes(book);
  const QString cards = dir.filePath(QStringLiteral("many.vcf"));
  WriteBytes(cards, PhoneNameFlood(200));
  const ProgramRun run = Vantreo({"--import", cards, "--into", book}, before.size() + 100);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Err.contains(QStringLiteral("Unable to save %1 to disk. Error 27 : File too large.").arg(book)))
      << run.Err.toStdString();
  EXPECT_EQ(ReadBytes(book), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"many.vcf", "my book.dat"}));
}

// What is no file is named as the book loader names it.
TEST_F(CommandLineTest, APipeASocketAFolderOrADeviceToImportIsNamedForWhatItIs) {
  const QString pipe = dir.filePath(QStringLiteral("pipe.vcf")), socketPath = dir.filePath(QStringLiteral("socket.vcf"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::pair<QString, const char*> cases[] = {
      {pipe, "a named pipe"}, {socketPath, "a socket"}, {dir.path(), "a folder"}, {"/dev/null", "a device"}};
  for (const auto& [file, kind] : cases) {
    const ProgramRun run = Vantreo({"--import", file, "--into", book});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Err, QStringLiteral("vantreo: '%1' is %2, not a vCard or CSV file.\n").arg(file, kind));
  }
  ::close(listener);
  EXPECT_FALSE(QFile::exists(book));
}

}  // namespace
