#include "print/frmAlign.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "platform/BusyPointer.h"
#include "platform/HelpKey.h"
#include "platform/Printer.h"
#include "print/PrintOutcomeMessages.h"
#include "print/PrinterJob.h"
#include "print/PrinterSelection.h"
#include "print/SheetMarks.h"

namespace {

}  // namespace

std::optional<double> OffsetFromText(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return 0.0;
  bool ok = false;
  double value = QLocale().toDouble(trimmed, &ok);
  if (!ok) value = QLocale::c().toDouble(trimmed, &ok);
  // Written so that a value that is not a number is refused too.
  if (!ok || !(value >= -1.0 && value <= 1.0)) return std::nullopt;
  return value;
}

QString OffsetBoxText(double inches) { return QLocale().toString(inches, 'f', 2); }

frmAlign::frmAlign(ProgramSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("frmAlign"));
  setWindowTitle(QStringLiteral("Align"));
  const std::array<const char*, 2> captions{"&X Offset (Horizontal):", "&Y Offset (Vertical):"};
  const std::array<float, 2> offsets{settings.Printing.XOffset, settings.Printing.YOffset};
  auto* fields = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    lblOffset[i] = new QLabel(QString::fromLatin1(captions[i]));
    lblOffset[i]->setObjectName(QStringLiteral("lblOffset%1").arg(i));
    txtOffset[i] = new QLineEdit(OffsetBoxText(offsets[i]));
    txtOffset[i]->setObjectName(QStringLiteral("txtOffset%1").arg(i));
    txtOffset[i]->installEventFilter(this);
    lblOffset[i]->setBuddy(txtOffset[i]);
    fields->addWidget(lblOffset[i], i, 0);
    fields->addWidget(txtOffset[i], i, 1);
  }

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  cmdTest = MakeButton("&Test Print", "cmdTest");
  connect(cmdOK, &QPushButton::clicked, this, &frmAlign::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::Align); });
  connect(cmdTest, &QPushButton::clicked, this, &frmAlign::cmdTest_Click);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOK, cmdCancel, cmdTest, cmdHelp}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::Align);
}

bool frmAlign::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (QLineEdit* box : txtOffset) {
      if (watched != box) continue;
      if (box->text().isEmpty()) box->setText(QStringLiteral("0"));
      // After the click that gave the focus has placed the caret.
      QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool frmAlign::ValidateOffsets() {
  for (QLineEdit* box : txtOffset) {
    const std::optional<double> value = OffsetFromText(box->text());
    if (!value) {
      ShowMessage(MessageKind::Notice, QStringLiteral("'%1' is not a valid offset. Please enter a number between "
                                                      "-1.00 and 1.00.")
                                           .arg(box->text()));
      box->setFocus();
      return false;
    }
    box->setText(OffsetBoxText(*value));
  }
  return true;
}

float frmAlign::OffsetIn(int box) const { return static_cast<float>(*OffsetFromText(txtOffset[box]->text())); }

void frmAlign::cmdOK_Click() {
  if (!ValidateOffsets()) return;
  settings_.Printing.XOffset = OffsetIn(0);
  settings_.Printing.YOffset = OffsetIn(1);
  accept();
}

void frmAlign::cmdTest_Click() {
  CopyChoice oneCopy;
  if (!ValidateOffsets() || !SelectPrinter(settings_, oneCopy, false)) return;
  ShowPrintOutcome(RunPrintStep(QStringLiteral("Unable to complete printing."),
                                [this](PrintOutcome& outcome) { TestPrint(outcome); }));
}

// Side A with the marks where the booklet puts them, then side B shifted by
// the offsets in the boxes; the stored offsets stay as they are. Only paper
// needs the user to turn the sheet in between.
void frmAlign::TestPrint(PrintOutcome& outcome) {
  Printer& printer = ThePrinter();
  PrinterJob job(printer, QStringLiteral("alignment test"), {}, JobSides::TwoPasses, CopyChoice{});
  InitSheetRects(printer, sheetRects_);
  {
    BusyCursor busy;
    DrawCropMarks(printer, sheetRects_, true, "Test Align - Side A");
    printer.EndDocument();
  }
  if (!printer.FeedsPaper() || ShowMessage(MessageKind::PrinterPrompt,
                                           QStringLiteral("Prepare printer for printing side B.")) ==
                                   MessageAnswer::OK) {
    ApplyOffsets(sheetRects_, OffsetIn(0), OffsetIn(1));
    printer.StartSideB();
    BusyCursor busy;
    DrawCropMarks(printer, sheetRects_, true, "Test Align - Side B");
    printer.EndDocument();
  }
  job.Finish(outcome);
}

#include "moc_frmAlign.cpp"
