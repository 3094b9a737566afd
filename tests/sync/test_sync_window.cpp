// File, Sync in the main window, against a private Radicale: the account
// dialog (its search, its warning before plain HTTP, its keep-deleted choice),
// the first sync's preview, and an edit made in the window going up.
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QStatusBar>

#include "core/DataFile.h"
#include "core/ProgramSettings.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmSync.h"
#include "mainwindow/frmSyncConflict.h"
#include "mainwindow/frmSyncPreview.h"
#include "mainwindow/OneLineField.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/WindowKeys.h"
#include "sync/SyncWindowFixture.h"

namespace {

const QByteArray kFullCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:full\r\nFN:Grace Hopper\r\nN:Hopper;Grace;;;\r\nEMAIL:grace@navy.example\r\n"
    "BDAY:1906-12-09\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ==\r\nTEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\n"
    "TEL;TYPE=CELL:3\r\nTEL;TYPE=FAX:4\r\nTEL;TYPE=PAGER:5\r\nEND:VCARD\r\n";

TEST_F(SyncTest, APhoneEditedInTheWindowGoesUpAndTheCardKeepsItsPhotoEmailBirthdayAndFivePhones) {
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");  // never the desktop's own keyring: the password is asked
  const QUrl card = CardUrl("full.vcf");
  server.Put(card, kFullCard);
  QTemporaryDir dir;
  BookState book = UnicodeBook();
  book.FileName = dir.filePath(QStringLiteral("book.dat"));
  ASSERT_TRUE(SaveDocument(book).Succeeded());
  ProgramSettings settings;
  auto first = std::make_unique<frmMain>(book, settings);
  first->SetStatusPanes();
  ShowActive(*first);

  QString preview;
  WhenModalShown([&](QDialog& dialog) {
    auto& account = dynamic_cast<frmSync&>(dialog);
    FindAddressBooks(account, server.Root().toString(), server.User(), server.Password());
    WhenModalShown([&](QDialog& shown) {
      preview = dynamic_cast<frmSyncPreview&>(shown).txtPlan->toPlainText();
      shown.accept();
    });
    account.cmdOK->click();
  });
  first->mnuFileSync->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !first->IsSyncing(); }, 120000));
  EXPECT_TRUE(preview.contains(QLatin1String("To add here (1):\n    Grace Hopper"))) << preview.toStdString();
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_FALSE(book.Dirty);  // the sync saved the book

  first.reset();  // the next session has no password until it asks for one
  frmMain window(book, settings);
  window.SetStatusPanes();
  ShowActive(window);
  window.optWhichPhone[1]->click();
  window.txtPhone->selectAll();
  QTest::keyClicks(window.txtPhone, QStringLiteral("2-new"));
  ASSERT_EQ(book.Records[0].Phones[1], "2-new");
  WhenModalShown([&](QDialog& dialog) {
    static_cast<QInputDialog&>(dialog).setTextValue(server.Password());
    dialog.accept();
  });
  QTest::keyClick(window.txtPhone, Qt::Key_Y, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.IsSyncing(); }, 120000));
  EXPECT_TRUE(window.statusBar()->currentMessage().contains(QLatin1String("1 updated on the server")));
  const QByteArray after = server.Get(card);
  for (const char* kept : {"EMAIL:grace@navy.example", "BDAY:1906-12-09", "/9j/4AAQSkZJRgABAQ==", ":1\r\n", ":3\r\n", ":4\r\n", ":5\r\n", "2-new"})
    EXPECT_TRUE(after.contains(kept)) << kept << "\n" << after.constData();
  EXPECT_FALSE(after.contains(":2\r\n"));
}

// The account dialog on its own, finding address books with the test's server.
class SyncAccountDialogTest : public SyncTest {
 protected:
  frmSync dialog{[this](const QString& user, const QString& password) {
    ++clientsMade;
    return std::make_unique<QtHttpClient>(user, password);
  }};
  int clientsMade = 0;

  QStringList Find(const QUrl& at) {
    FindAddressBooks(dialog, at.toString(), server.User(), server.Password());
    QStringList listed;
    for (int i = 0; i < dialog.cboAddressBook->count(); ++i) listed << dialog.cboAddressBook->itemText(i);
    return listed;
  }
};

TEST_F(SyncAccountDialogTest, ASecondSearchShowsOnlyTheAddressBooksItFound) {
  server.AddAddressBook(QStringLiteral("work"), QStringLiteral("Work contacts"));
  QStringList first = Find(server.Root());
  first.sort();
  EXPECT_EQ(first, (QStringList{QStringLiteral("Contacts"), QStringLiteral("Work contacts")}));
  EXPECT_EQ(Find(addressBook), QStringList{QStringLiteral("Contacts")});
  EXPECT_EQ(dialog.Account().AddressBook, addressBook);
  EXPECT_TRUE(dialog.cmdOK->isEnabled());
}

