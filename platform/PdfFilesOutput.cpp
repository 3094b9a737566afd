#include "platform/PdfFilesOutput.h"

#include <utility>

#include <QFile>

#include "platform/PdfFileNames.h"

PdfFilesOutput::PdfFilesOutput(QString folder, OutputPaper paper)
    : folder_(std::move(folder)), paper_(std::move(paper)) {}

void PdfFilesOutput::StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice&) {
  AbandonJob();
  const QStringList sideNames = sides == JobSides::TwoPasses
                                    ? QStringList{QStringLiteral("side A"), QStringLiteral("side B")}
                                    : QStringList{};
  paths_ = NewPdfPaths(folder_, report, sideNames, QDateTime::currentDateTime());
  title_ = title;
  side_ = 0;
}

QPagedPaintDevice& PdfFilesOutput::OpenDevice() {
  const QString path = paths_.at(side_);
  document_ = std::make_unique<PdfDocumentFile>(path, paper_.Layout, paper_.Resolution, title_);
  opened_ << path;
  cleanups_.push_back(std::make_unique<ScopedExitCleanup>([path] { QFile::remove(path); }));
  return document_->Device();
}

void PdfFilesOutput::CloseDevice(bool painted) {
  const std::unique_ptr<PdfDocumentFile> document = std::move(document_);
  document->Close(painted);
  written_ << document->Path();
}

void PdfFilesOutput::StartSideB() { side_ = std::min(side_ + 1, static_cast<int>(paths_.size()) - 1); }

FinishedJob PdfFilesOutput::FinishJob() {
  cleanups_.clear();
  opened_.clear();
  return {std::exchange(written_, {}), {}};
}

void PdfFilesOutput::AbandonJob() {
  document_.reset();
  for (const QString& path : opened_) QFile::remove(path);
  opened_.clear();
  written_.clear();
  cleanups_.clear();
}
