#include <gtest/gtest.h>

#include <optional>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

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
      {kDialNoRecipient, "No Windows Telephony dialing application is running and none could be started."},
      {kDialQueueFull, "The queue of pending Windows Telephony dialing requests is full."},
      {kDialInvalidAddress, "The phone number is not valid."},
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

// Stands in for the desktop's handler of tel: links.
class TelLinkReceiver : public QObject {
  Q_OBJECT

 public Q_SLOTS:
  void Open(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

class DesktopTelephonyTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallTelephony(nullptr);
    QDesktopServices::setUrlHandler(QStringLiteral("tel"), &receiver, "Open");
  }
  void TearDown() override { QDesktopServices::unsetUrlHandler(QStringLiteral("tel")); }

  int Dial(const QString& number) { return TelephonyService().RequestMakeCall({number, "Vantreo", "Ann", ""}); }

  TelLinkReceiver receiver;
};

TEST_F(DesktopTelephonyTest, NumberGoesOutAsPercentEncodedTelUri) {
  EXPECT_EQ(Dial(QStringLiteral("+1 (555) 010-9999 #2")), kDialAccepted);
  ASSERT_EQ(receiver.opened.size(), 1u);
  EXPECT_EQ(receiver.opened[0].toEncoded(), "tel:+1%20(555)%20010-9999%20%232");
}

TEST_F(DesktopTelephonyTest, BlankNumberIsRefusedWithoutOpeningAnything) {
  EXPECT_EQ(Dial(QString()), kDialInvalidAddress);
  EXPECT_EQ(Dial(QStringLiteral("   ")), kDialInvalidAddress);
  EXPECT_TRUE(receiver.opened.empty());
}

}  // namespace

#include "test_dialing.moc"
