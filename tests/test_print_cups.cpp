#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include "core/Document.h"
#include "platform/Printer.h"
#include "print/frmPrint.h"
#include "support/FakePlatform.h"
#include "support/PrivateCupsServer.h"
#include "support/TestBooks.h"

namespace {

const QString kQueue = QStringLiteral("VantreoCheck");

// The program printing through a real CUPS queue, on a cupsd of the test's
// own with a cups-pdf queue that writes each job as a PDF file.
class CupsPrintTest : public testing::Test {
 protected:
  // One server for the process: CUPS keeps to the first server it reached.
  static void SetUpTestSuite() { server = new PrivateCupsServer(kQueue); }
  static void TearDownTestSuite() { delete server; }

  void SetUp() override {
    if (!server->Problem().isEmpty()) GTEST_SKIP() << "no private cupsd: " << server->Problem().toStdString();
    // Before the first CUPS call of this process: the private server, and a
    // user cups-pdf does not know, whose jobs go to its anonymous folder.
    qputenv("CUPS_SERVER", server->Socket().toLocal8Bit());
    qputenv("CUPS_USER", QByteArray("vantreo-check-") + QByteArray::number(getpid()));
    InstallPrinter(nullptr);
    book = BookWithGroups({});
    AddRecord(book, "Ann Lee").Phones[0] = "555-0101";
    settings.Printing.Printer.Name = kQueue;
    settings.Printing.FontName = QStringLiteral("DejaVu Serif");
    settings.Printing.FontSize = 10;
    // A title of this run's own names the job, and so the file cups-pdf writes.
    token = QStringLiteral("Check%1x%2").arg(getpid()).arg(QRandomGenerator::global()->generate());
    settings.Printing.Title = token.toStdString();
  }

  std::vector<QString> Shown() const {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
    return texts;
  }

  void PrintPhoneList() {
    frmPrint dialog(book, settings);
    dialog.cmdOk->click();
  }

  // The PDF file cups-pdf wrote for this run's job, once it is there.
  QString Arrived() const {
    QElapsedTimer waited;
    waited.start();
    QString pending = QStringLiteral("?");
    while (!pending.isEmpty() && waited.elapsed() < 60000) {
      server->Run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &pending);
      QTest::qWait(250);
    }
    while (waited.elapsed() < 60000) {
      const QStringList found = QDir(QLatin1String(kCupsPdfAnonymousFolder))
                                    .entryList({QStringLiteral("*") + token + QStringLiteral("*.pdf")}, QDir::Files);
      if (!found.isEmpty()) return QDir(QLatin1String(kCupsPdfAnonymousFolder)).filePath(found[0]);
      QTest::qWait(250);
    }
    return {};
  }

  static PrivateCupsServer* server;
  QString token;
  BookState book;
  ProgramSettings settings;
};

PrivateCupsServer* CupsPrintTest::server = nullptr;

TEST_F(CupsPrintTest, APrintedPhoneListArrivesAsAPdfFile) {
  PrintPhoneList();
  EXPECT_TRUE(Shown().empty());
  const QString path = Arrived();
  ASSERT_FALSE(path.isEmpty()) << "no file for " << token.toStdString();
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {path});
  info.waitForFinished(20000);
  const QString details = QString::fromUtf8(info.readAllStandardOutput());
  QFile::remove(path);
  EXPECT_TRUE(details.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << details.toStdString();
}

TEST_F(CupsPrintTest, ARefusedJobAndAPrinterThatIsGoneAreReportedWithCupsReasons) {
  ASSERT_TRUE(server->Run(QStringLiteral("cupsreject"), {kQueue}));
  PrintPhoneList();
  server->Run(QStringLiteral("cupsaccept"), {kQueue});
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(Shown()[0].startsWith(QLatin1String("Unable to complete printing. Error ")));
  EXPECT_TRUE(Shown()[0].contains(QLatin1String("not accepting jobs"))) << Shown()[0].toStdString();

  Fakes().messages.shown.clear();
  settings.Printing.Printer.Name = QStringLiteral("VantreoGone");  // chosen once, removed since
  PrintPhoneList();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(Shown()[0].startsWith(QLatin1String("Unable to complete printing. Error ")));
  EXPECT_EQ(Shown()[0].toStdString(), "Unable to complete printing. Error 1030 : The printer \"VantreoGone\" is not available.");
}

}  // namespace
