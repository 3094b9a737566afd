#include "export/frmExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "core/ShortList.h"
#include "export/ExportReport.h"
#include "platform/BusyPointer.h"
#include "platform/FileDialogs.h"
#include "platform/HelpKey.h"

namespace {

constexpr std::array<const char*, kExportFieldCount> kFieldCaptions{
    "Name", "Company", "Print As", "Address", "Phone 1", "Phone 2", "Phone 3", "Phone 4", "Group", "Notes"};

}  // namespace

frmExport::frmExport(const BookState& book, ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), book_(book), settings_(settings) {
  setObjectName(QStringLiteral("frmExport"));
  setWindowTitle(QStringLiteral("Export"));

  txtFilename = new QLineEdit;
  txtFilename->setObjectName(QStringLiteral("txtFilename"));
  cmdBrowse = MakeButton("&Browse...", "cmdBrowse");
  auto* Frame1 = new QGroupBox(QStringLiteral("&Export to"));
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* fileRow = new QHBoxLayout(Frame1);
  fileRow->addWidget(txtFilename, 1);
  fileRow->addWidget(cmdBrowse);

  cboSeparator = new QComboBox;
  cboSeparator->setObjectName(QStringLiteral("cboSeparator"));
  auto* Label1 = new QLabel(QStringLiteral("&Field Separator:"));
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setBuddy(cboSeparator);
  chkPhoneNames = new QCheckBox(QStringLiteral("Export &Phone Names"));
  chkPhoneNames->setObjectName(QStringLiteral("chkPhoneNames"));
  auto* optionsRow = new QHBoxLayout;
  optionsRow->addWidget(Label1);
  optionsRow->addWidget(cboSeparator);
  optionsRow->addStretch();
  optionsRow->addWidget(chkPhoneNames);

  cboEncoding = new QComboBox;
  cboEncoding->setObjectName(QStringLiteral("cboEncoding"));
  cboEncoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1252 (Western European)")});
  auto* Label2 = new QLabel(QStringLiteral("&Text Encoding:"));
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setBuddy(cboEncoding);
  auto* encodingRow = new QHBoxLayout;
  encodingRow->addWidget(Label2);
  encodingRow->addWidget(cboEncoding);
  encodingRow->addStretch();
  // An old-format book is written in its own code page, as always.
  Label2->setVisible(book_.IsUnicode());
  cboEncoding->setVisible(book_.IsUnicode());

  auto* Frame2 = new QGroupBox(QStringLiteral("&Include Which Fields"));
  Frame2->setObjectName(QStringLiteral("Frame2"));
  auto* fieldGrid = new QGridLayout(Frame2);
  constexpr int kRows = kExportFieldCount / 2;
  for (int n = 0; n < kExportFieldCount; ++n) {
    auto* box = new QCheckBox(QString::fromLatin1(kFieldCaptions[static_cast<size_t>(n)]));
    box->setObjectName(QStringLiteral("chkWhichFields(%1)").arg(n));
    chkWhichFields[static_cast<size_t>(n)] = box;
    fieldGrid->addWidget(box, n % kRows, n / kRows);
  }

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addStretch();

  auto* body = new QVBoxLayout;
  body->addWidget(Frame1);
  body->addLayout(optionsRow);
  body->addLayout(encodingRow);
  body->addWidget(Frame2);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(cmdBrowse, &QPushButton::clicked, this, &frmExport::cmdBrowse_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmExport::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  SetHelpContext(this, HelpTopic::ExportText);
  Form_Load();
}

void frmExport::Form_Load() {
  const ProgramSettings::ExportSection& options = settings_.Export;
  txtFilename->setText(options.File);
  for (const ExportSeparator& separator : kExportSeparators)
    cboSeparator->addItem(QString::fromLatin1(separator.Shown));
  const bool known = options.Separator >= 0 && options.Separator < cboSeparator->count();
  cboSeparator->setCurrentIndex(known ? options.Separator : 0);
  chkPhoneNames->setChecked(options.PhoneNames);
  for (int n = 0; n < kExportFieldCount; ++n)
    chkWhichFields[static_cast<size_t>(n)]->setChecked(options.WhichFields & (1 << n));
}

void frmExport::cmdBrowse_Click() {
  FileDialogRequest request;
  request.Title = QStringLiteral("Export File");
  request.Filter = QStringLiteral("Text Files|*.txt");
  request.DefaultSuffix = QStringLiteral("txt");
  request.InitialPath = txtFilename->text();
  request.ConfirmOverwrite = true;
  request.HelpContext = HelpTopic::ExportText;
  QString path;
  switch (FileDialog().GetSaveFileName(request, path)) {
    case FileDialogResult::Chosen: txtFilename->setText(path); break;
    case FileDialogResult::Cancelled: break;
    case FileDialogResult::Failed:
      ShowErrorMessage(QStringLiteral("Error selecting export filename."),
                       PlatformError{0, QStringLiteral("The file dialog returned no file")});
      break;
  }
}

int frmExport::ChosenFields() const {
  int mask = 0;
  for (int n = 0; n < kExportFieldCount; ++n)
    if (chkWhichFields[static_cast<size_t>(n)]->isChecked()) mask |= 1 << n;
  return mask;
}

// Before a Unicode book is written in windows-1252: which records lose
// characters to it (written as '?'), and whether to go on.
bool frmExport::ConfirmCodePage(const ProgramSettings::ExportSection& options) {
  if (!options.CodePage) return true;
  const QStringList records = RecordsNotInCodePage(book_, options);
  if (records.isEmpty()) return true;
  const QString text = QStringLiteral("Windows-1252 cannot hold every character of these records; those characters "
                                      "are written as '?':\n\n") +
                       ShortList(records) + QStringLiteral("\n\nExport in Windows-1252?");
  return ShowMessage(MessageKind::Confirmation, text) == MessageAnswer::Yes;
}

void frmExport::cmdOK_Click() {
  const QString name = txtFilename->text().trimmed();
  if (name.isEmpty()) {
    ShowMessage(MessageKind::Notice, QStringLiteral("You must specify the target filename."));
    txtFilename->setFocus();
    return;
  }
  const int mask = ChosenFields();
  if (mask == 0) {
    ShowMessage(MessageKind::Notice, QStringLiteral("You must specify one or more fields to export."));
    chkWhichFields[0]->setFocus();
    return;
  }
  ProgramSettings::ExportSection& options = settings_.Export;
  options.File = name;
  options.Separator = static_cast<int16_t>(cboSeparator->currentIndex());
  options.PhoneNames = chkPhoneNames->isChecked();
  options.WhichFields = static_cast<int16_t>(mask);
  options.CodePage = book_.IsUnicode() && cboEncoding->currentIndex() == 1;
  if (!ConfirmCodePage(options)) return;

  PlatformError error;
  ExportOutcome outcome;
  {
    BusyCursor busy;
    outcome = ExportBook(book_, options, error);
  }
  if (ReportExportOutcome(outcome, options.File, error)) accept();
}

#include "moc_frmExport.cpp"
