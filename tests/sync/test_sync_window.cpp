// File, Sync in the main window, against a private Radicale: the account
// dialog, the first sync's preview, and an edit made in the window going up.
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
  auto first = std::make_unique<frmMain>(book, settings);
  first->SetStatusPanes();
  ShowActive(*first);

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

}  // namespace
