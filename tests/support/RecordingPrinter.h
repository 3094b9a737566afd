#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/Printer.h"
#include "print/ReadyPagePrompt.h"

// One operation a report drew, with where it landed.
struct PrintedOp {
  enum Kind { Text, Line, Font } kind;
  int document = 0;  // 1-based, counted as the lazy printer would emit them
  int page = 0;      // 1-based within the document
  double x = 0;
  double y = 0;
  double x2 = 0;  // lines only
  double y2 = 0;
  std::string text;
};

// A printer with fixed metrics that records everything drawn on it: every
// character is 100 twips wide except "." (60), every line 240 high, and the
// printable area 11520 x 15120 twips. Like the real printer it opens a
// document or page only when something is drawn on it.
class RecordingPrinter : public Printer {
 public:
  static constexpr double kCharWidth = 100;
  static constexpr double kDotWidth = 60;
  static constexpr double kLineHeight = 240;

  double PageWidth() override { return pageWidth; }
  double PageHeight() override { return pageHeight; }
  double CurrentX() override { return x_; }
  double CurrentY() override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  double TextWidth(const std::string& text) override;
  double TextHeight(const std::string&) override {
    return heightPerPoint > 0 ? heightPerPoint * fontSize : lineHeight;
  }
  void PrintText(const std::string& text) override;
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void SetFont(const QString& name, int points, bool bold, bool italic) override;
  QString FontName() override;
  int FontSize() override;
  void NewPage() override;
  void EndDocument() override;
  void Choose(const PrinterChoice& choice) override { chosen.push_back(choice); }
  bool CanPrintBothSides() override { return bothSides; }
  bool FeedsPaper() override { return !previewing; }
  void StartJob(const QString& report, const QString& title, JobSides sides) override;
  void StartSideB() override {}
  QStringList FinishJob() override;
  void AbandonJob() override;
  // Draws into this printer, as a preview; answers previewAnswer.
  bool Preview(const std::function<void(Printer&)>& draw, int helpContext) override;

  // The texts drawn, optionally only those of one document and page.
  std::vector<PrintedOp> Texts() const;
  std::vector<PrintedOp> TextsOn(int document, int page) const;
  std::vector<PrintedOp> LinesOn(int document, int page) const;
  // The first text drawn exactly as text; fails the test when there is none.
  PrintedOp TextOf(const std::string& text) const;
  int Documents() const { return documentsEnded; }
  int PagesOf(int document) const;

  double pageWidth = 11520;
  double pageHeight = 15120;
  double lineHeight = kLineHeight;
  double heightPerPoint = 0;  // when set, the line height follows the font size
  bool installed = true;  // false: font queries fail as without a printer
  QString fontName = QStringLiteral("Courier");
  int fontSize = 10;
  bool bold = false;
  bool italic = false;
  int fontsSet = 0;
  int endDocumentCalls = 0;
  int documentsEnded = 0;
  // Called before each text is drawn, e.g. to fail in the middle of a job.
  std::function<void(const std::string&)> beforeText;

  // The jobs, the choices of printer and what the output answers.
  struct Job {
    QString report;
    QString title;
    JobSides sides;
  };
  std::vector<Job> jobs;
  std::vector<PrinterChoice> chosen;
  bool bothSides = true;
  bool previewing = false;
  bool previewAnswer = false;
  int jobsAbandoned = 0;
  QStringList filesWritten;               // what FinishJob reports
  std::optional<PlatformError> finishFailure;  // raised by FinishJob

  std::vector<PrintedOp> ops;

 private:
  void StartDrawing();

  double x_ = 0;
  double y_ = 0;
  int document_ = 0;
  int page_ = 0;
  bool open_ = false;
  bool pageEnded_ = false;
};

// The side B prompt answered from a queue; records the texts it was shown.

struct PromptAnswer {
  bool goOn = true;
  bool promptEachPage = true;
};

class FakeReadyPage : public ReadyPagePrompt {
 public:
  bool Ask(const std::string& promptText, bool& promptEachPage) override;

  std::vector<std::string> prompts;
  std::vector<int> documentsEndedAtPrompt;
  std::vector<PromptAnswer> answers;  // used in order; then go on, prompting
  const RecordingPrinter* printer = nullptr;
};
