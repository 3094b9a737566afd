// The Go To list and the hints of the main window: the groups of a record in
// several groups, the empty book's first steps, where the book is kept.
#include <gtest/gtest.h>

#include <ostream>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "core/GroupMembership.h"
#include "find/frmGoTo.h"
#include "core/GroupComboBox.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

QLineEdit* LookFor(QDialog& dialog) { return dialog.findChild<QLineEdit*>("txtLookFor"); }
QTableView* List(QDialog& dialog) { return dialog.findChild<QTableView*>("lstRecords"); }

// The names the list shows, top down, and the name of the chosen row.
QStringList ShownNames(QDialog& dialog) {
  const QAbstractItemModel* model = List(dialog)->model();
  QStringList names;
  for (int row = 0; row < model->rowCount(); ++row) names << model->index(row, 0).data().toString();
  return names;
}
QString ChosenName(QDialog& dialog) { return List(dialog)->currentIndex().siblingAtColumn(0).data().toString(); }

// The main window on a book in a deliberate order that is not alphabetical.
class GoToTest : public testing::Test {
 protected:
  void SetUp() override {
    book = BookWithGroups({"Work", "Family", "Choir"});
    AddRecord(book, "Mary Smith", "Globex").Group = 0;
    AddressRecord& anne = AddRecord(book, "Anne Brown");
    anne.Phones = {"", "(555) 010-0100", "", ""};
    anne.Group = 2;
    AddressRecord& jose = AddRecord(book, "José García", "Acme");
    jose.Phones = {"555-0101", "", "", "555-0199"};
    jose.Address = "1 Main St";
    StoreGroupSet(AddRecord(book, "Zoë Smith"), std::string("\0\1", 2));
    AddRecord(book, "Bob O'Neil").Notes = "Sings in the CHOIR\r\nsince 2001";
    book.FileName = "/home/user/Books/Friends.dat";
    window = std::make_unique<frmMain>(book, settings);
    window->RefreshView();
    ShowActive(*window);
  }

