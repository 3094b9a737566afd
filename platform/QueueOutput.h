#pragma once

#include <memory>

#include "platform/OutputPaper.h"
#include "platform/PdfDocumentFile.h"
#include "platform/PrintOutput.h"
#include "platform/PrivateFolder.h"

// A CUPS printer queue: each document is written to a PDF file in a private
// folder and handed to the queue as a job of its own, so that a queue that
// refuses it is reported with the reason CUPS gives, and one that keeps it
// without printing is told of.
class QueueOutput : public PrintOutput {
 public:
  QueueOutput(QString queue, OutputPaper paper);

  QPageLayout Layout() const override { return paper_.Layout; }
  int Resolution() const override { return paper_.Resolution; }
  DeviceSpan Span() const override { return DeviceSpan::Document; }
  bool CanPrintBothSides() const override { return paper_.BothSides; }

  void StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) override;
  QPagedPaintDevice& OpenDevice() override;
  void CloseDevice(bool painted) override;
  void StartSideB() override { side_ = QStringLiteral(" side B"); }
  FinishedJob FinishJob() override;
  void AbandonJob() override;

 private:
  QString JobTitle() const { return name_ + side_; }

  QString queue_;
  OutputPaper paper_;
  QString name_;
  QString side_;
  JobSides sides_ = JobSides::OneSide;
  CopyChoice copies_;
  QStringList notices_;
  std::unique_ptr<PrivateFolder> folder_;
  std::unique_ptr<PdfDocumentFile> document_;
};
