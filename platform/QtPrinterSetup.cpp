#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

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

  bool Choose(PrinterChoice& choice, int helpContext) override {
    QPrinter printer(QPrinter::HighResolution);
    Preset(printer, choice);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Printer"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // The dialog chooses; printing is started from the print dialog of Vantreo.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
      if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    AddHelpButton(dialog, helpContext);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = ChoiceOf(printer);
    return true;
  }
};

ServiceSlot<PrinterSetup> slot([] { return std::make_unique<QtPrinterSetup>(); });

}  // namespace

PrinterSetup& Printers() { return slot.Get(); }
void InstallPrinterSetup(PrinterSetup* implementation) { slot.Install(implementation); }
