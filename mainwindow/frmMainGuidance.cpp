// What the main window tells beside the record itself: the Go To list, the
// groups of a record in several groups, what to do in an empty book and
// where the book is kept.
#include <QLabel>

#include "core/BookProperties.h"
#include "core/ErrorReport.h"
#include "core/GroupComboBox.h"
#include "core/GroupNames.h"
#include "find/frmGoTo.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"

namespace {

constexpr const char* kEmptyBookHint =
    "This address book has no contacts yet.\n"
    "Add Record (Ctrl+A) adds the first contact.\n"
    "File, Import brings contacts from other programs.";

}  // namespace

void frmMain::mnuRecordsGoTo_Click() {
  frmGoTo dialog(book_, this);
  if (dialog.exec() == QDialog::Accepted) GoToRecord(dialog.ChosenRecord());
}

void frmMain::mnuFileProperties_Click() { ShowMessage(MessageKind::Notice, BookPropertiesText(book_)); }

void frmMain::ShowGuidance() {
  const bool empty = book_.RecordCount() == 0;
  cboGroups->setToolTip(empty ? QString() : SeveralGroupsText(book_, book_.Current()));
  txtNotes->setPlaceholderText(empty ? QString::fromLatin1(kEmptyBookHint) : QString());
  promptPane_->setToolTip(BookPropertiesText(book_));
}

// The groups of a record in several groups while the group box has the focus.
QString frmMain::GroupsPromptText() const {
  if (book_.RecordCount() == 0 || !cboGroups->hasFocus()) return {};
  return SeveralGroupsText(book_, book_.Current());
}
