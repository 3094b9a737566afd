// The window's sync runs in the background: the window stays in use, edits
// made meanwhile are kept, a sync is abandoned safely at exit, and the
// account's options start syncs after a save and at start-up.
#include <QFile>
#include <QLabel>
#include <QStatusBar>

#include "mainwindow/frmSyncConflict.h"
#include "mainwindow/frmSyncOptions.h"
#include "platform/ExitCleanup.h"
#include "support/FakePlatform.h"
#include "sync/SyncWindowFixture.h"

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SyncBackgroundTest : public SyncWindowTest {
 protected:
  QString StatePath() const { return SyncStatePathOfBook(book.FileName); }
  QString Message() const { return window->statusBar()->currentMessage(); }

  // Types text over the shown phone number, as the user does.
  void TypePhone(const QString& text) {
    ShowActive(*window);
    window->txtPhone->selectAll();
    QTest::keyClicks(window->txtPhone, text);
  }
  const std::string& ShownPhone() const { return book.Current().Phones[static_cast<size_t>(book.Current().WhichPhone)]; }
  // The messages shown about syncs (others may offer recovery files of other tests).
  std::vector<QString> SyncMessages() const {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown)
      if (text.contains(QLatin1String("sync"), Qt::CaseInsensitive)) texts.push_back(text);
    return texts;
  }

  QUrl ada;
  void SetUp() override {
    SyncWindowTest::SetUp();
    ada = CardUrl("ada.vcf");
  }
};

TEST_F(SyncBackgroundTest, TheWindowStaysInUseWhileSyncingAndAnEditMadeMeanwhileIsKeptAndGoesUpNext) {
  server.Put(ada, Card("ada", "Ada Lovelace", "TEL;TYPE=HOME:1\r\n"));
  SetUpAccount();
  ASSERT_EQ(book.RecordCount(), 1);
  server.Put(ada, Card("ada", "Ada Lovelace", "ORG:Analytical Engines\r\nTEL;TYPE=HOME:1\r\n"));
  server.Put(CardUrl("bob.vcf"), Card("bob", "Bob Babbage"));

  server.Pause();  // the sync stays in progress until the server answers again
  window->mnuFileSync->trigger();
  ASSERT_TRUE(window->IsSyncing());
  const auto* progress = window->statusBar()->findChild<QLabel*>(QStringLiteral("SyncProgress"));
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  EXPECT_EQ(progress->text(), QStringLiteral("Syncing with Contacts..."));
  TypePhone(QStringLiteral("555"));
  EXPECT_EQ(ShownPhone(), "555");
  window->mnuFileSync->trigger();
  ASSERT_EQ(SyncMessages().size(), 1u);
  EXPECT_TRUE(SyncMessages()[0].contains(QLatin1String("already running")));
  server.Resume();
  ASSERT_TRUE(WaitForSync());

  EXPECT_FALSE(progress->isVisible());
  ASSERT_EQ(book.RecordCount(), 2);
  EXPECT_NE(Named(book, "Bob Babbage"), nullptr);
  const AddressRecord* kept = Named(book, "Ada Lovelace");
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Company, "Analytical Engines");  // the server's change to a field the window left alone
  EXPECT_NE(std::find(kept->Phones.begin(), kept->Phones.end(), "555"), kept->Phones.end());
  EXPECT_TRUE(Message().startsWith(QLatin1String("Edits made meanwhile kept, nothing lost. Synced with Contacts: 1 added here"))) << Message().toStdString();
  EXPECT_FALSE(book.Dirty);

  window->mnuFileSync->trigger();
  ASSERT_TRUE(WaitForSync());
  const QByteArray card = server.Get(ada);
  EXPECT_TRUE(card.contains("555") && card.contains("Analytical Engines")) << card.constData();
}

TEST_F(SyncBackgroundTest, ASameFieldConflictIsAskedInTheWindowWhileTheSyncWaitsForTheAnswer) {
  server.Put(ada, Card("ada", "Ada Lovelace", "TEL;TYPE=HOME:1\r\n"));
  SetUpAccount();
  server.Put(ada, Card("ada", "Ada Lovelace", "TEL;TYPE=HOME:2-server\r\n"));
  TypePhone(QStringLiteral("2-here"));
  QString here, there;
  WhenModalShown([&](QDialog& dialog) {
    auto& question = dynamic_cast<frmSyncConflict&>(dialog);
    here = question.findChild<QLabel*>(QStringLiteral("lblHere"))->text();
    there = question.findChild<QLabel*>(QStringLiteral("lblServer"))->text();
    EXPECT_TRUE(window->IsSyncing());
    question.cmdKeepServer->click();
  });
  window->mnuFileSync->trigger();
  ASSERT_TRUE(WaitForSync());
  EXPECT_TRUE(here.startsWith(QLatin1String("2-here"))) << here.toStdString();
  EXPECT_TRUE(there.startsWith(QLatin1String("2-server"))) << there.toStdString();
  EXPECT_EQ(ShownPhone(), "2-server");
  EXPECT_EQ(book.RecordCount(), 1);
}

// How the program ends while a sync waits for the server.
struct Ending {
  const char* name;
  bool menuExit;  // File, Exit; else the termination path (a signal)
};

class SyncAtExitTest : public SyncBackgroundTest, public testing::WithParamInterface<Ending> {};

