#include "print/frmPrint.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/GroupComboBox.h"
#include "core/GroupMembership.h"
#include "core/HelpTopics.h"
#include "core/frmMultiGroups.h"
#include "core/BookText.h"
#include "platform/Collation.h"
#include "platform/FontChooser.h"
#include "platform/HelpKey.h"
#include "platform/Printer.h"
#include "platform/SystemBeep.h"
#include "print/PrintFailure.h"
#include "print/PrintList.h"
#include "print/PrintRecords.h"
#include "print/PrintRounding.h"
#include "print/PrinterFont.h"
#include "print/PrinterSelection.h"
#include "print/frmAlign.h"

namespace {

constexpr int kTitleLength = 80;

constexpr int kAllGroupsCode = -3;
constexpr int kMultipleGroupsCode = -2;
constexpr int kUngroupedCode = -1;

const QString kNothingToPrint =
    QStringLiteral("There are no records matching the current print criteria. Nothing to print.");

QCheckBox* CheckBox(const char* caption, const char* name) {
  auto* box = new QCheckBox(QString::fromLatin1(caption));
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

frmPrint::frmPrint(const BookState& book, ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), book_(book), settings_(settings) {
  setObjectName(QStringLiteral("frmPrint"));
  setWindowTitle(QStringLiteral("Print"));

  Label2 = new QLabel(QStringLiteral("&Title:"));
  Label2->setObjectName(QStringLiteral("Label2"));
  txtTitle = new QLineEdit;
  txtTitle->setObjectName(QStringLiteral("txtTitle"));
  Label2->setBuddy(txtTitle);
  Label1 = new QLabel(QStringLiteral("Which &Groups:"));
  Label1->setObjectName(QStringLiteral("Label1"));
  cboGroups = new GroupComboBox;
  cboGroups->setObjectName(QStringLiteral("cboGroups"));
  Label1->setBuddy(cboGroups);

  Frame1 = new QGroupBox(QStringLiteral("Report Type"));
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* frameLayout = new QVBoxLayout(Frame1);
  const std::array<const char*, 3> reportCaptions{"&Phone List", "Phone &Book", "&Labels"};
  for (int i = 0; i < 3; ++i) {
    optReportType[i] = new QRadioButton(QString::fromLatin1(reportCaptions[i]));
    optReportType[i]->setObjectName(QStringLiteral("optReportType%1").arg(i));
    frameLayout->addWidget(optReportType[i]);
    connect(optReportType[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optReportType_Click(i);
    });
  }
  chkIncAddress = CheckBox("&Include Addresses", "chkIncAddress");
  chkAlphaChar = CheckBox("&Show Alphabet Letters", "chkAlphaChar");
  chkBothSides = CheckBox("Print b&oth sides in one pass", "chkBothSides");
  lblPrinter = new QLabel;
  lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
  lblPrinter->setWordWrap(true);

  cmdOk = MakeButton("OK", "cmdOk");
  cmdOk->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdFonts = MakeButton("&Fonts...", "cmdFonts");
  cmdAlign = MakeButton("&Align...", "cmdAlign");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  cmdPreview = MakeButton("Pre&view", "cmdPreview");
  cmdPrinter = MakeButton("P&rinter...", "cmdPrinter");
  connect(cmdOk, &QPushButton::clicked, this, &frmPrint::cmdOK_Click);
  connect(cmdPreview, &QPushButton::clicked, this, &frmPrint::cmdPreview_Click);
  connect(cmdPrinter, &QPushButton::clicked, this, &frmPrint::cmdPrinter_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdFonts, &QPushButton::clicked, this, &frmPrint::cmdFonts_Click);
  connect(cmdAlign, &QPushButton::clicked, this, &frmPrint::cmdAlign_Click);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::Print); });

  auto* options = new QGridLayout;
  options->addWidget(Label2, 0, 0);
  options->addWidget(txtTitle, 0, 1);
  options->addWidget(Label1, 1, 0);
  options->addWidget(cboGroups, 1, 1);
  options->addWidget(Frame1, 2, 0, 1, 2);
  options->addWidget(chkIncAddress, 3, 0, 1, 2);
  options->addWidget(chkAlphaChar, 4, 0, 1, 2);
  options->addWidget(chkBothSides, 5, 0, 1, 2);
  options->addWidget(lblPrinter, 6, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOk, cmdCancel, cmdPreview, cmdPrinter, cmdFonts, cmdAlign, cmdHelp})
    buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addLayout(buttons);
  SetHelpContext(this, HelpTopic::Print);

  FillGroupList();
  cboGroups->setCurrentIndex(0);
  OnGroupCloseUp();
  const auto& printing = settings_.Printing;
  chkIncAddress->setChecked(printing.IncludeAddress);
  chkAlphaChar->setChecked(printing.ShowLetters);
  chkBothSides->setChecked(printing.BothSidesInOnePass);
  ShowPrinter();
  txtTitle->setMaxLength(kTitleLength);
  txtTitle->setText(ShownText(printing.Title));
  const int type = static_cast<int>(ReportTypeOf(printing.ReportType));
  optReportType[type]->setChecked(true);
  optReportType_Click(type);
  connect(cboGroups, &GroupComboBox::closedUp, this, &frmPrint::OnGroupCloseUp);
}

