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
#include "mainwindow/frmSyncPreview.h"
#include "mainwindow/OneLineField.h"
#include "platform/StandardLocations.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/WindowKeys.h"
#include "sync/SyncFixture.h"

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
  frmMain window(book, settings);
  window.SetStatusPanes();
  ShowActive(window);

  QString preview;
  WhenModalShown([&](QDialog& dialog) {
    auto& account = dynamic_cast<frmSync&>(dialog);
    account.txtServer->setText(server.Root().toString());
    account.txtUser->setText(server.User());
    account.txtPassword->setText(server.Password());
    account.cmdFind->click();
    WhenModalShown([&](QDialog& shown) {
      preview = dynamic_cast<frmSyncPreview&>(shown).txtPlan->toPlainText();
      shown.accept();
    });
    account.cmdOK->click();
  });
  window.mnuFileSync->trigger();
  EXPECT_TRUE(preview.contains(QLatin1String("To add here (1):\n    Grace Hopper"))) << preview.toStdString();
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_FALSE(book.Dirty);  // the sync saved the book

  ShowActive(window);  // active again after the dialogs
  window.optWhichPhone[1]->click();
  window.txtPhone->selectAll();
  QTest::keyClicks(window.txtPhone, QStringLiteral("2-new"));
  ASSERT_EQ(book.Records[0].Phones[1], "2-new");
  WhenModalShown([&](QDialog& dialog) {
    static_cast<QInputDialog&>(dialog).setTextValue(server.Password());
    dialog.accept();
  });
  QTest::keyClick(window.txtPhone, Qt::Key_Y, Qt::ControlModifier);
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
    dialog.txtServer->setText(at.toString());
    dialog.txtUser->setText(server.User());
    dialog.txtPassword->setText(server.Password());
    dialog.cmdFind->click();
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

// Keeping deleted cards, chosen in the account dialog, holds for the book's
// later syncs from the window: a deletion on either side leaves the other's copy.
TEST_F(SyncTest, KeepingDeletedCardsChosenInTheAccountDialogHoldsForLaterSyncs) {
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");  // never the desktop's own keyring: the password is asked
  QTemporaryDir dir;
  BookState book = UnicodeBook();
  AddRecord(book, "Deleted Here", "1");
  const std::string goneThere = AddRecord(book, "Deleted There", "2").Uid;
  book.FileName = dir.filePath(QStringLiteral("book.dat"));
  ASSERT_TRUE(SaveDocument(book).Succeeded());
  const QString statePath = SyncStatePath(SyncFolder(), CanonicalPath(book.FileName));
  const auto stateWhen = [&statePath](const std::function<bool(const SyncState&)>& wanted) {
    return QTest::qWaitFor([&] {
      SyncState state;
      QString error;
      return LoadSyncState(statePath, state, error) && wanted(state);
    }, 120000);
  };
  ProgramSettings settings;
  frmMain window(book, settings);
  window.SetStatusPanes();
  ShowActive(window);

  WhenModalShown([&](QDialog& dialog) {
    auto& account = dynamic_cast<frmSync&>(dialog);
    account.txtServer->setText(server.Root().toString());
    account.txtUser->setText(server.User());
    account.txtPassword->setText(server.Password());
    account.cmdFind->click();
    account.findChild<QCheckBox*>(QStringLiteral("chkKeepDeleted"))->setChecked(true);
    WhenModalShown([](QDialog& preview) { preview.accept(); });
    account.cmdOK->click();
  });
  window.mnuFileSync->trigger();
  ASSERT_TRUE(stateWhen([](const SyncState& state) { return state.KeepDeleted && state.Cards.size() == 2; }));
  ASSERT_EQ(server.CardsIn(addressBook).size(), 2);

  const int deleted = server.Delete(CardUrl(qPrintable(QString::fromStdString(goneThere) + QStringLiteral(".vcf"))));
  ASSERT_TRUE(deleted >= 200 && deleted < 300) << deleted;
  ShowActive(window);
  ASSERT_EQ(book.Records.at(static_cast<size_t>(book.CurrentRecord)).Name, "Deleted Here");
  Fakes().messages.answers.push_back(MessageAnswer::Yes);
  window.mnuRecordsDelete->trigger();
  ASSERT_EQ(book.RecordCount(), 1);
  WhenModalShown([&](QDialog& dialog) {
    static_cast<QInputDialog&>(dialog).setTextValue(server.Password());
    dialog.accept();
  });
  window.mnuFileSync->trigger();
  ASSERT_TRUE(stateWhen([](const SyncState& state) { return state.Unlinked.size() == 1; }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.statusBar()->currentMessage().startsWith(QLatin1String("Synced with")); }, 120000));
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Name, "Deleted There");
}

}  // namespace
