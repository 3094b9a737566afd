#pragma once

#include <memory>

#include <QFile>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;
class QPdfWriter;

// One PDF document being written to a file, with every write checked: a
// failure (a full disk) raises PlatformFailure with the system's reason and
// removes the incomplete file.
class PdfDocumentFile {
 public:
  PdfDocumentFile(const QString& path, const QPageLayout& layout, int resolution, const QString& title);
  ~PdfDocumentFile();
  PdfDocumentFile(const PdfDocumentFile&) = delete;
  PdfDocumentFile& operator=(const PdfDocumentFile&) = delete;

  QPagedPaintDevice& Device();
  // After the painter ended: completes the file or raises.
  void Close(bool painted);
  QString Path() const { return file_.fileName(); }

 private:
  [[noreturn]] void Fail(const QString& reason);

  QFile file_;
  std::unique_ptr<QPdfWriter> writer_;
};
