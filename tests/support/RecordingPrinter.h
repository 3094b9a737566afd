#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/PlatformFailure.h"
#include "platform/Printer.h"
#include "print/ReadyPagePrompt.h"

// One text or line a report drew: on which document and page (1-based), where, and to where for a line.
struct PrintedOp {
  enum Kind { Text, Line } kind;
  int document = 0, page = 0;
  double x = 0, y = 0, x2 = 0, y2 = 0;
  std::string text;
  bool operator==(const PrintedOp&) const = default;
};

// A printer with fixed metrics that records everything drawn on it: every
// character (code point) is 100 twips wide except "." (60), none has a glyph
// for kNoGlyph, a line is lineHeight high,
// and the printable area 11520 twips wide and pageHeight (15120) high. Like the real printer it
// opens a document or page only when something is drawn on it.
class RecordingPrinter : public Printer {
 public:
  static constexpr const char* kNoGlyph = "\xEE\x80\x80";  // U+E000, a private-use character
  double PageWidth() override { return 11520; }
  double PageHeight() override { return pageHeight; }
  double CurrentX() override { return x_; }
  double CurrentY() override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  double TextWidth(const std::string& text) override {
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
    return 100.0 * static_cast<double>(characters) - 40.0 * static_cast<double>(std::count(text.begin(), text.end(), '.'));
  }
  double TextHeight(const std::string&) override { return heightPerPoint > 0 ? heightPerPoint * fontSize : lineHeight; }
  bool HasGlyphs(const std::string& text) override { return text.find(kNoGlyph) == std::string::npos; }
  void PrintText(const std::string& text) override {
    if (beforeText) beforeText(text);
    if (text.empty()) return;
    Record({PrintedOp::Text, 0, 0, x_, y_, 0, 0, text});
    x_ += TextWidth(text);
  }
  void DrawLine(double x1, double y1, double x2, double y2) override { Record({PrintedOp::Line, 0, 0, x1, y1, x2, y2, {}}); }
  void SetFont(const QString& name, int points, bool, bool) override {
    std::tie(fontName, fontSize) = std::make_tuple(name, points);
    ++fontsSet;
  }
  QString FontName() override { return fontName; }
  int FontSize() override { return fontSize; }
  void NewPage() override { pageEnded_ = open_; }
  void EndDocument() override {
    if (previewing) return NewPage();  // a preview goes on with a new page
    documentsEnded += open_;
    open_ = pageEnded_ = false;
  }
  void Choose(const PrinterChoice& choice) override { chosen.push_back(choice); }
  bool CanPrintBothSides() override { return bothSides; }
  bool FeedsPaper() override { return !previewing; }
  void StartJob(const QString&, const QString&, JobSides sides, const CopyChoice& copies) override {
    jobs.push_back(sides);
    jobCopies.push_back(copies);
  }
  void StartSideB() override {}
  FinishedJob FinishJob() override {
    EndDocument();
    return {};
  }
  void NamePage(const QString& name) override { pageNames.push_back(name); }
  void AbandonJob() override { EndDocument(); }
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
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(drawn), [&](const PrintedOp& op) {
      return op.kind == kind && (!document || op.document == document) && (!page || op.page == page);
    });
    return drawn;
  }
  std::vector<PrintedOp> Texts(int document = 0, int page = 0) const { return Drawn(PrintedOp::Text, document, page); }
  // The first text drawn exactly as text; fails the test when there is none.
  PrintedOp TextOf(const std::string& text) const {
    for (const PrintedOp& op : Texts())
      if (op.text == text) return op;
    ADD_FAILURE() << "nothing printed as \"" << text << "\"";
    return {};
  }
  int PagesOf(int document) const {
    int pages = 0;
    for (const PrintedOp& op : ops) pages = std::max(pages, op.document == document ? op.page : 0);
    return pages;
  }

  double lineHeight = 240;
  double pageHeight = 15120;
  double heightPerPoint = 0;  // when set, the line height follows the font size
  QString fontName = QStringLiteral("Courier");
  int fontSize = 10;
  int fontsSet = 0;
  int documentsEnded = 0;
  std::function<void(const std::string&)> beforeText;  // e.g. to fail in the middle of a job
  std::vector<JobSides> jobs;
  std::vector<CopyChoice> jobCopies;
  std::vector<QString> pageNames;
  std::vector<PrinterChoice> chosen;
  bool bothSides = true;
  bool previewing = false;
  bool previewAnswer = false;
  std::vector<PrintedOp> ops;

 private:
  // Opens a document, or the page after an ended one, for op.
  void Record(PrintedOp op) {
    if (!open_) std::tie(open_, document_, page_) = std::make_tuple(true, document_ + 1, 1);
    else if (pageEnded_) ++page_;
    pageEnded_ = false;
    std::tie(op.document, op.page) = std::make_pair(document_, page_);
    ops.push_back(op);
  }

  double x_ = 0, y_ = 0;
  int document_ = 0, page_ = 0;
  bool open_ = false, pageEnded_ = false;
};

// The side B prompt: records the texts it was shown and how many documents
// had been printed by then, and answers from a queue of {go on, prompt for
// each page}; when that is empty, it goes on prompting.
class FakeReadyPage : public ReadyPagePrompt {
 public:
  bool Ask(const std::string& promptText, bool& promptEachPage) override {
    prompts.push_back(promptText);
    if (printer) documentsEndedAtPrompt.push_back(printer->documentsEnded);
    if (answers.empty()) return true;
    const auto [goOn, eachPage] = answers.front();
    answers.pop_front();
    if (goOn) promptEachPage = eachPage;
    return goOn;
  }
  std::vector<std::string> prompts;
  std::vector<int> documentsEndedAtPrompt;
  std::deque<std::pair<bool, bool>> answers;
  const RecordingPrinter* printer = nullptr;
};
