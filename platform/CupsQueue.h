#pragma once

#include <QString>

#include "platform/Printer.h"

// How a printer queue prints one job.
struct QueueJobOptions {
  QString PaperSize;  // page size key; empty: the queue's default
  bool Landscape = false;
  JobSides Sides = JobSides::OneSide;
  CopyChoice Copies;
};

// Hands a PDF file to a CUPS printer queue as one job named title. Raises
// PlatformFailure with the reason CUPS gives when the queue does not take it
// (the print service is not running, the queue refuses jobs with its
// administrator's reason, the printer is gone). Returns what the user should
// know of a job the queue took but does not print now (a paused printer, a
// held job); empty when it prints.
QString SubmitToQueue(const QString& queue, const QString& pdfPath, const QString& title,
                      const QueueJobOptions& options);

// True when the print service answers.
bool PrintServiceRunning();
