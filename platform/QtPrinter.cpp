#include "platform/QtPrinter.h"

#include <algorithm>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPen>
#include <QPrinterInfo>
#include <QTextLayout>

#include "platform/HelpButton.h"
#include "platform/OutputPaper.h"
#include "platform/PdfFilesOutput.h"
#include "platform/PlatformFailure.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/QueueOutput.h"
#include "platform/ServiceSlot.h"
#include "platform/StandardLocations.h"

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kTwipsPerPoint = 20;
constexpr int kPrinterError = 482;
constexpr double kLineWidth = 10;  // twips: half a point
constexpr int kPageNamePoints = 11;

[[noreturn]] void Fail(const char* description) {
  throw PlatformFailure(PlatformError{kPrinterError, QString::fromLatin1(description)});
}

bool PrinterInstalled() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

}  // namespace

std::unique_ptr<PrintOutput> OutputFor(const PrinterChoice& choice) {
  if (!choice.ToFile) return std::make_unique<QueueOutput>(choice.Name, PaperFor(choice));
  const QString folder = choice.Folder.isEmpty() ? DocumentsFolder() : choice.Folder;
  return std::make_unique<PdfFilesOutput>(folder, PaperFor(choice));
}

QtPrinter::QtPrinter(std::unique_ptr<PrintOutput> output) : output_(std::move(output)) {
  const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  SetFont(general.family(), general.pointSize() > 0 ? general.pointSize() : 10, false, false);
}

QtPrinter::~QtPrinter() {
  if (painter_.isActive()) painter_.end();
}

double QtPrinter::PageWidth() {
  const int resolution = output_->Resolution();
  return output_->Layout().paintRectPixels(resolution).width() * kTwipsPerInch / resolution;
}

double QtPrinter::PageHeight() {
  const int resolution = output_->Resolution();
  return output_->Layout().paintRectPixels(resolution).height() * kTwipsPerInch / resolution;
}

double QtPrinter::TextWidth(const std::string& text) { return metrics_->horizontalAdvance(QString::fromStdString(text)); }

bool QtPrinter::HasGlyphs(const std::string& text) {
  // ASCII, most of what is printed, is in every font.
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return true;
  QString shown = QString::fromStdString(text);
  // Control characters (line breaks, tabs) print as blanks.
  for (QChar& c : shown)
    if (c.unicode() < 0x20) c = u' ';
  // Most text is in the current font itself: only the rest is laid out,
  // with font fallback, as it is printed. Glyph 0 is the empty box.
  const QList<uint> characters = shown.toUcs4();
  if (std::all_of(characters.begin(), characters.end(), [this](uint c) { return metrics_->inFontUcs4(c); }))
    return true;
  QTextLayout layout(shown, font_);
  layout.beginLayout();
  while (layout.createLine().isValid()) {
  }
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  return std::none_of(runs.begin(), runs.end(), [](const QGlyphRun& run) { return run.glyphIndexes().contains(0); });
}

void QtPrinter::PrintText(const std::string& text) {
  if (text.empty()) return;
  const QString shown = QString::fromStdString(text);
  if (Drawing()) painter_.drawText(QPointF(x_, y_ + metrics_->ascent()), shown);
  x_ += metrics_->horizontalAdvance(shown);
}

