#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include "platform/Printer.h"
#include "print/frmPrint.h"
#include "support/FakePlatform.h"
#include "support/PrivateCupsServer.h"
#include "support/TestBooks.h"

namespace {

// The program printing through a real CUPS queue: a cupsd of the test's own
// with a cups-pdf queue that writes each job it prints as a PDF file.
TEST(CupsPrintTest, APhoneListArrivesARefusedJobAndAGonePrinterAreReportedWithCupsReasons) {
  const QString queue = QStringLiteral("VantreoCheck");
  PrivateCupsServer server(queue);
  if (!server.Problem().isEmpty()) GTEST_SKIP() << "no private cupsd: " << server.Problem().toStdString();
  // Before this process's first CUPS call: the private server, and a user
  // cups-pdf does not know, whose jobs go to its anonymous folder.
  qputenv("CUPS_SERVER", server.Socket().toLocal8Bit());
  qputenv("CUPS_USER", QByteArray("vantreo-check-") + QByteArray::number(getpid()));
  InstallPrinter(nullptr);
  BookState book = PeopleBook(3);
  ProgramSettings settings;
  settings.Printing.Printer.Name = queue;
  settings.Printing.FontName = QStringLiteral("DejaVu Serif");
  // A title of this run's own names the job, and so the file cups-pdf writes.
  const QString token = QStringLiteral("Check%1x%2").arg(getpid()).arg(QRandomGenerator::global()->generate());
  settings.Printing.Title = token.toStdString();
  const auto print = [&] { frmPrint(book, settings).cmdOk->click(); };
  const auto shown = [] { return Fakes().messages.shown.empty() ? QString() : Fakes().messages.shown.back().second; };

  print();
  EXPECT_TRUE(Fakes().messages.shown.empty());
  QString pending = QStringLiteral("?");
  QElapsedTimer waited;
  waited.start();
  while (!pending.isEmpty() && waited.elapsed() < 60000) {  // until the job is done
    server.Run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &pending);
    QTest::qWait(250);
  }
  const QDir anonymous{QString::fromLatin1(kCupsPdfAnonymousFolder)};
  const QStringList arrived = anonymous.entryList({"*" + token + "*.pdf"}, QDir::Files);
  ASSERT_EQ(arrived.size(), 1) << token.toStdString();
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {anonymous.filePath(arrived[0])});
  info.waitForFinished(20000);
  QFile::remove(anonymous.filePath(arrived[0]));
  EXPECT_TRUE(info.readAllStandardOutput().contains("\nPages:           1\n"));

  ASSERT_TRUE(server.Run(QStringLiteral("cupsreject"), {queue}));
  print();
  EXPECT_TRUE(shown().startsWith(QLatin1String("Unable to complete printing. Error 1286 : ")));
  EXPECT_TRUE(shown().contains(QLatin1String("not accepting jobs"))) << shown().toStdString();

  settings.Printing.Printer.Name = QStringLiteral("VantreoGone");  // chosen once, removed since
  print();
  EXPECT_EQ(shown(), "Unable to complete printing. Error 1030 : The printer \"VantreoGone\" is not available.");
  EXPECT_EQ(Fakes().messages.shown.size(), 2u);
}

}  // namespace
