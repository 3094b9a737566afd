// Editing in the main window: every change goes straight into the current
// record and marks the book changed.
#include <algorithm>
#include <utility>

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>

#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/GroupComboBox.h"
#include "core/GroupMembership.h"
#include "core/frmMultiGroups.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "core/BookText.h"

void frmMain::ConnectRecordView() {
  connect(txtName, &QLineEdit::textChanged, this, [this] { txtFields_Change(0); });
  connect(txtCompany, &QLineEdit::textChanged, this, [this] { txtFields_Change(1); });
  connect(txtAddress, &MultiLineField::fieldChanged, this, [this] { txtFields_Change(2); });
  connect(txtPhone, &QLineEdit::textChanged, this, [this] { txtFields_Change(3); });
  connect(txtNotes, &MultiLineField::fieldChanged, this, [this] { txtFields_Change(4); });
  for (OneLineField* box : {txtName, txtCompany, txtPhone})
    connect(box, &OneLineField::inputRefused, this, &frmMain::ShowInputRefusal);
  for (MultiLineField* box : {txtAddress, txtNotes})
    connect(box, &MultiLineField::inputRefused, this, &frmMain::ShowInputRefusal);
  ConnectEditionQuestion();
  connect(printAsGroup_, &QButtonGroup::idClicked, this, &frmMain::optPrintAs_Click);
  connect(whichPhoneGroup_, &QButtonGroup::idClicked, this, &frmMain::optWhichPhone_Click);
  KeepTabStopOnChecked(printAsGroup_);
  KeepTabStopOnChecked(whichPhoneGroup_);
  connect(cboGroups, &GroupComboBox::droppedDown, this, [this] { GroupIndexAtDropDown = cboGroups->currentIndex(); });
  connect(cboGroups, &GroupComboBox::closedUp, this, &frmMain::OnGroupCloseUp);
  connect(scrCurrRecord, &QScrollBar::valueChanged, this, [this](int position) {
    if (!Updating) GoToRecord(position);
  });
  connect(scrCurrRecord, &QScrollBar::sliderMoved, this, &frmMain::scrCurrRecord_Scroll);
  for (QWidget* control : std::initializer_list<QWidget*>{txtName, txtCompany, optPrintAs[0], optPrintAs[1],
                                                          txtAddress, cboGroups, txtPhone, optWhichPhone[0],
                                                          optWhichPhone[1], optWhichPhone[2], optWhichPhone[3],
                                                          txtNotes, scrCurrRecord, Frame1})
    control->installEventFilter(this);
}

// Tab enters a set of options at its selected option, however it was selected.
void frmMain::KeepTabStopOnChecked(QButtonGroup* group) {
  connect(group, &QButtonGroup::idToggled, this, [group](int id, bool checked) {
    if (!checked) return;
    for (QAbstractButton* option : group->buttons())
      option->setFocusPolicy(option == group->button(id) ? Qt::StrongFocus : Qt::ClickFocus);
  });
}

void frmMain::txtFields_Change(int i) {
  if (Updating || book_.RecordCount() == 0) return;
  AddressRecord& record = book_.Current();
  std::string* fields[] = {&record.Name, &record.Company, &record.Address,
                           &record.Phones[static_cast<size_t>(record.WhichPhone)], &record.Notes};
  *fields[i] = StoredText(FieldText(i));
  StampChange(book_, record);
  book_.Dirty = true;
}

void frmMain::optPrintAs_Click(int i) {
  if (Updating || book_.RecordCount() == 0) return;
  book_.Current().PrintAs = static_cast<int16_t>(i);
  StampChange(book_, book_.Current());
  book_.DefaultPrintAs = static_cast<int16_t>(i);
  book_.Dirty = true;
}

void frmMain::optWhichPhone_Click(int i) {
  if (Updating || book_.RecordCount() == 0) return;
  AddressRecord& record = book_.Current();
  record.Phones[static_cast<size_t>(record.WhichPhone)] = StoredText(txtPhone->text());
  record.WhichPhone = static_cast<int16_t>(i);
  Updating = true;
  txtPhone->SetFieldText(ShownText(record.Phones[static_cast<size_t>(i)]));
  Updating = false;
  txtPhone->setFocus();
  book_.Dirty = true;
}

// Up and Down in the phone box, and the arrow keys on a phone option, step
// through the phone slots, round the ends.
int frmMain::PhoneSlotStep(const QObject* watched, int key) const {
  const bool option = std::find(optWhichPhone.begin(), optWhichPhone.end(), watched) != optWhichPhone.end();
  if (watched != txtPhone && !option) return 0;
  if (key == Qt::Key_Up || (option && key == Qt::Key_Left)) return -1;
  if (key == Qt::Key_Down || (option && key == Qt::Key_Right)) return 1;
  return 0;
}

