#include "print/PrinterSelection.h"

#include <optional>

#include <QDir>

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

}  // namespace

bool ApplyPrinter(const ProgramSettings& settings) {
  const std::optional<PrinterChoice> choice = EffectiveChoice(settings.Printing.Printer);
  if (choice) ThePrinter().Choose(*choice);
  return choice.has_value();
}

bool SelectPrinter(ProgramSettings& settings) {
  return ApplyPrinter(settings) || ChoosePrinter(settings);
}

bool ChoosePrinter(ProgramSettings& settings) {
  PrinterChoice choice = EffectiveChoice(settings.Printing.Printer).value_or(settings.Printing.Printer);
  if (!Printers().Choose(choice, HelpTopic::PrinterChoice)) return false;
  settings.Printing.Printer = choice;
  ThePrinter().Choose(choice);
  return true;
}

QString PrinterDescription(const ProgramSettings& settings) {
  const PrinterChoice& stored = settings.Printing.Printer;
  const QString paper = PaperText(stored);
  if (stored.ToFile) return QStringLiteral("PDF files in %1").arg(FolderText(stored.Folder)) + paper;
  if (stored.Chosen()) return stored.Name + paper;
  const QString systemDefault = Printers().DefaultPrinter();
  if (!systemDefault.isEmpty()) return QStringLiteral("%1 (the system's default printer)").arg(systemDefault);
  if (!Printers().Printers().isEmpty()) return QStringLiteral("None chosen yet");
  return QStringLiteral("PDF files in %1 (no printer is installed)").arg(FolderText({}));
}
