#include "platform/OutputPaper.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The page size with that key, among the printer's sizes first.
QPageSize PageSizeOf(const QString& key, const QPrinterInfo& info) {
  for (const QPageSize& size : info.supportedPageSizes())
    if (size.key() == key) return size;
  for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
    const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
    if (size.key() == key) return size;
  }
  return {};
}

bool DuplexOf(const QPrinterInfo& info) {
  const QList<QPrinter::DuplexMode> modes = info.supportedDuplexModes();
  return modes.contains(QPrinter::DuplexLongSide) || modes.contains(QPrinter::DuplexAuto);
}

}  // namespace

OutputPaper PaperFor(const PrinterChoice& choice) {
  const QPrinterInfo info = choice.ToFile ? QPrinterInfo() : QPrinterInfo::printerInfo(choice.Name);
  QPrinter printer(info, QPrinter::HighResolution);
  if (info.isNull()) printer.setOutputFormat(QPrinter::PdfFormat);
  const QPageSize size = PageSizeOf(choice.PaperSize, info);
  if (size.isValid()) printer.setPageSize(size);
  printer.setPageOrientation(choice.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  return {printer.pageLayout(), printer.resolution(), choice.ToFile || DuplexOf(info)};
}

PrinterChoice SystemDefaultChoice() {
  PrinterChoice choice;
  choice.Name = QPrinterInfo::defaultPrinterName();
  choice.ToFile = choice.Name.isEmpty();
  return choice;
}
