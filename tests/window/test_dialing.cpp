#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/BookState.h"
#include "core/Document.h"
#include "mainwindow/DialNumber.h"
#include "platform/Telephony.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

// A telephony service that keeps the last request and answers with a chosen result.
class FakeTelephony : public Telephony {
 public:
  int RequestMakeCall(const DialRequest& request) override {
    last = request;
    ++calls;
    return result;
  }

  int result = kDialAccepted;
  std::optional<DialRequest> last;
  int calls = 0;
};

class DialingTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallTelephony(&telephony);
    NewDocument(book);
  }
  void TearDown() override { InstallTelephony(nullptr); }

  AddressRecord& Record(const char* name, const char* company, int16_t printAs) {
    AddressRecord& record = AddRecord(book, name, company);
    record.PrintAs = printAs;
    record.Phones = {"555-0100", "555-0101", "555-0102", "555-0103"};
    return record;
  }

  FakeTelephony telephony;
  BookState book;
};

TEST_F(DialingTest, BusinessIsCalledByItsCompanyAndPersonByName) {
  DialNumber(Record("Ann Lee", "Lee Plumbing", kPrintAsBusiness), 0, "FRIENDS.DAT - Vantreo");
  ASSERT_TRUE(telephony.last);
  EXPECT_EQ(telephony.last->CalledParty, "Lee Plumbing");
  EXPECT_EQ(telephony.last->ApplicationName, "FRIENDS.DAT - Vantreo");
  EXPECT_EQ(telephony.last->Comment, "");

  DialNumber(Record("Bob Marsh", "Marsh & Sons", kPrintAsPerson), 0, "FRIENDS.DAT - Vantreo");
  EXPECT_EQ(telephony.last->CalledParty, "Bob Marsh");
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(DialingTest, ShownSlotGivesItsNumberUnchanged) {
  AddressRecord& record = Record("Ann Lee", "", kPrintAsPerson);
  record.Phones[3] = " +1 (555) 010-9999 ext. 12 ";
  const AddressRecord before = record;
  DialNumber(record, 3, "Untitled - Vantreo");
  EXPECT_EQ(telephony.last->DestinationAddress, " +1 (555) 010-9999 ext. 12 ");
  EXPECT_EQ(record, before);
  EXPECT_FALSE(book.Dirty);
}

TEST_F(DialingTest, RefusalsAreReportedWithTheirDescription) {
  const std::pair<int, const char*> cases[] = {
      {kDialNoRecipient, "No application for tel: links is set up on this computer. Install a dialing application, "
                         "such as a softphone, and make it the default application for tel: links."},
      {kDialQueueFull, "The queue of pending dialing requests is full."},
      {kDialInvalidAddress, "The phone number is not valid."},
      {kDialHandlerFailed, "The application set up for tel: links could not be started."},
      {-1, "Unknown error."},
      {-17, "Unknown error."},
  };
  AddressRecord& record = Record("Ann Lee", "", kPrintAsPerson);
  for (const auto& [result, description] : cases) {
    Fakes().messages.shown.clear();
    telephony.result = result;
    DialNumber(record, 0, "Untitled - Vantreo");
    ASSERT_EQ(Fakes().messages.shown.size(), 1u) << result;
    EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::Notice);
    EXPECT_EQ(Fakes().messages.shown[0].second, QStringLiteral("Error dialing number : ") + description);
  }
}

TEST_F(DialingTest, EmptyPhoneBoxIsStillHandedToTheService) {
  AddressRecord& record = Record("Ann Lee", "", kPrintAsPerson);
  record.Phones[1].clear();
  telephony.result = kDialInvalidAddress;
  DialNumber(record, 1, "Untitled - Vantreo");
  EXPECT_EQ(telephony.calls, 1);
  EXPECT_EQ(telephony.last->DestinationAddress, "");
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].second, "Error dialing number : The phone number is not valid.");
}

// A desktop of the test's own, seen by the desktop tools through the XDG variables.
class DesktopTelephonyTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallTelephony(nullptr);
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"}) qunsetenv(name);
    QDir(dir.path()).mkpath("data/applications");
    for (const auto& [name, folder] : {std::pair{"XDG_CONFIG_HOME", "."}, {"XDG_CONFIG_DIRS", "none"},
                                       {"XDG_DATA_HOME", "data"}, {"XDG_DATA_DIRS", "none"}})
      qputenv(name, QFile::encodeName(dir.filePath(QString::fromLatin1(folder))));
    QStandardPaths::setTestModeEnabled(false);  // the folders above are the test's own
  }
  void TearDown() override { QStandardPaths::setTestModeEnabled(true); }

  // Makes program the default application for tel: links.
  void SetDefaultApplication(const QString& program) {
    WriteBytes(dir.filePath("mimeapps.list"), "[Default Applications]\nx-scheme-handler/tel=phone.desktop\n");
    WriteBytes(dir.filePath("data/applications/phone.desktop"),
               "[Desktop Entry]\nType=Application\nName=Phone\nMimeType=x-scheme-handler/tel;\nExec=" +
                   program.toStdString() + " %u\n");
  }

  // A default application that writes the link it is given into the file received.
  void SetRecordingApplication() {
    WriteBytes(dir.filePath("record-tel"), "#!/bin/sh\nprintf %s \"$1\" > \"$0.received\"\n");
    QFile::setPermissions(dir.filePath("record-tel"), QFile::ReadOwner | QFile::ExeOwner);
    SetDefaultApplication(dir.filePath("record-tel"));
  }

  std::string Received() {
    for (int waited = 0; waited < 5000 && !QFile::exists(received); waited += 50) QTest::qWait(50);
    return ReadBytes(received);
  }

  int Dial(const QString& number) { return TelephonyService().RequestMakeCall({number, "Vantreo", "Ann", ""}); }

  QTemporaryDir dir;
  const QString received = dir.filePath("record-tel.received");
};

TEST_F(DesktopTelephonyTest, NumberGoesOutAsPercentEncodedTelUriAndABlankOneNot) {
  SetRecordingApplication();
  EXPECT_EQ(Dial(QStringLiteral("   ")), kDialInvalidAddress);
  EXPECT_EQ(Dial(QStringLiteral("+1 (555) 010-9999 #2")), kDialAccepted);
  EXPECT_EQ(Received(), "tel:+1%20(555)%20010-9999%20%232");
}

TEST_F(DesktopTelephonyTest, WithoutADefaultForTelLinksTheUserIsTold) {
  AddressRecord record;
  record.Phones[0] = "555-0100";
  DialNumber(record, 0, "Untitled - Vantreo");
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith(
      "Error dialing number : No application for tel: links is set up on this computer."));
}

TEST_F(DesktopTelephonyTest, AnApplicationForTelLinksThatCannotStartIsReported) {
  SetDefaultApplication(dir.filePath("no-such-program"));
  EXPECT_EQ(Dial(QStringLiteral("555-0100")), kDialHandlerFailed);
}

}  // namespace