void frmMain::StepPhoneSlot(int step) {
  const int selected = whichPhoneGroup_->checkedId();
  const int next = selected < 0 ? (step < 0 ? 3 : 0) : (selected + step + 4) % 4;
  optWhichPhone[static_cast<size_t>(next)]->setChecked(true);
  optWhichPhone_Click(next);
}

void frmMain::OnGroupCloseUp() {
  if (book_.RecordCount() == 0) {
    GroupListCancelled() = false;
    return;
  }
  AddressRecord& record = book_.Current();
  const int16_t g0 = record.Group;
  const std::string m0 = record.MultiGroups;
  if (GroupListCancelled()) {
    cboGroups->setCurrentIndex(GroupIndexAtDropDown);
  } else if (const int code = cboGroups->SelectedCode(); code != kMultipleGroups) {
    record.Group = static_cast<int16_t>(code);
    record.MultiGroups.clear();
  } else if (book_.GroupCount() < 1) {
    ShowMessage(MessageKind::Notice, QStringLiteral("There are no groups to select from. "
                                                    "Use the Edit Group List command to create groups."));
    ShowRecord();
  } else {
    DialogExchange& exchange = Exchange();
    exchange.DialogOK = 0;
    exchange.DialogText = GroupSetOf(record);
    frmMultiGroups dialog(book_, this);
    dialog.exec();
    if (exchange.DialogOK) StoreGroupSet(record, exchange.DialogText);
    ShowRecord();
  }
  if (record.MultiGroups != m0 || record.Group != g0) {
    StampChange(book_, record);
    book_.Dirty = true;
  }
  GroupListCancelled() = false;
}

void frmMain::mnuRecordsAdd_Click() {
  if (book_.RecordCount() >= kMaxRecords) {
    ShowMessage(MessageKind::Notice, QStringLiteral("The address book is full: it can hold at most 32,767 records."));
    return;
  }
  book_.Records.emplace_back();
  InitNewRecord(book_, book_.RecordCount() - 1);
  EnableRecordControls(true);
  GoToRecord(book_.RecordCount() - 1);
  txtName->setFocus();
  book_.Dirty = true;
}

void frmMain::mnuRecordsDelete_Click() {
  if (book_.RecordCount() == 0) return;
  if (ShowMessage(MessageKind::Confirmation, QStringLiteral("Delete the current record?")) != MessageAnswer::Yes)
    return;
  book_.Records.erase(book_.Records.begin() + book_.CurrentRecord);
  if (book_.CurrentRecord >= book_.RecordCount()) book_.CurrentRecord = std::max(0, book_.RecordCount() - 1);
  ShowRecord();
  book_.Dirty = true;
}

// A menu opened from the keyboard takes the focus to the menu bar, and a
// line edit drops its selection when it loses the focus that way. Cut and
// Copy in that menu work on the selection, so it is put back when the focus
// returns.
void frmMain::KeepSelectionOverMenu(QLineEdit* box, QEvent* event) {
  if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() == Qt::MenuBarFocusReason) {
    if (box->hasSelectedText() || selectionOverMenu_.box != box)
      selectionOverMenu_ = {box, box->selectionStart(), box->selectionLength()};
  } else if (event->type() == QEvent::FocusIn) {
    const SelectionOverMenu kept = std::exchange(selectionOverMenu_, {});
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const bool backFromMenu = reason == Qt::MenuBarFocusReason || reason == Qt::PopupFocusReason;
    if (backFromMenu && kept.box == box && kept.start >= 0 && !box->hasSelectedText())
      box->setSelection(kept.start, kept.length);
  }
}

// Keys for the record view: the window sees them before the focused control.
bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (auto* box = qobject_cast<QLineEdit*>(watched)) KeepSelectionOverMenu(box, event);
  if (watched == Frame1 && event->type() == QEvent::Shortcut) {
    txtPhone->setFocus(Qt::ShortcutFocusReason);  // the frame's access key goes to its phone box
    return true;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    // Menu shortcuts such as Ctrl+A win over the text boxes' own keys.
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsCommandShortcut(*key)) {
      event->ignore();
      return true;
    }
  }
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (auto* menu = qobject_cast<QMenu*>(watched)) {
    if (key->key() != Qt::Key_F1) return false;
    ShowMenuItemHelp(menu);
    return true;
  }
  if (HandleNavigationKey(key->key(), key->modifiers())) return true;
  if (const int step = PhoneSlotStep(watched, key->key())) {
    StepPhoneSlot(step);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// Navigation keys that reach the window itself: with no records every record
// control is disabled, so no control sees them first.
void frmMain::keyPressEvent(QKeyEvent* event) {
  if (!HandleNavigationKey(event->key(), event->modifiers())) QMainWindow::keyPressEvent(event);
}
