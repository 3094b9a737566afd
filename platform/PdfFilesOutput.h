#pragma once

#include <memory>
#include <vector>

#include "platform/ExitCleanup.h"
#include "platform/OutputPaper.h"
#include "platform/PdfDocumentFile.h"
#include "platform/PrintOutput.h"

// PDF files in a folder: one file a job, or one for each side of a
// two-pass job, named after the report and the time. Until the job is
// complete its files are removed if it fails or the program is ended.
class PdfFilesOutput : public PrintOutput {
 public:
  PdfFilesOutput(QString folder, OutputPaper paper);

  QPageLayout Layout() const override { return paper_.Layout; }
  int Resolution() const override { return paper_.Resolution; }
  DeviceSpan Span() const override { return DeviceSpan::Side; }
  bool CanPrintBothSides() const override { return true; }

  void StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) override;
  QPagedPaintDevice& OpenDevice() override;
  void CloseDevice(bool painted) override;
  void StartSideB() override;
  FinishedJob FinishJob() override;
  void AbandonJob() override;

 private:
  QString folder_;
  OutputPaper paper_;
  QString title_;
  QStringList paths_;  // one for each side of the job
  int side_ = 0;
  QStringList opened_;   // files this job has made
  QStringList written_;  // and completed
  std::unique_ptr<PdfDocumentFile> document_;
  std::vector<std::unique_ptr<ScopedExitCleanup>> cleanups_;
};
