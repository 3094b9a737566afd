#include <cups/cups.h>
#include <unistd.h>

#include <map>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include "platform/StandardLocations.h"
#include "print/frmPrint.h"
#include "support/PrintFixture.h"
#include "support/PrivateCupsServer.h"
#include "support/RealComponent.h"
#include "support/TextPrinting.h"

namespace {

// The program printing through a real CUPS queue: a cupsd of the test's own
// with a cups-pdf queue that prints both sides and writes each job it prints
// as a PDF file, into its anonymous folder for a user it does not know.
class CupsPrintTest : public testing::Test {
 protected:
  static constexpr const char* kQueue = "VantreoCheck";

  void SetUp() override {
    if (!server.Problem().isEmpty()) {
      if (PrivateCupsServer::Installed() && geteuid() == 0)
        SKIP_OR_FAIL_NOT_STARTED("the private cupsd", server.Problem().toStdString());
      GTEST_SKIP() << "SKIPPED LOUDLY: no private cupsd: " << server.Problem().toStdString();
    }
    const QByteArray socket = server.Socket().toLocal8Bit();
    const QByteArray user = QByteArray("vantreo-check-") + QByteArray::number(getpid());
    qputenv("CUPS_SERVER", socket);
    qputenv("CUPS_USER", user);
    cupsSetServer(socket.constData());
    cupsSetUser(user.constData());
    InstallPrinter(nullptr);
    InstallPrinterSetup(nullptr);
    settings.Printing.Printer.Name = QString::fromLatin1(kQueue);
    settings.Printing.FontName = QStringLiteral("DejaVu Serif");
    // A title of this run's own names the job, and so the file cups-pdf writes.
    settings.Printing.Title = token.toStdString();
    for (int r = 0; r < book.RecordCount(); ++r) job.PrintList.push_back(r);
    job.LinesPerPage = 60;
  }

  void Print() {
    ThePrinter().Choose(settings.Printing.Printer);
    ShowPrintOutcome(PrintRecords(book, settings, job));
  }

  // Waits until the queue has no job left to print.
  void WaitUntilPrinted() {
    const QDeadlineTimer deadline(60000);
    for (QString pending = "?"; !pending.isEmpty() && !deadline.hasExpired(); QTest::qWait(250))
      server.Run(QStringLiteral("lpstat"), {QStringLiteral("-o")}, &pending);
  }

  // The named attributes CUPS keeps of the queue's newest job, as text.
  std::map<std::string, std::string> NewestJob(std::initializer_list<const char*> names) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, kQueue, 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i) newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QByteArray("ipp://localhost/printers/") + kQueue;
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", newest);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/jobs/");
    std::map<std::string, std::string> values;
    for (const char* name : names) {
      char text[256] = "";
      if (ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO))
        ippAttributeString(attribute, text, sizeof text);
      values[name] = text;
    }
    ippDelete(response);
    return values;
  }

  static std::vector<QString> Messages() {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
    return texts;
  }

  PrivateCupsServer server{QString::fromLatin1(kQueue), true};
  const QString token = QStringLiteral("Check%1x%2").arg(getpid()).arg(QRandomGenerator::global()->generate());
  BookState book = PeopleBook(3);
  ProgramSettings settings;
  PrintJob job;
};

TEST_F(CupsPrintTest, APhoneListArrivesARefusedJobGivesTheAdministratorsReasonAndAGonePrinterIsNamed) {
  frmPrint(book, settings).cmdOk->click();
  WaitUntilPrinted();
  const QDir anonymous{QString::fromLatin1(kCupsPdfAnonymousFolder)};
  const QStringList arrived = anonymous.entryList({"*" + token + "*.pdf"}, QDir::Files);
  ASSERT_EQ(arrived.size(), 1) << token.toStdString();
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {anonymous.filePath(arrived[0])});
  EXPECT_TRUE(info.waitForFinished(20000) && info.readAllStandardOutput().contains("\nPages:           1\n"));
  QFile::remove(anonymous.filePath(arrived[0]));
  ASSERT_TRUE(server.Run(QStringLiteral("cupsreject"), {QStringLiteral("-r"), QStringLiteral("Out of paper, refill tray 2."), kQueue}));
  Print();
  settings.Printing.Printer.Name = QStringLiteral("VantreoGone");  // chosen once, removed since
  Print();
  EXPECT_EQ(Messages(), (std::vector<QString>{
                            "Unable to complete printing. Error 1286 : Out of paper, refill tray 2.",
                            "Unable to complete printing. Error 1030 : The printer \"VantreoGone\" is not available."}));
}

