#include "core/frmGroups.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AlphabeticalOrder.h"
#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/GroupDeletion.h"
#include "core/HelpTopics.h"
#include "core/PhoneNameDeletion.h"
#include "core/PhoneNameLimit.h"
#include "core/frmNewGroup.h"
#include "core/BookText.h"
#include "platform/HelpKey.h"

namespace {

// The list's topic, which also explains the name dialog of Add and Rename.
int HelpContextOf(bool groups) { return groups ? HelpTopic::GroupList : HelpTopic::EditPhoneNameList; }

}  // namespace

frmGroups::frmGroups(BookState& book, QWidget* parent)
    : QDialog(parent), book_(book), listMode_(Exchange().ListMode) {
  setObjectName(QStringLiteral("frmGroups"));
  setWindowTitle(EditingGroups() ? QStringLiteral("Edit Groups") : QStringLiteral("Edit Phone Names"));
  lstItems = new QListWidget;
  lstItems->setObjectName(QStringLiteral("lstItems"));
  lblListName = new QLabel(EditingGroups() ? QStringLiteral("&Groups:") : QStringLiteral("&Phone Names:"));
  lblListName->setObjectName(QStringLiteral("lblListName"));
  lblListName->setBuddy(lstItems);
  cmdAdd = MakeButton("&Add...", "cmdAdd");
  cmdRename = MakeButton("&Rename...", "cmdRename");
  cmdDelete = MakeButton("&Delete...", "cmdDelete");
  cmdClose = MakeButton("&Close", "cmdClose");
  connect(cmdAdd, &QPushButton::clicked, this, &frmGroups::cmdAdd_Click);
  connect(cmdRename, &QPushButton::clicked, this, &frmGroups::cmdRename_Click);
  connect(cmdDelete, &QPushButton::clicked, this, &frmGroups::cmdDelete_Click);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);  // Escape closes too

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdAdd, cmdRename, cmdDelete, cmdClose}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QGridLayout(this);
  layout->addWidget(lblListName, 0, 0);
  layout->addWidget(lstItems, 1, 0);
  layout->addLayout(buttons, 1, 1);
  SetHelpContext(this, HelpContextOf(EditingGroups()));
  FillItems(-1);
}

bool frmGroups::EditingGroups() const { return listMode_ == kListModeGroups; }

std::vector<std::string>& frmGroups::Names() const { return EditingGroups() ? book_.Groups : book_.PhoneNames; }

void frmGroups::FillItems(int wanted) {
  lstItems->clear();
  const std::vector<std::string>& names = Names();
  for (int index : AlphabeticalOrder(names)) {
    auto* item = new QListWidgetItem(ShownText(names[static_cast<size_t>(index)]), lstItems);
    item->setData(Qt::UserRole, index);
    if (index == wanted) lstItems->setCurrentItem(item);
  }
  if (lstItems->count() > 0 && !lstItems->currentItem()) lstItems->setCurrentRow(0);
}

QListWidgetItem* frmGroups::SelectedItem() const {
  const QList<QListWidgetItem*> selected = lstItems->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

bool frmGroups::AskName(const char* groupCaption, const char* phoneNameCaption) {
  const bool groups = EditingGroups();
  frmNewGroup dialog(QString::fromLatin1(groups ? groupCaption : phoneNameCaption),
                     groups ? QStringLiteral("&Group Name:") : QStringLiteral("&Phone Name:"), this);
  SetHelpContext(&dialog, HelpContextOf(groups));
  dialog.exec();
  return Exchange().DialogOK;
}

void frmGroups::cmdAdd_Click() {
  Exchange().DialogText.clear();
  if (EditingGroups() && book_.GroupCount() >= kMaxGroups) {
    ShowMessage(MessageKind::Notice, QStringLiteral("There are already %1 groups. This is the maximum ").arg(book_.GroupCount()) +
                                         "number of groups you can define. You must delete one or " +
                                         "more existing groups before you can add any more.");
    return;
  }
  if (!EditingGroups() && !RoomForAnotherPhoneName(book_)) return;
  if (AskName("Add Group", "Add Phone Name")) {
    const std::string& name = Exchange().DialogText;
    FillItems(EditingGroups() ? AddGroup(book_, name) : AddPhoneName(book_, name));
  }
  lstItems->setFocus();
}

void frmGroups::cmdRename_Click() {
  const QListWidgetItem* item = SelectedItem();
  if (!item) {
    ShowMessage(MessageKind::Notice, QStringLiteral("Nothing is selected for renaming."));
    return;
  }
  const int index = item->data(Qt::UserRole).toInt();
  Exchange().DialogText = Names()[static_cast<size_t>(index)];
  if (AskName("Rename Group", "Rename Phone Name")) {
    Names()[static_cast<size_t>(index)] = Exchange().DialogText;
    FillItems(index);
    book_.Dirty = true;
  }
  lstItems->setFocus();
}

void frmGroups::cmdDelete_Click() {
  const QListWidgetItem* item = SelectedItem();
  if (!item) {
    ShowMessage(MessageKind::Notice, QStringLiteral("Nothing is selected for deleting."));
    return;
  }
  if (!EditingGroups() && book_.PhoneNameCount() == 1) {
    ShowMessage(MessageKind::Notice, QStringLiteral("You cannot delete the last phone name."));
    return;
  }
  const int index = item->data(Qt::UserRole).toInt();
  const bool deleted = EditingGroups() ? DeleteGroup(book_, index, this) : DeletePhoneName(book_, index, this);
  if (deleted) FillItems(-1);
  lstItems->setFocus();
}

#include "moc_frmGroups.cpp"