// The groups in alphabetical order below the three fixed entries.
void frmPrint::FillGroupList() {
  for (int g = 0; g < book_.GroupCount(); ++g) {
    const QString name = ShownText(book_.Groups[static_cast<size_t>(g)]);
    int position = 0;
    while (position < cboGroups->count() && CompareTextIgnoringCase(cboGroups->itemText(position), name) <= 0)
      ++position;
    cboGroups->insertItem(position, name, g);
  }
  cboGroups->insertItem(0, QStringLiteral("<All Groups>"), kAllGroupsCode);
  cboGroups->insertItem(1, QLatin1String(kMultipleGroupsText), kMultipleGroupsCode);
  cboGroups->insertItem(2, QLatin1String(kUngroupedText), kUngroupedCode);
}

void frmPrint::OnGroupCloseUp() {
  if (!GroupListCancelled()) {
    const int code = cboGroups->SelectedCode();
    if (code == kAllGroupsCode)
      job_.GroupSelection = std::string(1, static_cast<char>(kSelectAllGroups));
    else if (code == kUngroupedCode)
      job_.GroupSelection = std::string(1, static_cast<char>(kSelectUngrouped));
    else if (code == kMultipleGroupsCode)
      ChooseMultipleGroups();
    else
      job_.GroupSelection = std::string(1, static_cast<char>(code));
  }
  ShowGroupSelection();
  GroupListCancelled() = false;
}

void frmPrint::ChooseMultipleGroups() {
  if (book_.GroupCount() < 1) {
    ShowMessage(MessageKind::Notice,
                QStringLiteral("There are no groups to select from. You cannot select multiple groups."));
    return;
  }
  DialogExchange& exchange = Exchange();
  exchange.DialogOK = 1;  // offers "<Ungrouped>" too
  exchange.DialogText = job_.GroupSelection;
  frmMultiGroups dialog(book_, this);
  dialog.exec();
  if (!exchange.DialogOK) return;
  const bool everything = exchange.DialogText.empty() ||
                          exchange.DialogText.size() == static_cast<size_t>(book_.GroupCount()) + 1;
  job_.GroupSelection = everything ? std::string(1, static_cast<char>(kSelectAllGroups)) : exchange.DialogText;
}

void frmPrint::ShowGroupSelection() {
  const std::string& selection = job_.GroupSelection;
  if (selection.empty()) {
    cboGroups->setCurrentIndex(0);
    Beeper().Beep();
  } else if (selection.size() == 1) {
    const int wanted = static_cast<unsigned char>(selection[0]);
    for (int position = 0; position < cboGroups->count(); ++position) {
      if ((cboGroups->itemData(position).toInt() & 255) == wanted) {
        cboGroups->setCurrentIndex(position);
        break;
      }
    }
  } else {
    cboGroups->setCurrentIndex(1);
  }
}

