#include "print/frmPrint.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
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
#include "print/PrintList.h"
#include "print/PrintOutcomeMessages.h"
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
const QString kUnableToPrint = QStringLiteral("Unable to print records.");

QString SidesText(TwoSided sides) {
  switch (sides) {
    case TwoSided::LongEdge: return QStringLiteral(", two-sided (long edge)");
    case TwoSided::ShortEdge: return QStringLiteral(", two-sided (short edge)");
    case TwoSided::Off: break;
  }
  return {};
}

// The copies and pages of the system print dialog as the report takes them.
QString CopiesText(const CopyChoice& copies, bool phoneBook) {
  const QString collation = copies.Collate ? QStringLiteral("collated") : QStringLiteral("uncollated");
  QString text = copies.Copies > 1 ? QStringLiteral("%1 copies, %2").arg(copies.Copies).arg(collation)
                                   : QStringLiteral("1 copy");
  if (copies.Reverse) text += QStringLiteral(", last page first");
  if (!phoneBook) text += SidesText(copies.Sides);
  if (!copies.PageRanges.isEmpty())
    text += phoneBook ? QStringLiteral(", all pages (the phone book prints whole sheets)")
                      : QStringLiteral(", pages %1").arg(copies.PageRanges);
  return text;
}

QLabel* WrappedLabel(const char* text, const char* name) {
  auto* label = new QLabel(QString::fromLatin1(text));
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

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
  lblBothSides = WrappedLabel("This printer cannot print both sides of a sheet, so the phone book prints in two "
                              "passes.", "lblBothSides");
  QSizePolicy keepsItsPlace = lblBothSides->sizePolicy();  // the dialog does not jump as it comes and goes
  keepsItsPlace.setRetainSizeWhenHidden(true);
  lblBothSides->setSizePolicy(keepsItsPlace);
  // Under the text of the box it explains.
  lblBothSides->setIndent(style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
  connect(chkBothSides, &QCheckBox::toggled, this, &frmPrint::EnableAlign);
  lblPrinter = WrappedLabel("", "lblPrinter");

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
  LayOutControls();
  SetHelpContext(this, HelpTopic::Print);
  ShowStoredOptions();
  connect(cboGroups, &GroupComboBox::closedUp, this, &frmPrint::OnGroupCloseUp);
}

void frmPrint::LayOutControls() {
  auto* options = new QGridLayout;
  options->addWidget(Label2, 0, 0);
  options->addWidget(txtTitle, 0, 1);
  options->addWidget(Label1, 1, 0);
  options->addWidget(cboGroups, 1, 1);
  options->addWidget(Frame1, 2, 0, 1, 2);
  options->addWidget(chkIncAddress, 3, 0, 1, 2);
  options->addWidget(chkAlphaChar, 4, 0, 1, 2);
  options->addWidget(chkBothSides, 5, 0, 1, 2);
  options->addWidget(lblBothSides, 6, 0, 1, 2);
  options->addWidget(lblPrinter, 7, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOk, cmdCancel, cmdPreview, cmdPrinter, cmdFonts, cmdAlign, cmdHelp})
    buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options);
  layout->addLayout(buttons);
}

// "<All Groups>" and the options of the last print request.
void frmPrint::ShowStoredOptions() {
  FillGroupList();
  cboGroups->setCurrentIndex(0);
  OnGroupCloseUp();
  const auto& printing = settings_.Printing;
  chkIncAddress->setChecked(printing.IncludeAddress);
  chkAlphaChar->setChecked(printing.ShowLetters);
  chkBothSides->setChecked(printing.BothSidesInOnePass);
  txtTitle->setMaxLength(kTitleLength);
  txtTitle->setText(ShownText(printing.Title));
  const int type = static_cast<int>(ReportTypeOf(printing.ReportType));
  optReportType[type]->setChecked(true);  // runs optReportType_Click
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
  ShowPrinter();
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
  if (!SelectPrinter(settings_, job_.Copies, !PhoneBookChosen())) return false;
  ShowPrinter();
  return FontFits(ReportTypeOf(printing.ReportType));
}

bool frmPrint::FontFits(ReportType type) {
  const PrintOutcome measured = RunPrintStep(kUnableToPrint, [&](PrintOutcome&) {
    Printer& printer = ThePrinter();
    SetPrinterFont(printer, settings_);
    job_.LinesPerPage = CalcLinesPerPage(printer, type);
  });
  if (measured.Failed()) {
    ShowOutcome(measured.Result);
    return false;
  }
  if (job_.LinesPerPage >= MinimumLinesPerPage(type)) return true;
  ShowMessage(MessageKind::Notice, QStringLiteral("Font is too big for selected report type. Choose the Font "
                                                  "button to select a smaller font."));
  return false;
}

void frmPrint::BuildAndPrint(Start start) {
  job_.PrintList.clear();
  const Outcome built = BuildPrintList(book_, job_);
  if (!built.Succeeded()) {
    ShowOutcome(built);
  } else if (job_.PrintList.empty()) {
    ShowMessage(MessageKind::Notice, kNothingToPrint);
  } else {
    PrintSorted(start);
  }
  job_.PrintList.clear();
}

// The preview, when asked for, decides whether the records print.
void frmPrint::PrintSorted(Start start) {
  const PrintOutcome sorted = RunPrintStep(kUnableToPrint, [this](PrintOutcome&) { SortPrintList(book_, job_); });
  if (sorted.Failed()) {
    ShowOutcome(sorted.Result);
    return;
  }
  if (start == Start::Preview) {
    const PrintOutcome previewed = PreviewRecords(book_, settings_, job_);
    ShowPrintOutcome(previewed);
    if (previewed.Failed() || previewed.Cancelled) return;
  }
  accept();
  if (QWidget* owner = parentWidget()) owner->window()->repaint();
  ShowPrintOutcome(PrintRecords(book_, settings_, job_));
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

// Two-sided printing chosen there prints a phone book in one pass.
void frmPrint::cmdPrinter_Click() {
  if (!ChoosePrinter(settings_, job_.Copies, !PhoneBookChosen())) return;
  if (PhoneBookChosen() && job_.Copies.Sides != TwoSided::Off) chkBothSides->setChecked(true);
  ShowPrinter();
}

bool frmPrint::PhoneBookChosen() const { return SelectedReportType() == static_cast<int>(ReportType::PhoneBook); }

void frmPrint::ShowPrinter() {
  lblPrinter->setText(QStringLiteral("Printer: ") + PrinterDescription(settings_) + QStringLiteral("; ") +
                      CopiesText(job_.Copies, PhoneBookChosen()));
  EnableBothSides();
}

// One pass needs a printer that turns the sheet itself, or PDF files; for
// any other printer the box is cleared and the reason shown beside it.
void frmPrint::EnableBothSides() {
  const bool phoneBook = PhoneBookChosen();
  const bool turnsSheets = phoneBook && ApplyPrinter(settings_) && ThePrinter().CanPrintBothSides();
  if (phoneBook && !turnsSheets) chkBothSides->setChecked(false);
  chkBothSides->setEnabled(phoneBook && turnsSheets);
  lblBothSides->setVisible(phoneBook && !turnsSheets);
  EnableAlign();
}

// The offsets shift side B of the second pass; one pass has none.
void frmPrint::EnableAlign() { cmdAlign->setEnabled(PhoneBookChosen() && !chkBothSides->isChecked()); }

void frmPrint::cmdAlign_Click() {
  frmAlign dialog(settings_, this);
  dialog.exec();
}

#include "moc_frmPrint.cpp"
