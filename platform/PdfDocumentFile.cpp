#include "platform/PdfDocumentFile.h"

#include <QPdfWriter>

#include "platform/FileWriteFailure.h"
#include "platform/PlatformFailure.h"
#include "platform/ProgramIdentity.h"

namespace {

constexpr int kFileAccessError = 75;

}  // namespace

PdfDocumentFile::PdfDocumentFile(const QString& path, const QPageLayout& layout, int resolution,
                                 const QString& title)
    : file_(path) {
  if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly))
    throw PlatformFailure(PlatformError{kFileAccessError, file_.errorString()});
  writer_ = std::make_unique<QPdfWriter>(&file_);
  writer_->setResolution(resolution);
  writer_->setPageLayout(layout);
  writer_->setTitle(title);
  writer_->setCreator(QLatin1String(kProgramName));
}

PdfDocumentFile::~PdfDocumentFile() = default;

QPagedPaintDevice& PdfDocumentFile::Device() { return *writer_; }

void PdfDocumentFile::Close(bool painted) {
  writer_.reset();
  // A failed write leaves its error behind; closing would clear it.
  const bool written = file_.flush() && file_.error() == QFileDevice::NoError;
  const QString reason = written ? QString() : WriteFailureReason(file_);
  file_.close();
  if (!written) Fail(reason);
  if (!painted) Fail(QStringLiteral("The PDF document could not be completed"));
}

void PdfDocumentFile::Fail(const QString& reason) {
  writer_.reset();
  file_.close();
  file_.remove();
  throw PlatformFailure(PlatformError{kFileAccessError, reason});
}