TEST_F(SyncAccountDialogTest, PlainHttpToAnotherComputerIsAskedFirstAndRefusedSendsNothing) {
  EXPECT_TRUE(Find(QUrl(QStringLiteral("http://192.0.2.1/"))).isEmpty());
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::Confirmation);
  EXPECT_TRUE(Fakes().messages.shown[0].second.contains(QLatin1String("unencrypted")));
  EXPECT_EQ(clientsMade, 0);
  EXPECT_FALSE(dialog.cmdOK->isEnabled());
  EXPECT_FALSE(Find(server.Root()).isEmpty());  // this computer: not asked
  EXPECT_EQ(Fakes().messages.shown.size(), 1u);
}

// The window syncing with the test's server, on a book that holds records.
class SyncInWindowTest : public SyncWindowTest {
 protected:
  void OpenWith(const std::vector<const char*>& names) {
    for (const char* name : names) AddRecord(book, name, "1");
    ASSERT_TRUE(SaveDocument(book).Succeeded());
    OpenWindow();
  }
  SyncState SavedState() const {
    SyncState state;
    QString error;
    EXPECT_TRUE(LoadSyncState(SyncStatePathOfBook(book.FileName), state, error)) << error.toStdString();
    return state;
  }
};

// Keeping deleted cards, chosen in the account dialog, holds for the book's
// later syncs from the window: a deletion on either side leaves the other's copy.
TEST_F(SyncInWindowTest, KeepingDeletedCardsChosenInTheAccountDialogHoldsForLaterSyncs) {
  OpenWith({"Deleted Here", "Deleted There"});
  SetUpAccount([](frmSync& account) { account.findChild<QCheckBox*>(QStringLiteral("chkKeepDeleted"))->setChecked(true); });
  EXPECT_TRUE(SavedState().KeepDeleted);
  ASSERT_EQ(server.CardsIn(addressBook).size(), 2);

  const int deleted = server.Delete(CardUrl(qPrintable(QString::fromStdString(Named(book, "Deleted There")->Uid) + QStringLiteral(".vcf"))));
  ASSERT_TRUE(deleted >= 200 && deleted < 300) << deleted;
  ASSERT_EQ(book.Current().Name, "Deleted Here");
  Fakes().messages.answers.push_back(MessageAnswer::Yes);
  window->mnuRecordsDelete->trigger();
  ASSERT_EQ(book.RecordCount(), 1);
  window->mnuFileSync->trigger();
  ASSERT_TRUE(WaitForSync());
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Name, "Deleted There");
  EXPECT_TRUE(SavedState().KeepDeleted);
}

struct ConflictAnswer {
  const char* Name;
  QPushButton* frmSyncConflict::*Button;
  std::vector<const char*> PhonesHere;  // the records' first phones afterwards
};

class SyncConflictInWindowTest : public SyncInWindowTest, public testing::WithParamInterface<ConflictAnswer> {};

TEST_P(SyncConflictInWindowTest, APhoneChangedOnBothSidesIsAskedAndTheAnswerHoldsOnBothSides) {
  server.Put(CardUrl("c.vcf"), Card("c", "Linus Pauling", "TEL;TYPE=HOME:100\r\n"));
  SetUpAccount();
  server.Put(CardUrl("c.vcf"), server.Get(CardUrl("c.vcf")).replace(":100", ":300"));
  ShowActive(*window);
  window->txtPhone->selectAll();
  QTest::keyClicks(window->txtPhone, QStringLiteral("200"));
  ASSERT_EQ(book.Records[0].Phones[0], "200");
  WhenModalShown([](QDialog& dialog) { (dynamic_cast<frmSyncConflict&>(dialog).*GetParam().Button)->click(); });
  window->mnuFileSync->trigger();
  ASSERT_TRUE(WaitForSync());
  std::vector<std::string> phones;
  for (const AddressRecord& record : book.Records) phones.push_back(record.Phones[0]);
  EXPECT_EQ(phones, std::vector<std::string>(GetParam().PhonesHere.begin(), GetParam().PhonesHere.end()));
  QStringList onServer;
  for (const QString& card : server.CardsIn(addressBook)) onServer << QString::fromUtf8(server.Get(QUrl(card)));
  ASSERT_EQ(onServer.size(), static_cast<qsizetype>(phones.size()));
  for (const std::string& phone : phones)
    EXPECT_EQ(onServer.filter(QStringLiteral(":%1\r\n").arg(QString::fromStdString(phone))).size(), 1) << phone;
}

INSTANTIATE_TEST_SUITE_P(Answers, SyncConflictInWindowTest,
                         testing::Values(ConflictAnswer{"ThisBooks", &frmSyncConflict::cmdKeepHere, {"200"}},
                                         ConflictAnswer{"TheServers", &frmSyncConflict::cmdKeepServer, {"300"}},
                                         ConflictAnswer{"Both", &frmSyncConflict::cmdKeepBoth, {"300", "200"}}),
                         [](const testing::TestParamInfo<ConflictAnswer>& info) { return std::string(info.param.Name); });

}  // namespace
