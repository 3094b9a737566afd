#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "core/Document.h"
#include "interchange/ImportSource.h"
#include "mainwindow/ColumnMappingModel.h"
#include "mainwindow/frmImport.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kCardProperties = 1000000;
constexpr int kCsvColumns = 10000;
constexpr int kCsvRows = 20;

// One card whose properties repeat a round of four: a phone under a label of
// its own (past the phone-name limit), an e-mail address, a web address and
// a property of another program.
std::string HugeCard() {
  std::string card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Huge\r\nN:Huge;Ann;;;\r\n";
  for (int i = 0; i < kCardProperties; ++i) {
    const std::string n = std::to_string(i);
    switch (i % 4) {
      case 0: card += "TEL;TYPE=x-line" + n + ":+1 555 " + n + "\r\n"; break;
      case 1: card += "EMAIL:ann" + n + "@example.com\r\n"; break;
      case 2: card += "URL:https://example.com/" + n + "\r\n"; break;
      default: card += "X-OTHER-" + n + ":value " + n + "\r\n"; break;
    }
  }
  return card + "END:VCARD\r\n";
}

// A header of a name, a phone and columns no address book knows, each row filled.
std::string WideCsv() {
  std::string csv = "Name,Phone";
  for (int c = 2; c < kCsvColumns; ++c) csv += ",Column " + std::to_string(c);
  for (int r = 0; r < kCsvRows; ++r) {
    csv += "\r\nPerson " + std::to_string(r) + ",555 01" + std::to_string(r);
    for (int c = 2; c < kCsvColumns; ++c) csv += ",v" + std::to_string(r * kCsvColumns + c);
  }
  return csv + "\r\n";
}

// The command-line import of the file into a new book, from start to exit:
// reading, planning, appending and saving. It runs as a program of its own,
// so that its memory is not counted as the benchmark's.
double ImportSeconds(const std::string& content, const QString& fileName) {
  QTemporaryDir dir;
  const QString path = dir.filePath(fileName);
  PlatformError error;
  WriteFileAtomically(path, content, error);
  QProcess program;
  return SecondsOf([&] {
    program.start(QStringLiteral(VANTREO_PROGRAM),
                  {QStringLiteral("--import"), path, QStringLiteral("--into"), dir.filePath(QStringLiteral("book.dat"))});
    program.waitForFinished(-1);
  });
}

RegisterBenchStep cardStep{"vCard card of 1,000,000 properties", 5.0,
                           [](BookState&) { return ImportSeconds(HugeCard(), QStringLiteral("huge.vcf")); }};

RegisterBenchStep csvStep{"CSV of 10,000 columns and 20 rows", 2.0,
                          [](BookState&) { return ImportSeconds(WideCsv(), QStringLiteral("wide.csv")); }};

// The wide file written into dir, and its sources as the import reads them.
std::vector<ImportSource> WideSources(const QTemporaryDir& dir) {
  const QString path = dir.filePath(QStringLiteral("wide.csv"));
  PlatformError error;
  WriteFileAtomically(path, WideCsv(), error);
  std::vector<ImportSource> sources(1);
  OpenImportSource(path, sources[0], error);
  return sources;
}

// The import dialog on the wide file: read, planned, a row for each of its
// 10,000 columns to map, and the preview, shown.
RegisterBenchStep wideDialogStep{"import preview of 10,000 columns", 2.0, [](BookState&) {
                                   QTemporaryDir dir;
                                   BookState book;
                                   NewDocument(book);
                                   return SecondsOf([&] {
                                     frmImport dialog(book, WideSources(dir));
                                     dialog.show();
                                     QCoreApplication::processEvents();  // shown, as its own loop would show it
                                   });
                                 }};

// One column of the open dialog mapped anew, as the editor commits it, until
// the preview shows the new plan; the window answers meanwhile.
RegisterBenchStep wideMappingStep{"import preview of 10,000 columns, a column mapped anew", 1.0, [](BookState&) {
                                    QTemporaryDir dir;
                                    BookState book;
                                    NewDocument(book);
                                    frmImport dialog(book, WideSources(dir));
                                    dialog.show();
                                    QCoreApplication::processEvents();
                                    QAbstractItemModel* mapping = dialog.grdColumns->model();
                                    const int phone = static_cast<int>(ColumnMappingModel::FieldCaptions().indexOf("Phone"));
                                    QEventLoop shown;
                                    QObject::connect(&dialog, &frmImport::PreviewShown, &shown, &QEventLoop::quit);
                                    return SecondsOf([&] {
                                      mapping->setData(mapping->index(0, ColumnMappingModel::kField), phone, Qt::EditRole);
                                      if (dialog.Replanning()) shown.exec();
                                    });
                                  }};

}  // namespace