TEST_F(CupsPrintTest, APausedQueueIsToldOfAndTheJobCarriesTheCopiesCollationAndSidesChosen) {
  ASSERT_TRUE(server.Run(QStringLiteral("cupsdisable"), {kQueue}));
  job.Copies = CopyChoice{3, false, false, TwoSided::ShortEdge, {}};
  Print();
  EXPECT_EQ(Messages(), std::vector<QString>{"The printer \"VantreoCheck\" is paused; the job will print when it is resumed."});
  using Attributes = std::map<std::string, std::string>;
  const std::initializer_list<const char*> names{"copies", "sides", "multiple-document-handling", "job-state"};
  EXPECT_EQ(NewestJob(names), (Attributes{{"copies", "3"}, {"sides", "two-sided-short-edge"},
                                          {"multiple-document-handling", "separate-documents-uncollated-copies"},
                                          {"job-state", "pending"}}));
  // A phone book in one pass: each sheet's back after its front, on the long edge; whole sheets.
  std::tie(settings.Printing.ReportType, settings.Printing.BothSidesInOnePass, job.LinesPerPage) = std::make_tuple(1, true, 18);
  job.Copies = CopyChoice{2, true, false, TwoSided::Off, QStringLiteral("2-3")};
  Print();
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(NewestJob(names), (Attributes{{"copies", "2"}, {"sides", "two-sided-long-edge"},
                                          {"multiple-document-handling", "separate-documents-collated-copies"},
                                          {"job-state", "pending"}}));
  // A phone list on both sides along the long edge, last page first.
  std::tie(settings.Printing.ReportType, settings.Printing.BothSidesInOnePass) = std::make_tuple(0, false);
  job.Copies = CopyChoice{1, true, true, TwoSided::LongEdge, {}};
  Print();
  EXPECT_EQ(NewestJob({"sides", "outputorder"}), (Attributes{{"sides", "two-sided-long-edge"}, {"outputorder", "reverse"}}));
}

TEST_F(CupsPrintTest, AJobTheQueueHoldsIsToldOf) {
  ASSERT_TRUE(server.Run(QStringLiteral("lpadmin"), {"-p", kQueue, "-o", "job-hold-until-default=indefinite"}));
  Print();
  EXPECT_EQ(Messages(), std::vector<QString>{"The job is held by the printer \"VantreoCheck\"; it will print when it is released."});
  EXPECT_EQ(NewestJob({"job-state"}), (std::map<std::string, std::string>{{"job-state", "pending-held"}}));
}

TEST_F(CupsPrintTest, AStoppedPrintServiceIsSaidAndPdfFilesAreOfferedButNeverTakenUnasked) {
  ASSERT_TRUE(server.Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), kQueue}));
  settings.Printing.Printer = {};  // the system's default
  frmPrint dialog(book, settings);
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: VantreoCheck (the system's default printer); 1 copy");
  server.Stop();
  const QDir documents(DocumentsFolder());
  const QStringList before = documents.entryList(QDir::Files);
  Fakes().messages.answers = {MessageAnswer::Cancel};
  dialog.cmdOk->click();
  EXPECT_EQ(std::make_pair(documents.entryList(QDir::Files), dialog.result()), std::make_pair(before, int{QDialog::Rejected}));
  Fakes().messages.answers = {MessageAnswer::OK};
  dialog.cmdOk->click();
  const std::vector<QString> shown = Messages();
  ASSERT_EQ(shown.size(), 3u);
  const QString offer = "The print service is not running, so nothing can be printed on a printer now. Choose OK to "
                        "save the printout as PDF files in " + QDir::toNativeSeparators(DocumentsFolder()) +
                        " instead, or Cancel.";
  EXPECT_EQ(std::make_pair(shown[0], shown[1]), std::make_pair(offer, offer));
  const QStringList saved = shown[2].split('\n');
  ASSERT_EQ(saved.size(), 2);
  EXPECT_EQ(saved[0], "The printout was saved as the PDF file");
  EXPECT_TRUE(QFile::remove(saved[1]));
  // PDF files chosen as the output are written without a question.
  Fakes().messages.shown.clear();
  settings.Printing.Printer = {};
  settings.Printing.Printer.ToFile = true;
  frmPrint(book, settings).cmdOk->click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].startsWith("The printout was saved as the PDF file\n"));
  QFile::remove(Messages()[0].section('\n', 1));
  // A chosen printer is shown as unreachable; a job sent to it says why it failed.
  settings.Printing.Printer = {};
  settings.Printing.Printer.Name = QString::fromLatin1(kQueue);
  EXPECT_EQ(frmPrint(book, settings).lblPrinter->text(), "Printer: VantreoCheck: the print service is not running; 1 copy");
  Print();
  EXPECT_EQ(Messages().back(), "Unable to complete printing. Error 1282 : The print service is not running.");
}

// A queue that prints both sides lets the dialog offer one pass for the
// booklet; one that cannot clears it and says why.
TEST_F(CupsPrintTest, OnePassIsOfferedForADuplexQueueAndClearedWithItsReasonForAnother) {
  ASSERT_TRUE(server.Run(QStringLiteral("lpadmin"), {"-p", "VantreoSimplex", "-E", "-v", "cups-pdf:/", "-P",
                                                     "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"}));
  settings.Printing.ReportType = 1;
  settings.Printing.BothSidesInOnePass = true;
  for (const auto& [name, offered] : {std::make_pair(kQueue, true), std::make_pair("VantreoSimplex", false)}) {
    settings.Printing.Printer.Name = QString::fromLatin1(name);
    frmPrint dialog(book, settings);
    EXPECT_EQ(std::make_tuple(dialog.chkBothSides->isEnabled(), dialog.chkBothSides->isChecked(),
                              dialog.lblBothSides->isVisibleTo(&dialog), dialog.cmdAlign->isEnabled()),
              std::make_tuple(offered, offered, !offered, !offered)) << name;
  }
}

}  // namespace
