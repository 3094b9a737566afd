#include <memory>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/AnsiText.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformFailure.h"
#include "platform/Printer.h"
#include "platform/ServiceSlot.h"
#include "platform/StandardLocations.h"

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr int kTwipsPerPoint = 20;
constexpr int kPrinterError = 482;

[[noreturn]] void Fail(const char* description) {
  throw PlatformFailure(PlatformError{kPrinterError, QString::fromLatin1(description)});
}

bool PrinterInstalled() { return !QPrinterInfo::defaultPrinter().isNull(); }

// A new file name in the documents folder for a printout saved as PDF.
QString NewPdfPath() {
  const QString stem = QStringLiteral("Vantreo printout ") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
  QString path = JoinPath(DocumentsFolder(), stem + QStringLiteral(".pdf"));
  for (int copy = 2; QFileInfo::exists(path); ++copy)
    path = JoinPath(DocumentsFolder(), QStringLiteral("%1 (%2).pdf").arg(stem).arg(copy));
  return path;
}

// Draws on the system's default printer, or into a PDF file in the user's
// documents folder when no printer is installed. The painter works in twips
// and the font is sized in twips, so measurements need no conversion.
class QtPrinter : public Printer {
 public:
  QtPrinter() {
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    SetFont(general.family(), general.pointSize() > 0 ? general.pointSize() : 10, false, false);
  }

  double PageWidth() override { return Device().width() * kTwipsPerInch / Device().resolution(); }
  double PageHeight() override { return Device().height() * kTwipsPerInch / Device().resolution(); }

  double CurrentX() override { return x_; }
  double CurrentY() override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }

  double TextWidth(const std::string& text) override { return metrics_->horizontalAdvance(AnsiToQString(text)); }
  double TextHeight(const std::string&) override { return metrics_->lineSpacing(); }

  void PrintText(const std::string& text) override {
    if (text.empty()) return;
    const QString shown = AnsiToQString(text);
    StartDrawing();
    painter_.drawText(QPointF(x_, y_ + metrics_->ascent()), shown);
    x_ += metrics_->horizontalAdvance(shown);
  }

  void DrawLine(double x1, double y1, double x2, double y2) override {
    StartDrawing();
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  }

  void SetFont(const QString& name, int points, bool bold, bool italic) override {
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

  QString FontName() override {
    if (!PrinterInstalled()) Fail("No printer is installed");
    return font_.family();
  }
  int FontSize() override {
    if (!PrinterInstalled()) Fail("No printer is installed");
    return points_;
  }

  void NewPage() override { pageEnded_ = painter_.isActive(); }

  void EndDocument() override {
    pageEnded_ = false;
    if (!painter_.isActive()) return;
    const bool written = painter_.end();
    const QString pdfPath = pdfPath_;
    device_.reset();
    pdfPath_.clear();
    if (!written) Fail("The printer could not finish the document");
    if (!pdfPath.isEmpty())
      Messages().Show(MessageKind::Notice,
                      QStringLiteral("No printer is installed, so the printout was saved as the PDF file\n%1")
                          .arg(QDir::toNativeSeparators(pdfPath)));
  }

 private:
  QPrinter& Device() {
    if (!device_) {
      if (PrinterInstalled()) {
        device_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
      } else {
        device_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        device_->setOutputFormat(QPrinter::PdfFormat);
      }
      device_->setDocName(QStringLiteral("Vantreo"));
    }
    return *device_;
  }

  // Opens the document on first drawing and the page ended last, so that
  // ending a page or a document without drawing emits no blank sheet.
  void StartDrawing() {
    if (!painter_.isActive()) {
      QPrinter& device = Device();
      if (device.outputFormat() == QPrinter::PdfFormat) {
        pdfPath_ = NewPdfPath();
        device.setOutputFileName(pdfPath_);
      }
      if (!painter_.begin(&device)) {
        device_.reset();
        pdfPath_.clear();
        Fail("The printer could not start the document");
      }
      const double scale = device.resolution() / kTwipsPerInch;
      painter_.scale(scale, scale);
      painter_.setFont(font_);
      pageEnded_ = false;
    }
    if (pageEnded_) {
      if (!device_->newPage()) Fail("The printer could not start a new page");
      pageEnded_ = false;
    }
  }

  std::unique_ptr<QPrinter> device_;
  QPainter painter_;
  QString pdfPath_;
  bool pageEnded_ = false;
  double x_ = 0;
  double y_ = 0;
  QFont font_;
  int points_ = 0;
  std::unique_ptr<QFontMetricsF> metrics_;
};

ServiceSlot<Printer> slot([] { return std::make_unique<QtPrinter>(); });

}  // namespace

Printer& ThePrinter() { return slot.Get(); }
void InstallPrinter(Printer* implementation) { slot.Install(implementation); }
