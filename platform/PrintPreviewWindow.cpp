#include "platform/PrintPreviewWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/BusyPointer.h"
#include "platform/QtPrinter.h"

namespace {

// The preview printer's own device, for the whole preview.
class PreviewOutput : public PrintOutput {
 public:
  PreviewOutput(QPrinter& printer, bool bothSides) : printer_(printer), bothSides_(bothSides) {}

  QPageLayout Layout() const override { return printer_.pageLayout(); }
  int Resolution() const override { return printer_.resolution(); }
  DeviceSpan Span() const override { return DeviceSpan::Job; }
  bool CanPrintBothSides() const override { return bothSides_; }
  void StartJob(const QString&, const QString&, JobSides, const CopyChoice&) override {}
  QPagedPaintDevice& OpenDevice() override { return printer_; }
  void CloseDevice(bool) override {}
  void StartSideB() override {}
  FinishedJob FinishJob() override { return {}; }
  void AbandonJob() override {}

 private:
  QPrinter& printer_;
  bool bothSides_;
};

QAction* AddAction(QToolBar* bar, const char* text, const QKeySequence& key, const std::function<void()>& run) {
  QAction* action = bar->addAction(QString::fromLatin1(text));
  action->setShortcut(key);
  QObject::connect(action, &QAction::triggered, bar, run);
  return action;
}

}  // namespace

PrintPreviewWindow::PrintPreviewWindow(const QPageLayout& layout, int resolution, bool bothSides,
                                       std::function<void(Printer&)> draw, QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()),
      draw_(std::move(draw)),
      bothSides_(bothSides),
      printer_(QPrinter::HighResolution) {
  setObjectName(QStringLiteral("PrintPreviewWindow"));
  setWindowTitle(QStringLiteral("Print Preview"));
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setResolution(resolution);
  printer_.setPageLayout(layout);
  preview_ = new QPrintPreviewWidget(&printer_, this);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewWindow::Paint);
  pageNumber_ = new QLabel;
  auto* buttons = new QDialogButtonBox;
  QPushButton* print = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::AcceptRole);
  print->setObjectName(QStringLiteral("cmdPrint"));
  buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* box = new QVBoxLayout(this);
  box->addWidget(MakeToolBar());
  box->addWidget(preview_);
  box->addWidget(buttons);
  {
    BusyCursor busy;
    preview_->updatePreview();
  }
  if (failure_) std::rethrow_exception(failure_);
  connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewWindow::ShowPageNumber);
  ShowPageNumber();
  const QSize screen = QApplication::primaryScreen()->availableSize();
  resize(std::min(900, screen.width()), screen.height() * 9 / 10);
}

QToolBar* PrintPreviewWindow::MakeToolBar() {
  auto* bar = new QToolBar(this);
  AddAction(bar, "Fit &Width", {}, [this] { preview_->fitToWidth(); });
  AddAction(bar, "Fit &Page", {}, [this] { preview_->fitInView(); });
  AddAction(bar, "Zoom &In", QKeySequence::ZoomIn, [this] { preview_->zoomIn(); });
  AddAction(bar, "Zoom &Out", QKeySequence::ZoomOut, [this] { preview_->zoomOut(); });
  bar->addSeparator();
  AddAction(bar, "Pre&vious Page", Qt::CTRL | Qt::Key_PageUp, [this] { GoToPage(preview_->currentPage() - 1); });
  AddAction(bar, "&Next Page", Qt::CTRL | Qt::Key_PageDown, [this] { GoToPage(preview_->currentPage() + 1); });
  bar->addWidget(pageNumber_);
  bar->addSeparator();
  AddAction(bar, "&Single Page", {}, [this] { preview_->setSinglePageViewMode(); });
  AddAction(bar, "&Facing Pages", {}, [this] { preview_->setFacingPagesViewMode(); });
  AddAction(bar, "&All Pages", {}, [this] { preview_->setAllPagesViewMode(); });
  return bar;
}

int PrintPreviewWindow::PageCount() const { return preview_->pageCount(); }

bool PrintPreviewWindow::Run() { return exec() == QDialog::Accepted; }

void PrintPreviewWindow::Paint(QPrinter* printer) {
  try {
    QtPrinter drawing(std::make_unique<PreviewOutput>(*printer, bothSides_));
    draw_(drawing);
    pageNames_ = drawing.PageNames();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

// Scrolling tells the page number itself; going to a page does not.
void PrintPreviewWindow::GoToPage(int page) {
  preview_->setCurrentPage(page);
  ShowPageNumber();
}

// With the page's name, if it has one: " Page 3 of 4: Side B of sheet 2 ".
void PrintPreviewWindow::ShowPageNumber() {
  const int page = preview_->currentPage();
  const QString name = pageNames_.value(page - 1);
  pageNumber_->setText(QStringLiteral(" Page %1 of %2%3 ")
                           .arg(page)
                           .arg(preview_->pageCount())
                           .arg(name.isEmpty() ? QString() : QStringLiteral(": ") + name));
}

#include "moc_PrintPreviewWindow.cpp"
