// vantreo --sync, run as the user runs it: the program itself, without a
// display or keyring, against a private Radicale.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "platform/BookLock.h"
#include "support/PrivateRadicale.h"

namespace {

struct Outcome {
  int ExitCode;
  QString Out, Err;
};

class SyncCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_RADICALE(server);
    addressBook = server.AddAddressBook(QStringLiteral("phone"), QStringLiteral("Phone"));
    server.Put(addressBook.resolved(QUrl(QStringLiteral("m.vcf"))),
               "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:m\r\nFN:Marie Curie\r\nTEL:33 1 44\r\nEND:VCARD\r\n");
    WritePassword(password, server.Password(), QFile::ReadOwner | QFile::WriteOwner);
  }

  static void WritePassword(const QString& path, const QString& text, QFile::Permissions permissions) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((text + QLatin1Char('\n')).toUtf8());
    file.close();
    file.setPermissions(permissions);
  }

  Outcome Vantreo(const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"}) environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTREO_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForFinished(60000));
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()), QString::fromUtf8(program.readAllStandardError())};
  }

  QStringList FirstRun(const QString& pw) const {
    return {QStringLiteral("--sync"), book, QStringLiteral("--server"), addressBook.toString(), QStringLiteral("--user"), server.User(),
            QStringLiteral("--password-file"), pw};
  }

  QByteArray BookBytes() const {
    QFile file(book);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  PrivateRadicale server;
  QUrl addressBook;
  QTemporaryDir dir;
  const QString book = dir.filePath(QStringLiteral("my book.dat"));
  const QString password = dir.filePath(QStringLiteral("password"));
};

TEST_F(SyncCommandTest, TheFirstRunSetsTheAccountUpAndLaterRunsUseIt) {
  const Outcome first = Vantreo(FirstRun(password));
  ASSERT_EQ(first.ExitCode, 0) << first.Err.toStdString();
  EXPECT_TRUE(first.Out.contains(QLatin1String("To add here (1):\n    Marie Curie"))) << first.Out.toStdString();
  BookState loaded;
  NewDocument(loaded);
  LoadDocument(loaded, book);
  ASSERT_EQ(loaded.RecordCount(), 1);
  EXPECT_TRUE(loaded.IsUnicode());
  loaded.Records[0].Company = "Sorbonne";
  StampChange(loaded, loaded.Records[0]);
  SaveDocument(loaded);
  const Outcome later = Vantreo({QStringLiteral("--sync"), book, QStringLiteral("--password-file"), password});
  ASSERT_EQ(later.ExitCode, 0) << later.Err.toStdString();
  EXPECT_TRUE(later.Out.contains(QLatin1String("To update on the server (1):\n    Marie Curie")));
  EXPECT_TRUE(server.Get(addressBook.resolved(QUrl(QStringLiteral("m.vcf")))).contains("ORG:Sorbonne"));
}

