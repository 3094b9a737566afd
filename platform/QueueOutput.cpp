#include "platform/QueueOutput.h"

#include <utility>

#include "platform/CupsQueue.h"

QueueOutput::QueueOutput(QString queue, OutputPaper paper) : queue_(std::move(queue)), paper_(std::move(paper)) {}

void QueueOutput::StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) {
  AbandonJob();
  name_ = QStringLiteral("Vantreo ") + report;
  if (!title.isEmpty()) name_ += QStringLiteral(": ") + title;
  side_ = sides == JobSides::TwoPasses ? QStringLiteral(" side A") : QString();
  sides_ = sides;
  copies_ = copies;
}

QPagedPaintDevice& QueueOutput::OpenDevice() {
  folder_ = std::make_unique<PrivateFolder>();
  document_ = std::make_unique<PdfDocumentFile>(folder_->FilePath(QStringLiteral("document.pdf")), paper_.Layout,
                                                paper_.Resolution, JobTitle());
  return document_->Device();
}

void QueueOutput::CloseDevice(bool painted) {
  const std::unique_ptr<PrivateFolder> folder = std::move(folder_);
  const std::unique_ptr<PdfDocumentFile> document = std::move(document_);
  document->Close(painted);
  const QueueJobOptions options{paper_.Layout.pageSize().key(),
                                paper_.Layout.orientation() == QPageLayout::Landscape, sides_, copies_};
  const QString notice = SubmitToQueue(queue_, document->Path(), JobTitle(), options);
  if (!notice.isEmpty() && !notices_.contains(notice)) notices_ << notice;
}

FinishedJob QueueOutput::FinishJob() { return {{}, std::exchange(notices_, {})}; }

void QueueOutput::AbandonJob() {
  notices_.clear();
  document_.reset();
  folder_.reset();
}
