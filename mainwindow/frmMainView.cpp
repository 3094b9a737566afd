// The record view of the main window: showing the current record,
// navigation and the window caption.
#include <algorithm>
#include <vector>

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "core/ErrorText.h"
#include "core/FileTitle.h"
#include "core/GroupComboBox.h"
#include "core/GroupMembership.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "core/BookText.h"
#include "platform/Collation.h"
#include "platform/SystemBeep.h"

namespace {

void SetBoxText(QWidget* box, const std::string& text, bool unicode) {
  if (auto* line = qobject_cast<OneLineField*>(box)) {
    line->SetUnicode(unicode);
    line->SetFieldText(ShownText(text));
  } else {
    static_cast<MultiLineField*>(box)->SetUnicode(unicode);
    static_cast<MultiLineField*>(box)->SetFieldText(ShownText(text));
  }
}

}  // namespace

QString frmMain::FieldText(int i) const {
  QWidget* box = txtFields[static_cast<size_t>(i)];
  if (auto* line = qobject_cast<QLineEdit*>(box)) return line->text();
  return static_cast<MultiLineField*>(box)->FieldText();
}

void frmMain::GoToRecord(int n) {
  if (n >= book_.RecordCount() || n < 0) {
    Beeper().Beep();
    return;
  }
  book_.CurrentRecord = n;
  ShowRecord();
}

void frmMain::ShowRecord() {
  Updating = true;
  if (book_.RecordCount() > 0) {
    const AddressRecord& record = book_.Current();
    SetBoxText(txtName, record.Name, book_.IsUnicode());
    SetBoxText(txtCompany, record.Company, book_.IsUnicode());
    SetBoxText(txtPhone, record.Phones[static_cast<size_t>(record.WhichPhone)], book_.IsUnicode());
    SetBoxText(txtAddress, record.Address, book_.IsUnicode());
    SetBoxText(txtNotes, record.Notes, book_.IsUnicode());
    SetChecked(printAsGroup_, record.PrintAs);
    ShowPhoneCaptions(record);
    SetChecked(whichPhoneGroup_, record.WhichPhone);
    cboGroups->SelectCode(record.Group);
    ShowRecordPosition();
    scrCurrRecord->setRange(0, book_.RecordCount() - 1);
    scrCurrRecord->setValue(book_.CurrentRecord);
  } else {
    ShowEmptyView();
  }
  ShowGuidance();
  Updating = false;
}

void frmMain::ShowPhoneCaptions(const AddressRecord& record) {
  for (int i = 0; i < 4; ++i) {
    const int index = record.PhoneNameIndex[static_cast<size_t>(i)];
    const QString name = index >= 0 && index < book_.PhoneNameCount()
                             ? ShownText(book_.PhoneNames[static_cast<size_t>(index)])
                             : QStringLiteral("<Blank>");
    // A literal '&' in a phone name must not become an access key.
    optWhichPhone[static_cast<size_t>(i)]->setText(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QString(name).replace('&', QStringLiteral("&&"))));
  }
}

void frmMain::ShowEmptyView() {
  for (QWidget* box : txtFields) SetBoxText(box, {}, book_.IsUnicode());
  for (int i = 0; i < 4; ++i) optWhichPhone[static_cast<size_t>(i)]->setText(QStringLiteral("&%1").arg(i + 1));
  cboGroups->setCurrentIndex(-1);
  ShowRecordPosition();
  EnableRecordControls(false);
}

void frmMain::ShowRecordPosition() {
  refusalTimer_->stop();
  const QString groups = GroupsPromptText();
  promptPane_->setText(!groups.isEmpty()             ? groups
                       : book_.RecordCount() == 0 ? QStringLiteral("No records")
                                                  : QStringLiteral("Record %1 of %2")
                                                        .arg(book_.CurrentRecord + 1)
                                                        .arg(book_.RecordCount()));
}

// Says in the Prompt pane, for a few seconds, why input was kept out of a box.
void frmMain::ShowInputRefusal(const QString& reason) {
  promptPane_->setText(reason);
  refusalTimer_->start();
}

void frmMain::SetChecked(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) {
    button->setChecked(true);
    return;
  }
  // No option for the value: none is selected.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(false);
  group->setExclusive(true);
}

void frmMain::RefreshView() {
  RebuildGroupChoices();
  if (book_.RecordCount() > 0) EnableRecordControls(true);
  ShowRecord();
  setWindowTitle(FileTitleOf(book_.FileName) + QStringLiteral(" - ") + QLatin1String(kProgramTitle));
}

void frmMain::RebuildGroupChoices() {
  const QSignalBlocker blocker(cboGroups);
  cboGroups->clear();
  std::vector<int> order(static_cast<size_t>(book_.GroupCount()));
  for (int i = 0; i < book_.GroupCount(); ++i) order[static_cast<size_t>(i)] = i;
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return CompareUtf8IgnoringCase(book_.Groups[static_cast<size_t>(a)], book_.Groups[static_cast<size_t>(b)]) < 0;
  });
  cboGroups->addItem(QLatin1String(kUngroupedText), int{kNoGroup});
  cboGroups->addItem(QLatin1String(kMultipleGroupsText), int{kMultipleGroups});
  for (const int g : order) cboGroups->addItem(ShownText(book_.Groups[static_cast<size_t>(g)]), g);
}

void frmMain::scrCurrRecord_Scroll(int position) {
  if (position < 0 || position >= book_.RecordCount()) return;
  refusalTimer_->stop();
  const AddressRecord& record = book_.Records[static_cast<size_t>(position)];
  promptPane_->setText(ShownText(record.PrintAs == kPrintAsBusiness ? record.Company : record.Name));
}

bool frmMain::HandleNavigationKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool control = modifiers & Qt::ControlModifier;
  if (key == Qt::Key_PageDown && !control) GoToRecord(book_.CurrentRecord + 1);
  else if (key == Qt::Key_PageUp && !control) GoToRecord(book_.CurrentRecord - 1);
  else if (key == Qt::Key_Home && control) GoToRecord(0);
  else if (key == Qt::Key_End && control) GoToRecord(book_.RecordCount() - 1);
  else return false;
  return true;
}

void frmMain::ShowPhoneSlot(int slot) {
  QRadioButton* option = optWhichPhone[static_cast<size_t>(slot)];
  if (option->isChecked()) return;
  option->setChecked(true);
  optWhichPhone_Click(slot);
}

void frmMain::FocusGroupList() { cboGroups->setFocus(); }

void frmMain::PlaceCaret(int k, int position) {
  QWidget* box = txtFields[static_cast<size_t>(k)];
  box->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(box))
    line->setCursorPosition(position);
  else
    static_cast<MultiLineField*>(box)->PlaceCaretAtFieldPosition(position);
}