  // Opens the list with Ctrl+L in the name box and runs act on it; act closes it.
  void OnGoTo(std::function<void(QDialog&)> act) {
    bool shown = false;
    WhenModalShown([&](QDialog& dialog) {
      shown = true;
      EXPECT_EQ(dialog.objectName(), "frmGoTo");
      act(dialog);
      if (!dialog.isVisible()) return;
      ADD_FAILURE() << "the list is still open";
      dialog.reject();
    });
    ShowActive(*window);
    QTest::keyClick(window->txtName, Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(shown);
  }

  BookState book;
  ProgramSettings settings;
  std::unique_ptr<frmMain> window;
};

struct FilterCase {
  const char* name;
  QString typed;
  QStringList shown;  // in book order
};

// Names the case by what is typed, in test lists and failure reports.
void PrintTo(const FilterCase& c, std::ostream* out) { *out << '"' << c.typed.toStdString() << '"'; }

const FilterCase kFilterCases[] = {
    {"NothingTypedListsAllInBookOrder", "",
     {"Mary Smith", "Anne Brown", "Jos\u00E9 Garc\u00EDa", "Zo\u00EB Smith", "Bob O'Neil"}},
    {"AnyWordOfTheName", "smith", {"Mary Smith", "Zo\u00EB Smith"}},
    {"TheBeginningOfAWordOnly", "mith", {}},
    {"CaseAndAccentsIgnored", "JOSE GARCIA", {"Jos\u00E9 Garc\u00EDa"}},
    {"EveryWordMustMatch", "smith zo", {"Zo\u00EB Smith"}},
    {"Company", "acme", {"Jos\u00E9 Garc\u00EDa"}},
    {"GroupsOfASetAndASingleGroup", "work", {"Mary Smith", "Zo\u00EB Smith"}},
    {"NotesAnyLine", "since", {"Bob O'Neil"}},
    {"LastGroupOfTheListAndNotesAlike", "choir", {"Anne Brown", "Bob O'Neil"}},
    {"PhoneDigitsInsideANumber", "0199", {"Jos\u00E9 Garc\u00EDa"}},
    {"PhoneTypedWithPunctuation", "(555) 010-01", {"Anne Brown"}},
    {"PhoneNumberWithDashes", "555-0101", {"Jos\u00E9 Garc\u00EDa"}},
    {"AddressIsNotSearched", "main", {}},
    {"ApostropheSplitsWords", "o'neil", {"Bob O'Neil"}},
};

class GoToFilterTest : public GoToTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(GoToFilterTest, TypingNarrowsTheListAndEscapeChangesNothing) {
  const FilterCase& c = GetParam();
  window->GoToRecord(2);
  OnGoTo([&](QDialog& dialog) {
    QTest::keyClicks(LookFor(dialog), c.typed);
    EXPECT_EQ(ShownNames(dialog), c.shown);
    // The shown record stays chosen until something is typed, then the first match is.
    EXPECT_EQ(ChosenName(dialog), c.typed.isEmpty() ? QString("Jos\u00E9 Garc\u00EDa") : c.shown.value(0));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblCount")->text(),
              c.shown.isEmpty() ? QString("No record matches.") : QString("%1 of 5 records").arg(c.shown.size()));
    EXPECT_EQ(dialog.findChild<QPushButton*>("cmdOK")->isEnabled(), !c.shown.isEmpty());
    QTest::keyClick(LookFor(dialog), Qt::Key_Escape);
  });
  EXPECT_EQ(book.CurrentRecord, 2);
  EXPECT_EQ(window->txtName->text(), "Jos\u00E9 Garc\u00EDa");
  EXPECT_FALSE(book.Dirty);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoToFilterTest, testing::ValuesIn(kFilterCases),
                         [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST_F(GoToTest, OpensOnTheShownRecordAndEnterShowsTheChosenOne) {
  window->GoToRecord(3);
  OnGoTo([](QDialog& dialog) {
    EXPECT_EQ(ChosenName(dialog), "Zo\u00EB Smith");
    EXPECT_EQ(dialog.focusWidget(), LookFor(dialog));
    QTest::keyClicks(LookFor(dialog), "sm");
    EXPECT_EQ(ChosenName(dialog), "Mary Smith");
    QTest::keyClick(LookFor(dialog), Qt::Key_Down);
    EXPECT_EQ(ChosenName(dialog), "Zo\u00EB Smith");
    QTest::keyClick(LookFor(dialog), Qt::Key_Down);  // stays on the last
    QTest::keyClick(LookFor(dialog), Qt::Key_PageUp);
    EXPECT_EQ(ChosenName(dialog), "Mary Smith");
    QTest::keyClick(LookFor(dialog), Qt::Key_PageDown);
    EXPECT_EQ(ChosenName(dialog), "Zo\u00EB Smith");
    QTest::keyClick(LookFor(dialog), Qt::Key_Up);
    EXPECT_EQ(ChosenName(dialog), "Mary Smith");
    QTest::keyClicks(LookFor(dialog), "ith");  // typing goes on in the box
    EXPECT_EQ(LookFor(dialog)->text(), "smith");
    QTest::keyClick(LookFor(dialog), Qt::Key_Down);
    QTest::keyClick(LookFor(dialog), Qt::Key_Return);
  });
  EXPECT_EQ(book.CurrentRecord, 3);
  EXPECT_EQ(window->txtName->text(), "Zo\u00EB Smith");
  EXPECT_EQ(window->PromptText(), "Record 4 of 5");
  EXPECT_FALSE(book.Dirty);
  OnGoTo([](QDialog& dialog) {
    QTest::keyClicks(LookFor(dialog), "brown");
    QTest::keyClick(LookFor(dialog), Qt::Key_Enter);
  });
  EXPECT_EQ(window->txtName->text(), "Anne Brown");
}

TEST_F(GoToTest, DoubleClickShowsTheRecordAndEnterWithoutAMatchKeepsTheListOpen) {
  OnGoTo([](QDialog& dialog) {
    QTest::keyClicks(LookFor(dialog), "nobody");
    QTest::keyClick(LookFor(dialog), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    LookFor(dialog)->clear();
    QTableView* list = List(dialog);
    const QRect cell = list->visualRect(list->model()->index(4, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  });
  EXPECT_EQ(book.CurrentRecord, 4);
  EXPECT_EQ(window->txtName->text(), "Bob O'Neil");
}

TEST_F(GoToTest, TheListShowsNameCompanyFirstPhoneAndGroupsAndCancelChangesNothing) {
  window->GoToRecord(1);
  OnGoTo([](QDialog& dialog) {
    const QAbstractItemModel* model = List(dialog)->model();
    QStringList titles, jose, zoe;
    for (int column = 0; column < model->columnCount(); ++column) {
      titles << model->headerData(column, Qt::Horizontal).toString();
      jose << model->index(2, column).data().toString();
      zoe << model->index(3, column).data().toString();
    }
    EXPECT_EQ(titles, (QStringList{"Name", "Company", "Phone", "Groups"}));
    EXPECT_EQ(jose, (QStringList{"Jos\u00E9 Garc\u00EDa", "Acme", "555-0101", ""}));
    EXPECT_EQ(zoe, (QStringList{"Zo\u00EB Smith", "", "", "Family, Work"}));
    QTest::keyClicks(LookFor(dialog), "smith");
    dialog.findChild<QPushButton*>("cmdCancel")->click();
  });
  EXPECT_EQ(book.CurrentRecord, 1);
  EXPECT_EQ(window->txtName->text(), "Anne Brown");
}

TEST_F(GoToTest, HelpKeyAndButtonOpenTheTopic) {
  frmGoTo dialog(book);
  PressInActiveWindow(dialog, Qt::Key_F1);
  dialog.findChild<QPushButton*>("cmdHelp")->click();
  EXPECT_EQ(Fakes().help.topics, (std::vector<int>{1370, 1370}));
}

TEST_F(GoToTest, SeveralGroupsAreNamedInTheTooltipAndInThePromptWhileTheBoxHasTheFocus) {
  window->GoToRecord(3);
  EXPECT_EQ(window->cboGroups->currentText(), kMultipleGroupsText);
  EXPECT_EQ(window->cboGroups->toolTip(), "Groups: Family, Work");
  EXPECT_EQ(window->PromptText(), "Record 4 of 5");
  window->cboGroups->setFocus();
  EXPECT_EQ(window->PromptText(), "Groups: Family, Work");
  QTest::keyClick(window->cboGroups, Qt::Key_PageUp);  // the previous record has no set
  EXPECT_EQ(window->cboGroups->toolTip(), "");
  EXPECT_EQ(window->PromptText(), "Record 3 of 5");
  QTest::keyClick(window->cboGroups, Qt::Key_PageDown);
  EXPECT_EQ(window->PromptText(), "Groups: Family, Work");
  window->txtNotes->setFocus();
  EXPECT_EQ(window->PromptText(), "Record 4 of 5");
  EXPECT_FALSE(book.Dirty);
}

TEST_F(GoToTest, ThePositionPaneAndBookPropertiesTellWhereTheBookIsKept) {
  const QLabel* prompt = window->findChild<QLabel*>("Prompt");
  const QString properties = "Kept in: /home/user/Books/Friends.dat\nEdition: old format\nRecords: 5";
  EXPECT_EQ(prompt->toolTip(), properties);
  window->mnuFileProperties->trigger();
  EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair(MessageKind::Notice, properties)}));
  window->mnuRecordsAdd->trigger();
  EXPECT_TRUE(prompt->toolTip().endsWith("Records: 6"));
  EXPECT_EQ(window->windowTitle(), "Friends.dat - Vantreo");
}

// A first start: no book named in the settings.
TEST(FirstStart, TheEmptyBookSaysHowToBeginUntilARecordIsAdded) {
  BookState book;
  ProgramSettings settings;
  frmMain window(book, settings);
  window.Form_Load();
  ShowActive(window);
  EXPECT_EQ(window.PromptText(), "No records");
  EXPECT_EQ(window.txtNotes->placeholderText(),
            "This address book has no contacts yet.\nAdd Record (Ctrl+A) adds the first contact.\n"
            "File, Import brings contacts from other programs.");
  EXPECT_EQ(window.findChild<QLabel*>("Prompt")->toolTip(), "Kept in: not saved yet\nEdition: old format\nRecords: 0");
  EXPECT_FALSE(window.mnuRecordsGoTo->isEnabled());
  bool opened = false;
  QTimer::singleShot(0, [&opened] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      opened = true;
      dialog->reject();
    }
  });
  QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
  QApplication::processEvents();  // the check runs here when no list was opened
  EXPECT_FALSE(opened);
  QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(window.txtNotes->placeholderText(), "");
  EXPECT_TRUE(window.mnuRecordsGoTo->isEnabled());
}

}  // namespace
