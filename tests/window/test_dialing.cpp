#include <gtest/gtest.h>

#include <optional>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/BookState.h"
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
    return result;
  }

  int result = kDialAccepted;
  std::optional<DialRequest> last;
};

TEST(DialNumber, HandsOverTheShownNumberUnchangedAndReportsARefusal) {
  FakeTelephony telephony;
  InstallTelephony(&telephony);
  AddressRecord record;
  record.Name = "Ann Lee";
  record.Company = "Lee Plumbing";
  record.Phones = {"555-0100", "555-0101", "", " +1 (555) 010-9999 ext. 12 "};
  for (const auto& [printAs, slot, party] : {std::tuple{kPrintAsBusiness, 3, "Lee Plumbing"}, {kPrintAsPerson, 1, "Ann Lee"}}) {
    record.PrintAs = printAs;
    DialNumber(record, slot, "FRIENDS.DAT - Vantreo");
    const DialRequest& sent = *telephony.last;
    EXPECT_EQ(QStringList({sent.DestinationAddress, sent.ApplicationName, sent.CalledParty, sent.Comment}),
              QStringList({QString::fromStdString(record.Phones[static_cast<size_t>(slot)]), "FRIENDS.DAT - Vantreo",
                           party, ""}));
  }
  EXPECT_TRUE(Fakes().messages.shown.empty());
  const std::pair<int, const char*> refusals[] = {
      {kDialNoRecipient, "No application for tel: links is set up on this computer. Install a dialing application, "
                         "such as a softphone, and make it the default application for tel: links."},
      {kDialQueueFull, "The queue of pending dialing requests is full."},
      {kDialInvalidAddress, "The phone number is not valid."},
      {kDialHandlerFailed, "The application set up for tel: links could not be started."},
      {-17, "Unknown error."},
  };
  for (const auto& [result, description] : refusals) {
    Fakes().messages.shown.clear();
    telephony.result = result;
    DialNumber(record, 1, "Untitled - Vantreo");
    EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair{MessageKind::Notice,
                                                             QStringLiteral("Error dialing number : ") + description}}));
  }
  InstallTelephony(nullptr);
}

// On a desktop of the test's own, seen by the desktop tools through the XDG
// variables, the number goes out as a tel: link only to an application that
// is there and starts.
TEST(DesktopTelephony, NumberGoesOutAsTelLinkToTheDefaultApplicationAndItsAbsenceIsReported) {
  QTemporaryDir dir;
  for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"}) qunsetenv(name);
  QDir(dir.path()).mkpath("data/applications");
  for (const auto& [name, folder] : {std::pair{"XDG_CONFIG_HOME", "."}, {"XDG_CONFIG_DIRS", "none"},
                                     {"XDG_DATA_HOME", "data"}, {"XDG_DATA_DIRS", "none"}})
    qputenv(name, QFile::encodeName(dir.filePath(QString::fromLatin1(folder))));
  QStandardPaths::setTestModeEnabled(false);  // the folders above are the test's own
  const auto makeDefault = [&dir](const char* program) {
    WriteBytes(dir.filePath("mimeapps.list"), "[Default Applications]\nx-scheme-handler/tel=phone.desktop\n");
    WriteBytes(dir.filePath("data/applications/phone.desktop"),
               "[Desktop Entry]\nType=Application\nName=Phone\nMimeType=x-scheme-handler/tel;\nExec=" +
                   dir.filePath(program).toStdString() + " %u\n");
  };
  AddressRecord record;
  record.Phones[0] = "555-0100";
  DialNumber(record, 0, "Untitled - Vantreo");
  makeDefault("no-such-program");
  DialNumber(record, 0, "Untitled - Vantreo");
  ASSERT_EQ(Fakes().messages.shown.size(), 2u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Error dialing number : No application for tel: links"));
  EXPECT_EQ(Fakes().messages.shown[1].second,
            "Error dialing number : The application set up for tel: links could not be started.");
  // An application that writes the link it is given into a file.
  WriteBytes(dir.filePath("record-tel"), "#!/bin/sh\nprintf %s \"$1\" > \"$0.received\"\n");
  QFile::setPermissions(dir.filePath("record-tel"), QFile::ReadOwner | QFile::ExeOwner);
  makeDefault("record-tel");
  EXPECT_EQ(TelephonyService().RequestMakeCall({"   ", "Vantreo", "Ann", ""}), kDialInvalidAddress);
  EXPECT_EQ(TelephonyService().RequestMakeCall({"+1 (555) 010-9999 #2", "Vantreo", "Ann", ""}), kDialAccepted);
  const QString received = dir.filePath("record-tel.received");
  for (int waited = 0; waited < 5000 && !QFile::exists(received); waited += 50) QTest::qWait(50);
  EXPECT_EQ(ReadBytes(received), "tel:+1%20(555)%20010-9999%20%232");
  QStandardPaths::setTestModeEnabled(true);
}

}  // namespace
