#include "core/frmMultiGroups.h"

#include <algorithm>
#include <vector>

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/GroupMembership.h"
#include "core/HelpTopics.h"
#include "core/BookText.h"
#include "platform/Collation.h"
#include "platform/HelpKey.h"

namespace {

}  // namespace

frmMultiGroups::frmMultiGroups(const BookState& book, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmMultiGroups"));
  setWindowTitle(QStringLiteral("Select Multiple Groups"));
  lstGroups = new QListWidget;
  lstGroups->setObjectName(QStringLiteral("lstGroups"));
  lstGroups->setSelectionMode(QAbstractItemView::MultiSelection);
  auto* label = new QLabel(QStringLiteral("&Groups:"));
  label->setBuddy(lstGroups);

  DialogExchange& exchange = Exchange();
  const auto add = [&](const QString& text, int code) {
    auto* item = new QListWidgetItem(text, lstGroups);
    item->setData(Qt::UserRole, code);
    item->setSelected(exchange.DialogText.find(static_cast<char>(code)) != std::string::npos);
  };
  std::vector<std::pair<QString, int>> entries;
  if (exchange.DialogOK) entries.emplace_back(QLatin1String(kUngroupedText), kSelectUngrouped);
  for (int i = 0; i < book.GroupCount(); ++i)
    entries.emplace_back(ShownText(book.Groups[static_cast<size_t>(i)]), i);
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return CompareTextIgnoringCase(a.first, b.first) < 0;
  });
  for (const auto& [text, code] : entries) add(text, code);
  if (lstGroups->count() > 0) lstGroups->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  exchange.DialogOK = 0;
  exchange.DialogText.clear();

  QPushButton* cmdOK = MakeButton("OK", "cmdOK");
  QPushButton* cmdCancel = MakeButton("Cancel", "cmdCancel");
  QPushButton* cmdSelectAll = MakeButton("Select &All", "cmdSelectAll");
  QPushButton* cmdSelectNone = MakeButton("Select &None", "cmdSelectNone");
  QPushButton* cmdHelp = MakeButton("&Help", "cmdHelp");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &frmMultiGroups::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdSelectAll, &QPushButton::clicked, this, [this] { SelectAll(true); });
  connect(cmdSelectNone, &QPushButton::clicked, this, [this] { SelectAll(false); });
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::MultipleGroups); });

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOK, cmdCancel, cmdSelectAll, cmdSelectNone, cmdHelp}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(lstGroups, 1, 0);
  layout->addLayout(buttons, 1, 1);
  SetHelpContext(this, HelpTopic::MultipleGroups);
}

void frmMultiGroups::cmdOK_Click() {
  DialogExchange& exchange = Exchange();
  for (int row = 0; row < lstGroups->count(); ++row) {
    const QListWidgetItem* item = lstGroups->item(row);
    if (item->isSelected()) exchange.DialogText += static_cast<char>(item->data(Qt::UserRole).toInt());
  }
  exchange.DialogOK = 1;
  accept();
}

void frmMultiGroups::SelectAll(bool selected) {
  for (int row = 0; row < lstGroups->count(); ++row) lstGroups->item(row)->setSelected(selected);
}

#include "moc_frmMultiGroups.cpp"
