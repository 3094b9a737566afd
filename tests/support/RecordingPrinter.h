#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/PlatformFailure.h"
#include "platform/Printer.h"
#include "print/ReadyPagePrompt.h"

// One text or line a report drew, with where it landed.
struct PrintedOp {
  enum Kind { Text, Line } kind;
  int document = 0;  // 1-based, counted as the lazy printer would emit them
  int page = 0;      // 1-based within the document
  double x = 0;
  double y = 0;
  double x2 = 0;  // lines only
  double y2 = 0;
  std::string text;
  bool operator==(const PrintedOp&) const = default;
};

// A printer with fixed metrics that records everything drawn on it: every
// character is 100 twips wide except "." (60), a line is lineHeight high,
// and the printable area 11520 x 15120 twips. Like the real printer it
// opens a document or page only when something is drawn on it.
class RecordingPrinter : public Printer {
 public:
  double PageWidth() override { return 11520; }
  double PageHeight() override { return 15120; }
  double CurrentX() override { return x_; }
  double CurrentY() override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  double TextWidth(const std::string& text) override {
    return 100.0 * static_cast<double>(text.size()) - 40.0 * static_cast<double>(std::count(text.begin(), text.end(), '.'));
  }
  double TextHeight(const std::string&) override { return heightPerPoint > 0 ? heightPerPoint * fontSize : lineHeight; }
  void PrintText(const std::string& text) override {
    if (beforeText) beforeText(text);
    if (text.empty()) return;
    Record({PrintedOp::Text, 0, 0, x_, y_, 0, 0, text});
    x_ += TextWidth(text);
  }
  void DrawLine(double x1, double y1, double x2, double y2) override { Record({PrintedOp::Line, 0, 0, x1, y1, x2, y2, {}}); }
  void SetFont(const QString& name, int points, bool, bool) override {
    fontName = name;
    fontSize = points;
    ++fontsSet;
  }
  QString FontName() override { return installed ? fontName : throw NoPrinter(); }
  int FontSize() override { return installed ? fontSize : throw NoPrinter(); }
  void NewPage() override { pageEnded_ = open_; }
  void EndDocument() override {
    if (previewing) return NewPage();  // a preview goes on with a new page
    documentsEnded += open_;
    open_ = pageEnded_ = false;
  }
  void Choose(const PrinterChoice& choice) override { chosen.push_back(choice); }
  bool CanPrintBothSides() override { return bothSides; }
  bool FeedsPaper() override { return !previewing; }
  void StartJob(const QString&, const QString&, JobSides sides) override { jobs.push_back(sides); }
  void StartSideB() override {}
  QStringList FinishJob() override {
    EndDocument();
    return {};
  }
  void AbandonJob() override {
    EndDocument();
    ++jobsAbandoned;
  }
  // Draws into this printer, as a preview; answers previewAnswer.
  bool Preview(const std::function<void(Printer&)>& draw, int) override {
    previewing = true;
    draw(*this);
    previewing = false;
    EndDocument();
    return previewAnswer;
  }

  // What was drawn of a kind, on one document and page (0: on any).
  std::vector<PrintedOp> Drawn(PrintedOp::Kind kind, int document = 0, int page = 0) const {
    std::vector<PrintedOp> drawn;
    for (const PrintedOp& op : ops)
      if (op.kind == kind && (!document || op.document == document) && (!page || op.page == page)) drawn.push_back(op);
    return drawn;
  }
  std::vector<PrintedOp> Texts(int document = 0, int page = 0) const { return Drawn(PrintedOp::Text, document, page); }
  // The first text drawn exactly as text; fails the test when there is none.
  PrintedOp TextOf(const std::string& text) const {
    for (const PrintedOp& op : ops)
      if (op.kind == PrintedOp::Text && op.text == text) return op;
    ADD_FAILURE() << "nothing printed as \"" << text << "\"";
    return {};
  }
  int PagesOf(int document) const {
    int pages = 0;
    for (const PrintedOp& op : ops) pages = std::max(pages, op.document == document ? op.page : 0);
    return pages;
  }

  double lineHeight = 240;
  double heightPerPoint = 0;  // when set, the line height follows the font size
  bool installed = true;      // false: font queries fail as without a printer
  QString fontName = QStringLiteral("Courier");
  int fontSize = 10;
  int fontsSet = 0;
  int documentsEnded = 0;
  // Called before each text is drawn, e.g. to fail in the middle of a job.
  std::function<void(const std::string&)> beforeText;
  std::vector<JobSides> jobs;
  std::vector<PrinterChoice> chosen;
  bool bothSides = true;
  bool previewing = false;
  bool previewAnswer = false;
  int jobsAbandoned = 0;
  std::vector<PrintedOp> ops;

 private:
  static PlatformFailure NoPrinter() { return PlatformFailure(PlatformError{482, QStringLiteral("No printer is installed")}); }

  // Opens a document, or the page after an ended one, for op.
  void Record(PrintedOp op) {
    if (!open_) {
      open_ = true;
      ++document_;
      page_ = 1;
    } else if (pageEnded_) {
      ++page_;
    }
    pageEnded_ = false;
    op.document = document_;
    op.page = page_;
    ops.push_back(op);
  }

  double x_ = 0;
  double y_ = 0;
  int document_ = 0;
  int page_ = 0;
  bool open_ = false;
  bool pageEnded_ = false;
};

// The side B prompt answered from a queue; records the texts it was shown
// and how many documents had gone to the printer by then.
struct PromptAnswer {
  bool goOn = true;
  bool promptEachPage = true;
};

class FakeReadyPage : public ReadyPagePrompt {
 public:
  bool Ask(const std::string& promptText, bool& promptEachPage) override {
    prompts.push_back(promptText);
    if (printer) documentsEndedAtPrompt.push_back(printer->documentsEnded);
    if (answers.empty()) return true;
    const PromptAnswer answer = answers.front();
    answers.erase(answers.begin());
    if (answer.goOn) promptEachPage = answer.promptEachPage;
    return answer.goOn;
  }

  std::vector<std::string> prompts;
  std::vector<int> documentsEndedAtPrompt;
  std::vector<PromptAnswer> answers;  // used in order; then go on, prompting
  const RecordingPrinter* printer = nullptr;
};
