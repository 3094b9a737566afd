#pragma once

#include <QString>

#include "platform/Printer.h"

// How a printer queue prints one job.
struct QueueJobOptions {
  QString PaperSize;  // page size key; empty: the queue's default
  bool Landscape = false;
  JobSides Sides = JobSides::OneSide;
};

// Hands a PDF file to a CUPS printer queue as one job named title. Raises
// PlatformFailure with the reason CUPS gives when the queue does not take it
// (the queue refuses jobs, the printer is gone, the server is unreachable).
void SubmitToQueue(const QString& queue, const QString& pdfPath, const QString& title,
                   const QueueJobOptions& options);
