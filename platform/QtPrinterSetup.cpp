#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>

#include "platform/CupsQueue.h"
#include "platform/HelpButton.h"
#include "platform/OutputPaper.h"
#include "platform/PrinterSetup.h"
#include "platform/ServiceSlot.h"
#include "platform/StandardLocations.h"

namespace {

// A printer set up as the choice, for the print dialog to start from.
void Preset(QPrinter& printer, const PrinterChoice& choice) {
  if (choice.ToFile) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString folder = choice.Folder.isEmpty() ? DocumentsFolder() : choice.Folder;
    printer.setOutputFileName(JoinPath(folder, QStringLiteral("Vantreo printout.pdf")));
  } else if (!choice.Name.isEmpty()) {
    printer.setPrinterName(choice.Name);
  }
  printer.setPageLayout(PaperFor(choice).Layout);
}

void Preset(QPrinter& printer, const CopyChoice& copies) {
  printer.setCopyCount(copies.Copies);
  printer.setCollateCopies(copies.Collate);
  printer.setPageOrder(copies.Reverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
  printer.setDuplex(copies.Sides == TwoSided::LongEdge    ? QPrinter::DuplexLongSide
                    : copies.Sides == TwoSided::ShortEdge ? QPrinter::DuplexShortSide
                                                          : QPrinter::DuplexNone);
  const QPageRanges ranges = QPageRanges::fromString(copies.PageRanges);
  printer.setPageRanges(ranges);
  printer.setPrintRange(ranges.isEmpty() ? QPrinter::AllPages : QPrinter::PageRange);
}

TwoSided SidesOf(QPrinter::DuplexMode duplex) {
  switch (duplex) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: return TwoSided::LongEdge;
    case QPrinter::DuplexShortSide: return TwoSided::ShortEdge;
    case QPrinter::DuplexNone: break;
  }
  return TwoSided::Off;
}

// A file is one copy; the pages chosen hold for files too.
CopyChoice CopiesOf(const QPrinter& printer, bool pageRanges) {
  CopyChoice copies;
  if (printer.printRange() == QPrinter::PageRange && pageRanges) copies.PageRanges = printer.pageRanges().toString();
  if (printer.outputFormat() == QPrinter::PdfFormat) return copies;
  copies.Copies = printer.copyCount();
  copies.Collate = printer.collateCopies();
  copies.Reverse = printer.pageOrder() == QPrinter::LastPageFirst;
  copies.Sides = SidesOf(printer.duplex());
  return copies;
}

// Removes from Qt's dialog what Vantreo does not honour: odd or even pages,
// colour or grey, and the page ranges where the report prints whole sheets.
// The names are those of Qt's own form; Qt shows them again as the dialog
// opens and when another printer is chosen.
void HideWhatIsNotHonoured(QPrintDialog& dialog, bool pageRanges) {
  QStringList names{QStringLiteral("pageSetLabel"), QStringLiteral("pageSetCombo"), QStringLiteral("colorMode")};
  if (!pageRanges) names << QStringLiteral("gbPrintRange");
  const auto hide = [&dialog, names] {
    for (const QString& name : names)
      if (auto* widget = dialog.findChild<QWidget*>(name)) widget->hide();
  };
  QTimer::singleShot(0, &dialog, hide);
  if (auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers")))
    QObject::connect(printers, &QComboBox::currentIndexChanged, &dialog, hide, Qt::QueuedConnection);
}

PrinterChoice ChoiceOf(const QPrinter& printer) {
  PrinterChoice choice;
  choice.ToFile = printer.outputFormat() == QPrinter::PdfFormat;
  if (choice.ToFile) {
    if (!printer.outputFileName().isEmpty()) choice.Folder = QFileInfo(printer.outputFileName()).absolutePath();
  } else {
    choice.Name = printer.printerName();
  }
  choice.PaperSize = printer.pageLayout().pageSize().key();
  choice.Landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
  return choice;
}

class QtPrinterSetup : public PrinterSetup {
 public:
  QStringList Printers() override { return QPrinterInfo::availablePrinterNames(); }
  QString DefaultPrinter() override { return QPrinterInfo::defaultPrinterName(); }
  bool ServiceRunning() override { return PrintServiceRunning(); }

  bool Choose(PrinterChoice& choice, CopyChoice& copies, bool pageRanges, int helpContext) override {
    QPrinter printer(QPrinter::HighResolution);
    Preset(printer, choice);
    Preset(printer, copies);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Printer"));
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    if (pageRanges) options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    HideWhatIsNotHonoured(dialog, pageRanges);
    // The dialog chooses; printing is started from the print dialog of Vantreo.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
      if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    AddHelpButton(dialog, helpContext);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = ChoiceOf(printer);
    copies = CopiesOf(printer, pageRanges);
    return true;
  }
};

ServiceSlot<PrinterSetup> slot([] { return std::make_unique<QtPrinterSetup>(); });

}  // namespace

PrinterSetup& Printers() { return slot.Get(); }
void InstallPrinterSetup(PrinterSetup* implementation) { slot.Install(implementation); }
