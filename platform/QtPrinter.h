#pragma once

#include <memory>

#include <QFont>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPainter>

#include "platform/PrintOutput.h"
#include "platform/Printer.h"

// Draws the printer operations with a QPainter onto the paint devices of an
// output: a printer queue, PDF files or a preview. The painter works in
// twips and the font is sized in twips, so measurements need no conversion.
// A document or page is opened only when something is drawn on it.
class QtPrinter : public Printer {
 public:
  explicit QtPrinter(std::unique_ptr<PrintOutput> output);
  ~QtPrinter() override;

  double PageWidth() override;
  double PageHeight() override;
  double CurrentX() override { return x_; }
  double CurrentY() override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  double TextWidth(const std::string& text) override;
  double TextHeight(const std::string&) override { return metrics_->lineSpacing(); }
  bool HasGlyphs(const std::string& text) override;
  void PrintText(const std::string& text) override;
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void SetFont(const QString& name, int points, bool bold, bool italic) override;
  QString FontName() override;
  int FontSize() override;
  void NewPage() override;
  void EndDocument() override;

  void Choose(const PrinterChoice& choice) override;
  bool CanPrintBothSides() override { return output_->CanPrintBothSides(); }
  bool FeedsPaper() override { return output_->Span() == DeviceSpan::Document; }
  void StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) override;
  void StartSideB() override;
  FinishedJob FinishJob() override;
  void AbandonJob() override;
  void NamePage(const QString& name) override { pageName_ = name; }
  // The names of the pages started so far, in order (empty for a page
  // without one).
  const QStringList& PageNames() const { return pageNames_; }
  bool Preview(const std::function<void(Printer&)>& draw, int helpContext) override;

 private:
  // False while the page is outside the chosen page ranges: nothing of it
  // is drawn.
  bool Drawing();
  void StartDrawing();
  // A page cannot be started: the output's own reason, else the printer's.
  [[noreturn]] void FailNewPage();
  void DrawPageName();
  // Ends the painter and lets the output pass the device's pages on.
  void CloseDevice();

  std::unique_ptr<PrintOutput> output_;
  QPagedPaintDevice* device_ = nullptr;
  QPainter painter_;
  bool pageEnded_ = false;
  QPageRanges pages_;
  int page_ = 1;            // of the job, counted whether drawn or not
  bool pageUsed_ = false;   // something was meant for the page
  QString pageName_;
  QStringList pageNames_;
  double x_ = 0;
  double y_ = 0;
  QFont font_;
  int points_ = 0;
  std::unique_ptr<QFontMetricsF> metrics_;
};

// The output a choice stands for: a printer queue or PDF files.
std::unique_ptr<PrintOutput> OutputFor(const PrinterChoice& choice);
