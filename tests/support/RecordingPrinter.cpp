#include "support/RecordingPrinter.h"

#include <gtest/gtest.h>

#include "platform/PlatformFailure.h"

double RecordingPrinter::TextWidth(const std::string& text) {
  double width = 0;
  for (char c : text) width += c == '.' ? kDotWidth : kCharWidth;
  return width;
}

void RecordingPrinter::StartDrawing() {
  if (!open_) {
    open_ = true;
    ++document_;
    page_ = 1;
    pageEnded_ = false;
  } else if (pageEnded_) {
    ++page_;
    pageEnded_ = false;
  }
}

void RecordingPrinter::PrintText(const std::string& text) {
  if (beforeText) beforeText(text);
  if (text.empty()) return;
  StartDrawing();
  ops.push_back({PrintedOp::Text, document_, page_, x_, y_, 0, 0, text});
  x_ += TextWidth(text);
}

void RecordingPrinter::DrawLine(double x1, double y1, double x2, double y2) {
  StartDrawing();
  ops.push_back({PrintedOp::Line, document_, page_, x1, y1, x2, y2, {}});
}

void RecordingPrinter::SetFont(const QString& name, int points, bool isBold, bool isItalic) {
  fontName = name;
  fontSize = points;
  bold = isBold;
  italic = isItalic;
  ++fontsSet;
}

QString RecordingPrinter::FontName() {
  if (!installed) throw PlatformFailure(PlatformError{482, QStringLiteral("No printer is installed")});
  return fontName;
}

int RecordingPrinter::FontSize() {
  if (!installed) throw PlatformFailure(PlatformError{482, QStringLiteral("No printer is installed")});
  return fontSize;
}

void RecordingPrinter::NewPage() { pageEnded_ = open_; }

void RecordingPrinter::EndDocument() {
  if (previewing) {  // a preview goes on with a new page
    NewPage();
    return;
  }
  ++endDocumentCalls;
  if (open_) ++documentsEnded;
  open_ = false;
  pageEnded_ = false;
}

void RecordingPrinter::StartJob(const QString& report, const QString& title, JobSides sides) {
  jobs.push_back({report, title, sides});
}

QStringList RecordingPrinter::FinishJob() {
  EndDocument();
  if (finishFailure) throw PlatformFailure(*finishFailure);
  return filesWritten;
}

void RecordingPrinter::AbandonJob() {
  EndDocument();
  ++jobsAbandoned;
}

bool RecordingPrinter::Preview(const std::function<void(Printer&)>& draw, int) {
  previewing = true;
  draw(*this);
  previewing = false;
  EndDocument();
  return previewAnswer;
}

std::vector<PrintedOp> RecordingPrinter::Texts() const {
  std::vector<PrintedOp> texts;
  for (const PrintedOp& op : ops)
    if (op.kind == PrintedOp::Text) texts.push_back(op);
  return texts;
}

std::vector<PrintedOp> RecordingPrinter::TextsOn(int document, int page) const {
  std::vector<PrintedOp> texts;
  for (const PrintedOp& op : ops)
    if (op.kind == PrintedOp::Text && op.document == document && op.page == page) texts.push_back(op);
  return texts;
}

std::vector<PrintedOp> RecordingPrinter::LinesOn(int document, int page) const {
  std::vector<PrintedOp> lines;
  for (const PrintedOp& op : ops)
    if (op.kind == PrintedOp::Line && op.document == document && op.page == page) lines.push_back(op);
  return lines;
}

PrintedOp RecordingPrinter::TextOf(const std::string& text) const {
  for (const PrintedOp& op : ops)
    if (op.kind == PrintedOp::Text && op.text == text) return op;
  ADD_FAILURE() << "nothing printed as \"" << text << "\"";
  return {};
}

int RecordingPrinter::PagesOf(int document) const {
  int pages = 0;
  for (const PrintedOp& op : ops)
    if (op.document == document) pages = std::max(pages, op.page);
  return pages;
}

bool FakeReadyPage::Ask(const std::string& promptText, bool& promptEachPage) {
  prompts.push_back(promptText);
  if (printer) documentsEndedAtPrompt.push_back(printer->Documents());
  if (answers.empty()) return true;
  const PromptAnswer answer = answers.front();
  answers.erase(answers.begin());
  if (answer.goOn) promptEachPage = answer.promptEachPage;
  return answer.goOn;
}