TEST_F(SyncCommandTest, FailuresSayWhyAndLeaveTheBookAsItWas) {
  ASSERT_EQ(Vantreo(FirstRun(password)).ExitCode, 0);
  const QByteArray before = BookBytes();
  const QString wrong = dir.filePath(QStringLiteral("wrong")), open = dir.filePath(QStringLiteral("open"));
  WritePassword(wrong, QStringLiteral("guess"), QFile::ReadOwner | QFile::WriteOwner);
  WritePassword(open, server.Password(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
  struct Case {
    QStringList Arguments;
    const char* Message;
  };
  const Case cases[] = {{{"--sync", book, "--password-file", wrong}, "user name or password (401)"},
                        {{"--sync", book, "--password-file", open}, "readable by its owner only"},
                        {{"--sync", book, "--server", "http://contacts.example.com/", "--user", "alice", "--password-file", password},
                         "use https"}};
  for (const Case& c : cases) {
    const Outcome run = Vantreo(c.Arguments);
    EXPECT_EQ(run.ExitCode, 1) << c.Message;
    EXPECT_TRUE(run.Err.contains(QLatin1String(c.Message))) << run.Err.toStdString();
  }
  BookLock window;
  ASSERT_EQ(window.Take(book), BookLock::Outcome::Taken);
  const Outcome refused = Vantreo({"--sync", book, "--password-file", password});
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_TRUE(refused.Err.contains(QLatin1String("close it there first")));
  window.Release();
  server.Stop();
  const Outcome stopped = Vantreo({"--sync", book, "--password-file", password});
  EXPECT_EQ(stopped.ExitCode, 1);
  EXPECT_TRUE(stopped.Err.contains(QLatin1String("could not be reached")));
  EXPECT_EQ(BookBytes(), before);
}

TEST_F(SyncCommandTest, WrongUsageExitsWithTwo) {
  for (const QStringList& arguments : {QStringList{"--sync", book, "--server", addressBook.toString()},
                                       {"--sync", book, "--password-file", password},  // no account yet
                                       {"--server", addressBook.toString(), "--user", "alice"},
                                       {"--sync", book, "extra.vcf"}}) {
    const Outcome run = Vantreo(arguments);
    EXPECT_EQ(run.ExitCode, 2) << arguments.join(' ').toStdString() << run.Err.toStdString();
    EXPECT_FALSE(run.Err.isEmpty());
  }
  EXPECT_FALSE(QFile::exists(book));
}

TEST_F(SyncCommandTest, AConflictKeepsBothVersionsAsNobodyCanBeAsked) {
  ASSERT_EQ(Vantreo(FirstRun(password)).ExitCode, 0);
  const QUrl card = addressBook.resolved(QUrl(QStringLiteral("m.vcf")));
  server.Put(card, server.Get(card).replace("33 1 44", "33 1 55"));
  BookState loaded;
  NewDocument(loaded);
  ASSERT_TRUE(LoadDocument(loaded, book).Succeeded());
  loaded.Records[0].Phones[0] = "33 1 66";
  StampChange(loaded, loaded.Records[0]);
  ASSERT_TRUE(SaveDocument(loaded).Succeeded());
  const Outcome run = Vantreo({QStringLiteral("--sync"), book, QStringLiteral("--password-file"), password});
  ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  EXPECT_TRUE(run.Out.contains(QLatin1String("both kept (1):\n    Marie Curie"))) << run.Out.toStdString();
  NewDocument(loaded);
  ASSERT_TRUE(LoadDocument(loaded, book).Succeeded());
  ASSERT_EQ(loaded.RecordCount(), 2);
  EXPECT_EQ(loaded.Records[0].Phones[0], "33 1 55");
  EXPECT_EQ(loaded.Records[1].Phones[0], "33 1 66");
  EXPECT_EQ(server.CardsIn(addressBook).size(), 2);
}

TEST_F(SyncCommandTest, EachBookKeepsItsOwnAccount) {
  const QUrl work = server.AddAddressBook(QStringLiteral("work"), QStringLiteral("Work"));
  server.Put(work.resolved(QUrl(QStringLiteral("w.vcf"))), "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:w\r\nFN:Lise Meitner\r\nEND:VCARD\r\n");
  const QString other = dir.filePath(QStringLiteral("work.dat"));
  QStringList firstOther = FirstRun(password);
  firstOther[1] = other;
  firstOther[3] = work.toString();
  ASSERT_EQ(Vantreo(FirstRun(password)).ExitCode, 0);
  ASSERT_EQ(Vantreo(firstOther).ExitCode, 0);
  for (const auto& [file, url] : {std::pair{book, addressBook}, std::pair{other, work}}) {
    const Outcome later = Vantreo({QStringLiteral("--sync"), file, QStringLiteral("--password-file"), password});
    EXPECT_EQ(later.ExitCode, 0) << later.Err.toStdString();
    EXPECT_TRUE(later.Out.contains(url.toString() + QStringLiteral(" (1 records)"))) << later.Out.toStdString();
  }
  const Outcome moved = Vantreo(firstOther.replaceInStrings(other, book));
  EXPECT_EQ(moved.ExitCode, 1);
  EXPECT_TRUE(moved.Err.contains(QLatin1String("already syncs with"))) << moved.Err.toStdString();
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
  EXPECT_EQ(server.CardsIn(work).size(), 1);
}

TEST_F(SyncCommandTest, SeveralAddressBooksAtTheServerAreListedForTheUserToNameOne) {
  server.AddAddressBook(QStringLiteral("work"), QStringLiteral("Work contacts"));
  QStringList arguments = FirstRun(password);
  arguments[3] = server.Root().toString();
  const Outcome run = Vantreo(arguments);
  EXPECT_EQ(run.ExitCode, 2);
  for (const char* listed : {"Phone", "Work contacts", "/alice/phone/", "/alice/work/"})
    EXPECT_TRUE(run.Err.contains(QLatin1String(listed))) << listed << "\n" << run.Err.toStdString();
  EXPECT_FALSE(QFile::exists(book));
  arguments[3] = server.Root().resolved(QUrl(QStringLiteral("/alice/work/"))).toString();
  const Outcome named = Vantreo(arguments);
  EXPECT_EQ(named.ExitCode, 0) << named.Err.toStdString();
  EXPECT_TRUE(named.Out.contains(QLatin1String("/alice/work/"))) << named.Out.toStdString();
}

TEST_F(SyncCommandTest, AFirstRunThatCannotStartFailsWithOne) {
  const QString missing = dir.filePath(QStringLiteral("no such file"));
  struct Case {
    QStringList Arguments;
    const char* Message;
  };
  const Case cases[] = {{{"--sync", book, "--server", addressBook.toString(), "--user", "alice", "--password-file", missing}, "does not exist"},
                        {{"--sync", book, "--server", "http://192.0.2.1/", "--user", "alice", "--password-file", password}, "use https"}};
  for (const Case& c : cases) {
    const Outcome run = Vantreo(c.Arguments);
    EXPECT_EQ(run.ExitCode, 1) << c.Message;
    EXPECT_TRUE(run.Err.contains(QLatin1String(c.Message))) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(book));
  }
}

}  // namespace
