#pragma once

#include <string>

#include <QString>

// The printer every report is drawn on. Units are twips (1/1440 inch) with
// the origin at the top left of the printable area, x to the right and y
// downwards; texts are document text (windows-1252 bytes) and are measured
// in the current font. Every operation raises PlatformFailure on failure.
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
  // a new document.
  virtual void EndDocument() = 0;
};

Printer& ThePrinter();
void InstallPrinter(Printer* implementation);
