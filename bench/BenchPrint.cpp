#include <cstdio>

#include <QFile>
#include <QRegularExpression>

#include "bench/BenchRegistry.h"
#include "core/ProgramSettings.h"
#include "platform/MessageBoxes.h"
#include "platform/Printer.h"
#include "print/PrintList.h"
#include "print/PrintRecords.h"
#include "print/PrinterFont.h"
#include "print/ReadyPagePrompt.h"

namespace {

// Answers every message box at once, keeping the PDF files the printer
// named so that they can be deleted afterwards.
class SilentMessages : public MessageBoxes {
 public:
  MessageAnswer Show(MessageKind, const QString& text) override {
    static const QRegularExpression pdf(QStringLiteral("\n(.+\\.pdf)$"));
    const QRegularExpressionMatch match = pdf.match(text);
    if (match.hasMatch()) files.push_back(match.captured(1));
    else errors.push_back(text);
    return MessageAnswer::OK;
  }
  std::vector<QString> files;
  std::vector<QString> errors;
};

// Goes on at the first side B sheet and asks no more.
class GoOnReadyPage : public ReadyPagePrompt {
 public:
  bool Ask(const std::string&, bool& promptEachPage) override {
    promptEachPage = false;
    return true;
  }
};

double PrintToPdf(BookState& book, ReportType type) {
  SilentMessages messages;
  GoOnReadyPage readyPage;
  InstallMessages(&messages);
  InstallReadyPage(&readyPage);
  ProgramSettings settings;
  auto& printing = settings.Printing;
  printing.ReportType = static_cast<int16_t>(type);
  printing.IncludeAddress = type == ReportType::PhoneBook;
  printing.FontName = QStringLiteral("DejaVu Serif");
  printing.FontSize = 9;
  const double seconds = SecondsOf([&] {
    PrintJob job;
    SetPrinterFont(ThePrinter(), settings);
    job.LinesPerPage = CalcLinesPerPage(ThePrinter(), type);
    BuildPrintList(book, job);
    SortPrintList(book, job);
    PrintRecords(book, settings, job);
  });
  InstallMessages(nullptr);
  InstallReadyPage(nullptr);
  for (const QString& error : messages.errors) std::fprintf(stderr, "%s\n", qPrintable(error));
  for (const QString& file : messages.files) QFile::remove(file);
  // A job that failed must not pass for a fast one.
  return messages.errors.empty() ? seconds : 1e9;
}

RegisterBenchStep phoneList{"phone list to PDF", 30.0,
                            [](BookState& book) { return PrintToPdf(book, ReportType::PhoneList); }};

RegisterBenchStep booklet{"phone book booklet to PDF", 30.0,
                          [](BookState& book) { return PrintToPdf(book, ReportType::PhoneBook); }};

}  // namespace
