#pragma once

#include <functional>
#include <string>

#include <QString>
#include <QStringList>

#include "platform/PrinterChoice.h"

// How the sheets of one print job are printed.
enum class JobSides {
  OneSide,
  TwoPasses,           // side A of every sheet, then side B on the turned stack
  BothSidesInOnePass,  // each sheet's back right after its front, flipped on the long edge
};

// What a completed job left: the PDF files written (none on paper), and what
// the printer said of the jobs it took ("... is paused; ...").
struct FinishedJob {
  QStringList Files;
  QStringList Notices;
};

// The printer every report is drawn on. Units are twips (1/1440 inch) with
// the origin at the top left of the printable area, x to the right and y
// downwards; texts are document text (UTF-8) and are measured in the current
// font, with the installed fonts standing in for characters it lacks. Every operation raises PlatformFailure on failure.
class Printer {
 public:
  virtual ~Printer() = default;

  // The printable area, in the coordinates of the drawing position.
  virtual double PageWidth() = 0;
  virtual double PageHeight() = 0;

  virtual double CurrentX() = 0;
  virtual double CurrentY() = 0;
  virtual void SetCurrentX(double x) = 0;
  virtual void SetCurrentY(double y) = 0;

  virtual double TextWidth(const std::string& text) = 0;
  // The line height of the current font, whatever the text.
  virtual double TextHeight(const std::string& text) = 0;

  // False when no installed font has a glyph for some character of text,
  // which would print as an empty box.
  virtual bool HasGlyphs(const std::string& text) = 0;

  // Draws text with its top left corner at the drawing position and moves
  // CurrentX to its end.
  virtual void PrintText(const std::string& text) = 0;
  virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;

  virtual void SetFont(const QString& name, int points, bool bold, bool italic) = 0;
  // The current font; fails when no printer is installed.
  virtual QString FontName() = 0;
  virtual int FontSize() = 0;

  // Ends the page; the next drawing goes to a new one. Nothing is emitted
  // until something is drawn on it.
  virtual void NewPage() = 0;
  // Ends the document and hands it to the printer; the next drawing starts
  // a new document. PDF files and previews just go on with a new page.
  virtual void EndDocument() = 0;

  // Sends the following jobs and measurements to a chosen printer or to PDF
  // files, with the chosen paper.
  virtual void Choose(const PrinterChoice& choice) = 0;
  // True when the output can take both sides of a sheet in one pass.
  virtual bool CanPrintBothSides() = 0;
  // False for PDF files and previews: there are no sheets to feed.
  virtual bool FeedsPaper() = 0;

  // One print request's output. report names it ("phone book"), title is
  // the user's title of the printout; copies says how many copies of which
  // pages the printer makes.
  virtual void StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) = 0;
  // Side B of a two-pass job begins.
  virtual void StartSideB() = 0;
  // Completes the job. On failure it removes the job's files and raises.
  virtual FinishedJob FinishJob() = 0;
  // Ends a job that failed: what was drawn on paper goes to the printer, the
  // job's PDF files are removed. Never raises.
  virtual void AbandonJob() = 0;

  // Names the page drawn next ("side B of sheet 2"); a preview shows the
  // name above the page, paper and files leave it out.
  virtual void NamePage(const QString& name) { (void)name; }

  // Shows the pages draw produces, on the chosen paper, in a preview window
  // whose help is the topic helpContext. Returns true when the user asks to
  // print them. A failure of draw is raised before the window shows.
  virtual bool Preview(const std::function<void(Printer&)>& draw, int helpContext) = 0;
};

Printer& ThePrinter();
void InstallPrinter(Printer* implementation);
