#pragma once

#include <QPageLayout>
#include <QStringList>

#include "platform/Printer.h"

class QPagedPaintDevice;

// How long one paint device of an output lasts: one printer document (a
// queue takes each document as a job of its own), one side of a job (a PDF
// file each), or the whole job (a preview).
enum class DeviceSpan { Document, Side, Job };

// Where the pages a QtPrinter draws go.
class PrintOutput {
 public:
  virtual ~PrintOutput() = default;

  virtual QPageLayout Layout() const = 0;
  virtual int Resolution() const = 0;
  virtual DeviceSpan Span() const = 0;
  virtual bool CanPrintBothSides() const = 0;

  virtual void StartJob(const QString& report, const QString& title, JobSides sides, const CopyChoice& copies) = 0;
  // The device the next pages are painted on, made when first asked for.
  virtual QPagedPaintDevice& OpenDevice() = 0;
  // The painter has ended on the device (painted tells whether it ended
  // well): the document goes on its way. Raises on failure.
  virtual void CloseDevice(bool painted) = 0;
  virtual void StartSideB() = 0;
  // After the last device closed: the files written, what the printer said.
  virtual FinishedJob FinishJob() = 0;
  // Drops whatever the job left behind that is not complete. Never raises.
  virtual void AbandonJob() = 0;
};