void QtPrinter::DrawLine(double x1, double y1, double x2, double y2) {
  if (Drawing()) painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

bool QtPrinter::Drawing() {
  pageUsed_ = true;
  if (!pages_.isEmpty() && !pages_.contains(page_)) return false;
  StartDrawing();
  return true;
}

void QtPrinter::SetFont(const QString& name, int points, bool bold, bool italic) {
  font_ = QFont(name);
  // Qt refuses a size of 0; the smallest size stands in for it.
  font_.setPixelSize(std::max(points, 1) * kTwipsPerPoint);
  font_.setBold(bold);
  font_.setItalic(italic);
  font_.setHintingPreference(QFont::PreferNoHinting);
  points_ = points;
  metrics_ = std::make_unique<QFontMetricsF>(font_);
  if (painter_.isActive()) painter_.setFont(font_);
}

QString QtPrinter::FontName() {
  if (!PrinterInstalled()) Fail("No printer is installed");
  return font_.family();
}

int QtPrinter::FontSize() {
  if (!PrinterInstalled()) Fail("No printer is installed");
  return points_;
}

void QtPrinter::NewPage() {
  pageEnded_ = painter_.isActive();
  if (pageUsed_) ++page_;
  pageUsed_ = false;
}

void QtPrinter::EndDocument() {
  if (output_->Span() == DeviceSpan::Document)
    CloseDevice();
  else
    NewPage();
}

void QtPrinter::Choose(const PrinterChoice& choice) {
  if (painter_.isActive()) painter_.end();
  output_ = OutputFor(choice);
}

void QtPrinter::StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) {
  pages_ = QPageRanges::fromString(copies.PageRanges);
  page_ = 1;
  pageUsed_ = false;
  pageNames_.clear();
  output_->StartJob(report, title, sides, copies);
}

void QtPrinter::StartSideB() {
  if (output_->Span() == DeviceSpan::Job) {
    NewPage();
    return;
  }
  CloseDevice();
  output_->StartSideB();
}

FinishedJob QtPrinter::FinishJob() {
  try {
    CloseDevice();
    return output_->FinishJob();
  } catch (const PlatformFailure&) {
    output_->AbandonJob();
    throw;
  }
}

void QtPrinter::AbandonJob() {
  // On paper what was drawn still goes to the printer, as after any job.
  if (output_->Span() == DeviceSpan::Document) {
    try {
      CloseDevice();
    } catch (const PlatformFailure&) {
      // The job has failed already; that failure is the one reported.
    }
  }
  if (painter_.isActive()) painter_.end();
  output_->AbandonJob();
}

bool QtPrinter::Preview(const std::function<void(Printer&)>& draw, int helpContext) {
  PrintPreviewWindow window(output_->Layout(), output_->Resolution(), output_->CanPrintBothSides(), draw);
  AddHelpButton(window, helpContext);
  return window.Run();
}

// Opens the device on first drawing and the page ended last, so that ending
// a page or a document without drawing emits no blank sheet.
void QtPrinter::StartDrawing() {
  if (!painter_.isActive()) {
    QPagedPaintDevice& device = output_->OpenDevice();
    if (!painter_.begin(&device)) {
      output_->CloseDevice(false);  // raises with the output's reason
      Fail("The printer could not start the document");
    }
    device_ = &device;
    const double scale = output_->Resolution() / kTwipsPerInch;
    painter_.scale(scale, scale);
    painter_.setFont(font_);
    painter_.setPen(QPen(Qt::black, kLineWidth));
    pageEnded_ = false;
    DrawPageName();
  }
  if (pageEnded_) {
    if (!device_->newPage()) FailNewPage();
    pageEnded_ = false;
    DrawPageName();
  }
}

// A file that could not be written (a full disk) makes the page fail; its
// output says why.
void QtPrinter::FailNewPage() {
  painter_.end();
  device_ = nullptr;
  output_->CloseDevice(false);
  Fail("The printer could not start a new page");
}

// Only a preview shows the name, in the top margin of the printable area.
void QtPrinter::DrawPageName() {
  const QString name = std::exchange(pageName_, {});
  pageNames_ << name;
  if (name.isEmpty() || output_->Span() != DeviceSpan::Job) return;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kPageNamePoints * kTwipsPerPoint);
  font.setBold(true);
  painter_.save();
  painter_.setFont(font);
  painter_.setPen(QColor(0, 70, 160));
  painter_.drawText(QPointF(0, QFontMetricsF(font).ascent()), name);
  painter_.restore();
}

void QtPrinter::CloseDevice() {
  pageEnded_ = false;
  if (!painter_.isActive()) return;
  const bool painted = painter_.end();
  device_ = nullptr;
  output_->CloseDevice(painted);
}

namespace {

ServiceSlot<Printer> slot([] { return std::make_unique<QtPrinter>(OutputFor(SystemDefaultChoice())); });

}  // namespace

Printer& ThePrinter() { return slot.Get(); }
void InstallPrinter(Printer* implementation) { slot.Install(implementation); }
