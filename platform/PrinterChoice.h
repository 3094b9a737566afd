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
