#include "print/PrinterSelection.h"

#include <optional>

#include <QDir>

#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "platform/Printer.h"
#include "platform/PrinterSetup.h"
#include "platform/StandardLocations.h"

namespace {

// The choice that applies: the stored one, else the system's; nothing when
// printers exist but none is the default.
std::optional<PrinterChoice> EffectiveChoice(const PrinterChoice& stored) {
  if (stored.Chosen()) return stored;
  PrinterChoice choice = stored;
  choice.Name = Printers().DefaultPrinter();
  if (!choice.Name.isEmpty()) return choice;
  if (!Printers().Printers().isEmpty()) return std::nullopt;
  choice.ToFile = true;
  return choice;
}

QString FolderText(const QString& folder) {
  return QDir::toNativeSeparators(folder.isEmpty() ? DocumentsFolder() : folder);
}

QString PaperText(const PrinterChoice& choice) {
  if (choice.PaperSize.isEmpty()) return {};
  return QStringLiteral(", %1, %2").arg(choice.PaperSize, choice.Landscape ? QStringLiteral("landscape")
                                                                             : QStringLiteral("portrait"));
}

// PDF files on the chosen paper, for this request only.
bool OfferPdfFiles(const PrinterChoice& stored) {
  const QString offer = QStringLiteral("The print service is not running, so nothing can be printed on a printer "
                                       "now. Choose OK to save the printout as PDF files in %1 instead, or Cancel.")
                            .arg(FolderText({}));
  if (ShowMessage(MessageKind::PrinterPrompt, offer) != MessageAnswer::OK) return false;
  PrinterChoice files = stored;
  files.Name.clear();
  files.ToFile = true;
  files.Folder.clear();
  ThePrinter().Choose(files);
  return true;
}

}  // namespace

bool ApplyPrinter(const ProgramSettings& settings) {
  const std::optional<PrinterChoice> choice = EffectiveChoice(settings.Printing.Printer);
  if (choice) ThePrinter().Choose(*choice);
  return choice.has_value();
}

bool SelectPrinter(ProgramSettings& settings, CopyChoice& copies, bool pageRanges) {
  if (!settings.Printing.Printer.ToFile && !Printers().ServiceRunning()) return OfferPdfFiles(settings.Printing.Printer);
  return ApplyPrinter(settings) || ChoosePrinter(settings, copies, pageRanges);
}

bool ChoosePrinter(ProgramSettings& settings, CopyChoice& copies, bool pageRanges) {
  PrinterChoice choice = EffectiveChoice(settings.Printing.Printer).value_or(settings.Printing.Printer);
  if (!Printers().Choose(choice, copies, pageRanges, HelpTopic::PrinterChoice)) return false;
  settings.Printing.Printer = choice;
  ThePrinter().Choose(choice);
  return true;
}

QString PrinterDescription(const ProgramSettings& settings) {
  const PrinterChoice& stored = settings.Printing.Printer;
  const QString paper = PaperText(stored);
  if (stored.ToFile) return QStringLiteral("PDF files in %1").arg(FolderText(stored.Folder)) + paper;
  if (!Printers().ServiceRunning())
    return (stored.Chosen() ? stored.Name + QStringLiteral(": ") : QString()) +
           QStringLiteral("the print service is not running");
  if (stored.Chosen()) return stored.Name + paper;
  const QString systemDefault = Printers().DefaultPrinter();
  if (!systemDefault.isEmpty()) return QStringLiteral("%1 (the system's default printer)").arg(systemDefault);
  if (!Printers().Printers().isEmpty()) return QStringLiteral("None chosen yet");
  return QStringLiteral("PDF files in %1 (no printer is installed)").arg(FolderText({}));
}
