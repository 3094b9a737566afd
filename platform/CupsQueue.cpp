#include "platform/CupsQueue.h"

#include <cups/cups.h>

#include "platform/PlatformFailure.h"

namespace {

// Both sides in one pass turn the sheet about the page's vertical axis:
// the long edge of portrait paper, the short edge of landscape paper.
const char* SidesOption(const QueueJobOptions& options) {
  if (options.Sides != JobSides::BothSidesInOnePass) return "one-sided";
  return options.Landscape ? "two-sided-short-edge" : "two-sided-long-edge";
}

}  // namespace

void SubmitToQueue(const QString& queue, const QString& pdfPath, const QString& title,
                   const QueueJobOptions& options) {
  // CUPS gives no useful reason for a queue it does not know.
  cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toLocal8Bit().constData(), nullptr);
  if (!destination)
    throw PlatformFailure(PlatformError{IPP_STATUS_ERROR_NOT_FOUND,
                                        QStringLiteral("The printer \"%1\" is not available").arg(queue)});
  cupsFreeDests(1, destination);
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  const QByteArray media = options.PaperSize.toUtf8();
  if (!media.isEmpty()) count = cupsAddOption("media", media.constData(), count, &cupsOptions);
  count = cupsAddOption("sides", SidesOption(options), count, &cupsOptions);
  if (options.Landscape) count = cupsAddOption("landscape", "true", count, &cupsOptions);
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toLocal8Bit().constData(),
                                 pdfPath.toLocal8Bit().constData(), title.toUtf8().constData(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (job == 0)
    throw PlatformFailure(PlatformError{static_cast<int>(cupsLastError()), QString::fromUtf8(cupsLastErrorString())});
}
