#include "export/frmExportVCard.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/ExportFile.h"
#include "core/GroupMembership.h"
#include "core/HelpTopics.h"
#include "export/ExportReport.h"
#include "interchange/VCardWriter.h"
#include "core/BookText.h"
#include "platform/BusyPointer.h"
#include "platform/Collation.h"
#include "platform/FileDialogs.h"
#include "platform/HelpKey.h"

namespace {

}  // namespace

frmExportVCard::frmExportVCard(const BookState& book, QWidget* parent) : QDialog(parent), book_(book) {
  setObjectName(QStringLiteral("frmExportVCard"));
  setWindowTitle(QStringLiteral("Export vCard"));

  auto* fraRecords = new QGroupBox(QStringLiteral("Records"));
  optAllRecords = new QRadioButton(QStringLiteral("&All records"));
  optAllRecords->setObjectName(QStringLiteral("optAllRecords"));
  optAllRecords->setChecked(true);
  optChosenGroups = new QRadioButton(QStringLiteral("Records in these &groups:"));
  optChosenGroups->setObjectName(QStringLiteral("optChosenGroups"));
  lstGroups = new QListWidget;
  lstGroups->setObjectName(QStringLiteral("lstGroups"));
  lstGroups->setSelectionMode(QAbstractItemView::MultiSelection);
  lstGroups->setEnabled(false);
  std::vector<std::pair<QString, int>> entries{{QLatin1String(kUngroupedText), kSelectUngrouped}};
  for (int g = 0; g < book.GroupCount(); ++g) entries.emplace_back(ShownText(book.Groups[static_cast<size_t>(g)]), g);
  std::stable_sort(entries.begin() + 1, entries.end(),
                   [](const auto& a, const auto& b) { return CompareTextIgnoringCase(a.first, b.first) < 0; });
  for (const auto& [text, code] : entries) (new QListWidgetItem(text, lstGroups))->setData(Qt::UserRole, code);
  auto* records = new QVBoxLayout(fraRecords);
  records->addWidget(optAllRecords);
  records->addWidget(optChosenGroups);
  records->addWidget(lstGroups);
  connect(optChosenGroups, &QRadioButton::toggled, lstGroups, &QWidget::setEnabled);

  auto* fraVersion = new QGroupBox(QStringLiteral("Format"));
  optVersion[0] = new QRadioButton(QStringLiteral("vCard &3.0 (most programs)"));
  optVersion[1] = new QRadioButton(QStringLiteral("vCard &4.0"));
  optVersion[0]->setChecked(true);
  auto* versions = new QVBoxLayout(fraVersion);
  for (size_t i = 0; i < optVersion.size(); ++i) {
    optVersion[i]->setObjectName(QStringLiteral("optVersion(%1)").arg(i));
    versions->addWidget(optVersion[i]);
  }

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  auto* body = new QVBoxLayout;
  body->addWidget(fraRecords);
  body->addWidget(fraVersion);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(ButtonColumn({cmdOK, cmdCancel, cmdHelp}));

  connect(cmdOK, &QPushButton::clicked, this, &frmExportVCard::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::ExportVCard); });
  SetHelpContext(this, HelpTopic::ExportVCard);
}

// The chosen groups as a selection string ("<All Groups>" for all records).
std::string frmExportVCard::GroupSelection() const {
  if (optAllRecords->isChecked()) return std::string(1, static_cast<char>(kSelectAllGroups));
  std::string selection;
  for (const QListWidgetItem* item : lstGroups->selectedItems())
    selection += static_cast<char>(item->data(Qt::UserRole).toInt());
  return selection;
}

void frmExportVCard::cmdOK_Click() {
  const std::string selection = GroupSelection();
  if (selection.empty()) {
    ShowMessage(MessageKind::Notice, QStringLiteral("Select one or more groups to export."));
    lstGroups->setFocus();
    return;
  }
  FileDialogRequest request;
  request.Title = QStringLiteral("Export vCard");
  request.Filter = QStringLiteral("vCard Files (*.vcf)|*.vcf|All Files (*.*)|*.*");
  request.DefaultSuffix = QStringLiteral("vcf");
  request.ConfirmOverwrite = true;
  request.HelpContext = HelpTopic::ExportVCard;
  QString path;
  switch (FileDialog().GetSaveFileName(request, path)) {
    case FileDialogResult::Chosen:
      if (WriteTo(path, selection)) accept();
      break;
    case FileDialogResult::Cancelled: break;
    case FileDialogResult::Failed:
      ShowErrorMessage(QStringLiteral("Error selecting export filename."),
                       PlatformError{0, QStringLiteral("The file dialog returned no file")});
      break;
  }
}

bool frmExportVCard::WriteTo(const QString& path, const std::string& selection) {
  PlatformError error;
  ExportOutcome outcome;
  {
    BusyCursor busy;
    std::vector<int> records;
    for (int r = 0; r < book_.RecordCount(); ++r)
      if (RecordInSelection(book_.Records[static_cast<size_t>(r)], selection)) records.push_back(r);
    const VCardVersion version = optVersion[1]->isChecked() ? VCardVersion::V4 : VCardVersion::V3;
    outcome = WriteExportFile(book_, path, WriteVCards(book_, records, version), error);
  }
  return ReportExportOutcome(outcome, path, error);
}

#include "moc_frmExportVCard.cpp"