TEST_P(SyncAtExitTest, AbandonsTheSyncLeavesBookAndStateAsTheyWereAndTheNextSyncPicksUp) {
  server.Put(ada, Card("ada", "Ada Lovelace"));
  SetUpAccount();
  const std::vector<AddressRecord> records = book.Records;
  const QByteArray state = Contents(StatePath());
  ASSERT_FALSE(state.isEmpty());
  server.Put(CardUrl("bob.vcf"), Card("bob", "Bob Babbage"));
  server.Pause();
  window->mnuFileSync->trigger();
  ASSERT_TRUE(window->IsSyncing());

  if (GetParam().menuExit) {
    window->mnuFileExit->trigger();
    EXPECT_FALSE(window->IsSyncing());
    EXPECT_FALSE(window->isVisible());
  } else {
    RunExitCleanups();
  }
  window.reset();
  EXPECT_EQ(book.Records, records);
  EXPECT_EQ(Contents(StatePath()), state);

  server.Resume();
  OpenWindow();
  window->mnuFileSync->trigger();
  ASSERT_TRUE(WaitForSync());
  EXPECT_NE(Named(book, "Bob Babbage"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Endings, SyncAtExitTest, testing::Values(Ending{"FileExit", true}, Ending{"Terminated", false}),
                         [](const testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

class SyncAfterSaveTest : public SyncBackgroundTest, public testing::WithParamInterface<bool> {};

TEST_P(SyncAfterSaveTest, ASaveStartsASyncOnlyWhenTheAccountSaysSo) {
  server.Put(ada, Card("ada", "Ada Lovelace", "TEL;TYPE=HOME:1\r\n"));
  SetUpAccount([](frmSync& account) { account.Options.chkSyncAfterSave->setChecked(GetParam()); });
  TypePhone(QStringLiteral("777"));
  window->mnuFileSave->trigger();
  EXPECT_FALSE(book.Dirty);
  EXPECT_EQ(window->IsSyncing(), GetParam());
  ASSERT_TRUE(WaitForSync());
  EXPECT_EQ(server.Get(ada).contains("777"), GetParam());
  EXPECT_TRUE(SyncMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(Setting, SyncAfterSaveTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "On" : "Off"; });

// Without a keyring, the password typed for the account serves the
// session's automatic syncs; their failures go to the status bar only.
TEST_F(SyncBackgroundTest, AnAutomaticSyncThatFailsSaysSoInTheStatusBarWithoutAMessageBox) {
  struct : Keyring {
    bool Read(const QString&, QString&, QString& error) override { return error = QStringLiteral("no keyring"), false; }
    bool Write(const QString&, const QString&, QString& error) override { return error = QStringLiteral("no keyring"), false; }
  } none;
  InstallKeyring(&none);
  server.Put(ada, Card("ada", "Ada Lovelace", "TEL;TYPE=HOME:1\r\n"));
  SetUpAccount([](frmSync& account) { account.Options.chkSyncAfterSave->setChecked(true); });
  server.Stop();
  TypePhone(QStringLiteral("888"));
  window->mnuFileSave->trigger();
  ASSERT_TRUE(window->IsSyncing());
  ASSERT_TRUE(WaitForSync());
  EXPECT_TRUE(SyncMessages().empty());
  EXPECT_TRUE(Message().contains(QLatin1String("was not synced with Contacts"))) << Message().toStdString();
  EXPECT_EQ(ShownPhone(), "888");
  EXPECT_FALSE(book.Dirty);
}

TEST_F(SyncBackgroundTest, SyncOptionsChangeTheAccountsOptionsOnceItIsSetUp) {
  window->mnuFileSyncOptions->trigger();
  ASSERT_EQ(SyncMessages().size(), 1u);
  EXPECT_TRUE(SyncMessages()[0].contains(QLatin1String("does not sync yet")));
  SetUpAccount();
  QString account;
  WhenModalShown([&](QDialog& dialog) {
    auto& options = dynamic_cast<frmSyncOptions&>(dialog);
    account = options.lblAccount->text();
    EXPECT_FALSE(options.Options.chkSyncAfterSave->isChecked());
    options.Options.chkSyncAfterSave->setChecked(true);
    options.cmdOK->click();
  });
  window->mnuFileSyncOptions->trigger();
  EXPECT_TRUE(account.contains(QLatin1String("Contacts")) && account.contains(server.User())) << account.toStdString();
  SyncState stored;
  QString error;
  ASSERT_TRUE(LoadSyncState(StatePath(), stored, error));
  EXPECT_TRUE(stored.SyncAfterSave);
  EXPECT_EQ(stored.Account.AddressBook, addressBook);
}

TEST_F(SyncBackgroundTest, OpeningTheBookAtStartUpSyncsItWhenTheAccountSaysSo) {
  SetUpAccount([](frmSync& account) { account.Options.chkSyncAtStartUp->setChecked(true); });
  SyncState stored;
  QString error;
  ASSERT_TRUE(LoadSyncState(StatePath(), stored, error)) << error.toStdString();
  EXPECT_TRUE(stored.SyncAtStartUp);
  EXPECT_FALSE(stored.SyncAfterSave);
  server.Put(CardUrl("bob.vcf"), Card("bob", "Bob Babbage"));

  OpenWindow(book.FileName);  // the program started with this book
  EXPECT_TRUE(window->IsSyncing());
  ASSERT_TRUE(WaitForSync());
  EXPECT_NE(Named(book, "Bob Babbage"), nullptr);
  EXPECT_TRUE(SyncMessages().empty());
}

}  // namespace