void frmPrint::optReportType_Click(int index) {
  const bool labels = index == static_cast<int>(ReportType::Labels);
  const bool phoneBook = index == static_cast<int>(ReportType::PhoneBook);
  cmdAlign->setEnabled(phoneBook);
  EnableBothSides(phoneBook);
  for (QWidget* control : std::initializer_list<QWidget*>{txtTitle, chkIncAddress, chkAlphaChar})
    control->setEnabled(!labels);
}

int frmPrint::SelectedReportType() const {
  for (int i = 0; i < 3; ++i)
    if (optReportType[i]->isChecked()) return i;
  return 0;
}

void frmPrint::cmdOK_Click() {
  if (ReadyToPrint()) BuildAndPrint(Start::Print);
}

void frmPrint::cmdPreview_Click() {
  if (ReadyToPrint()) BuildAndPrint(Start::Preview);
}

bool frmPrint::ReadyToPrint() {
  auto& printing = settings_.Printing;
  printing.Title = StoredText(txtTitle->text());
  printing.ReportType = static_cast<int16_t>(SelectedReportType());
  printing.IncludeAddress = chkIncAddress->isChecked();
  printing.ShowLetters = chkAlphaChar->isChecked();
  printing.BothSidesInOnePass = chkBothSides->isChecked();
  if (!SelectPrinter(settings_)) return false;
  ShowPrinter();
  return FontFits(ReportTypeOf(printing.ReportType));
}

bool frmPrint::FontFits(ReportType type) {
  try {
    Printer& printer = ThePrinter();
    SetPrinterFont(printer, settings_);
    job_.LinesPerPage = CalcLinesPerPage(printer, type);
  } catch (...) {
    ShowErrorMessage(QStringLiteral("Unable to print records."), CaughtFailure());
    return false;
  }
  if (job_.LinesPerPage >= MinimumLinesPerPage(type)) return true;
  ShowMessage(MessageKind::Notice, QStringLiteral("Font is too big for selected report type. Choose the Font "
                                                  "button to select a smaller font."));
  return false;
}

void frmPrint::BuildAndPrint(Start start) {
  try {
    job_.PrintList.clear();
    if (BuildPrintList(book_, job_)) {
      if (job_.PrintList.empty()) {
        ShowMessage(MessageKind::Notice, kNothingToPrint);
      } else {
        SortPrintList(book_, job_);
        if (start == Start::Print || PreviewRecords(book_, settings_, job_)) {
          accept();
          if (QWidget* owner = parentWidget()) owner->window()->repaint();
          PrintRecords(book_, settings_, job_);
        }
      }
    }
  } catch (...) {
    ShowErrorMessage(QStringLiteral("Unable to print records."), CaughtFailure());
  }
  job_.PrintList.clear();
}

void frmPrint::cmdFonts_Click() {
  auto& printing = settings_.Printing;
  FontChoice font{printing.FontName, static_cast<double>(printing.FontSize), printing.FontBold, printing.FontItalic};
  if (!Fonts().Choose(font, HelpTopic::Fonts)) return;
  printing.FontName = font.Name;
  printing.FontSize = static_cast<int16_t>(RoundToEven(font.Size));
  printing.FontBold = font.Bold;
  printing.FontItalic = font.Italic;
}

void frmPrint::cmdPrinter_Click() {
  if (ChoosePrinter(settings_)) ShowPrinter();
}

void frmPrint::ShowPrinter() {
  lblPrinter->setText(QStringLiteral("Printer: ") + PrinterDescription(settings_));
  EnableBothSides(SelectedReportType() == static_cast<int>(ReportType::PhoneBook));
}

// One pass needs a printer that turns the sheet itself, or PDF files.
void frmPrint::EnableBothSides(bool phoneBook) {
  chkBothSides->setEnabled(phoneBook && ApplyPrinter(settings_) && ThePrinter().CanPrintBothSides());
}

void frmPrint::cmdAlign_Click() {
  frmAlign dialog(settings_, this);
  dialog.exec();
}
