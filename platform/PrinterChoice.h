#pragma once

#include <QString>

// Where printed output goes, as the user chose it in the system print
// dialog and as the settings keep it.
struct PrinterChoice {
  QString Name;          // a printer queue; empty: none chosen
  bool ToFile = false;   // PDF files instead of a printer
  QString Folder;        // where the PDF files go; empty: the documents folder
  QString PaperSize;     // a page size key such as "A4" or "Letter"; empty: the default
  bool Landscape = false;

  bool Chosen() const { return ToFile || !Name.isEmpty(); }
  bool operator==(const PrinterChoice&) const = default;
};

// Printing on both sides of the sheet, as chosen in the system print dialog.
enum class TwoSided { Off, LongEdge, ShortEdge };

// The copies and pages chosen in the system print dialog. They hold for the
// print requests of this run; the settings do not keep them.
struct CopyChoice {
  int Copies = 1;
  bool Collate = true;
  bool Reverse = false;  // last page first
  TwoSided Sides = TwoSided::Off;
  QString PageRanges;    // such as "1-3,5"; empty: every page

  bool operator==(const CopyChoice&) const = default;
};
