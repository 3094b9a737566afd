#include "platform/CupsQueue.h"

#include <cups/cups.h>

#include <memory>

#include "platform/PlatformFailure.h"

namespace {

// Long enough for a server across the network, short enough for a dialog.
constexpr int kConnectMilliseconds = 3000;

using Destination = std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)>;

Destination FindDestination(const QByteArray& queue) {
  return {cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr),
          [](cups_dest_t* destination) { cupsFreeDests(1, destination); }};
}

// One attribute of the queue as the server has it now; empty when unknown.
QString PrinterAttribute(const QByteArray& queue, const char* name) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   queue.constData());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  char text[1024] = "";
  if (ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO))
    ippAttributeString(attribute, text, sizeof text);
  ippDelete(response);
  return QString::fromUtf8(text);
}

// CUPS ends its own texts with a period; the error report adds one.
QString WithoutPeriod(QString text) {
  while (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

[[noreturn]] void FailNotRunning() {
  throw PlatformFailure(PlatformError{IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
                                      QStringLiteral("The print service is not running")});
}

// The reason the queue's administrator gave (cupsreject -r), else CUPS's.
[[noreturn]] void FailRefused(const QByteArray& queue) {
  const ipp_status_t status = cupsLastError();
  QString reason = WithoutPeriod(QString::fromUtf8(cupsLastErrorString()));
  if (!PrintServiceRunning()) FailNotRunning();
  const QString stateMessage = WithoutPeriod(PrinterAttribute(queue, "printer-state-message"));
  if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS && !stateMessage.isEmpty()) reason = stateMessage;
  throw PlatformFailure(PlatformError{static_cast<int>(status), reason});
}

// Both sides in one pass turn the sheet about the page's vertical axis:
// the long edge of portrait paper, the short edge of landscape paper.
const char* SidesOption(const QueueJobOptions& options) {
  if (options.Sides == JobSides::BothSidesInOnePass)
    return options.Landscape ? "two-sided-short-edge" : "two-sided-long-edge";
  if (options.Sides == JobSides::OneSide && options.Copies.Sides == TwoSided::LongEdge) return "two-sided-long-edge";
  if (options.Sides == JobSides::OneSide && options.Copies.Sides == TwoSided::ShortEdge)
    return "two-sided-short-edge";
  return "one-sided";
}

// The chosen page ranges are drawn, not asked of CUPS: the document holds
// only those pages.
int AddOptions(const QueueJobOptions& options, cups_option_t** cupsOptions) {
  int count = 0;
  const QByteArray media = options.PaperSize.toUtf8();
  if (!media.isEmpty()) count = cupsAddOption("media", media.constData(), count, cupsOptions);
  count = cupsAddOption("sides", SidesOption(options), count, cupsOptions);
  if (options.Landscape) count = cupsAddOption("landscape", "true", count, cupsOptions);
  const CopyChoice& copies = options.Copies;
  count = cupsAddOption("copies", QByteArray::number(std::max(copies.Copies, 1)).constData(), count, cupsOptions);
  count = cupsAddOption("multiple-document-handling",
                        copies.Collate ? "separate-documents-collated-copies" : "separate-documents-uncollated-copies",
                        count, cupsOptions);
  if (copies.Reverse) count = cupsAddOption("outputorder", "reverse", count, cupsOptions);
  return count;
}

// A job the queue keeps: the printer is stopped (cupsdisable) or the job held.
QString WhyNotPrinting(const QByteArray& queue, int job) {
  const QString name = QString::fromUtf8(queue);
  if (PrinterAttribute(queue, "printer-state") == QLatin1String("stopped"))
    return QStringLiteral("The printer \"%1\" is paused; the job will print when it is resumed.").arg(name);
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
  bool held = false;
  for (int i = 0; i < count; ++i) held = held || (jobs[i].id == job && jobs[i].state == IPP_JSTATE_HELD);
  cupsFreeJobs(count, jobs);
  if (!held) return {};
  return QStringLiteral("The job is held by the printer \"%1\"; it will print when it is released.").arg(name);
}

}  // namespace

bool PrintServiceRunning() {
  http_t* connection =
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMilliseconds, nullptr);
  if (!connection) return false;
  httpClose(connection);
  return true;
}

QString SubmitToQueue(const QString& queue, const QString& pdfPath, const QString& title,
                      const QueueJobOptions& options) {
  const QByteArray name = queue.toLocal8Bit();
  // CUPS gives no useful reason for a queue it does not know.
  if (!FindDestination(name)) {
    if (!PrintServiceRunning()) FailNotRunning();
    throw PlatformFailure(PlatformError{IPP_STATUS_ERROR_NOT_FOUND,
                                        QStringLiteral("The printer \"%1\" is not available").arg(queue)});
  }
  cups_option_t* cupsOptions = nullptr;
  const int count = AddOptions(options, &cupsOptions);
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, name.constData(), pdfPath.toLocal8Bit().constData(),
                                 title.toUtf8().constData(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (job == 0) FailRefused(name);
  return WhyNotPrinting(name, job);
}
