#include <algorithm>
#include <cstdio>

#include <QFileInfo>
#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "bench/GeneratedBook.h"
#include "bench/MeasuredRun.h"
#include "interchange/VCardWriter.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kCards = 10000;
constexpr int kRuns = 5;
constexpr double kLongestRatio = 2.0;
constexpr double kMemoryTimesFile = 3.0;

ProgramRun ImportInto(const QString& cards, const QString& book) {
  return RunMeasured({QStringLiteral(VANTREO_PROGRAM), QStringLiteral("--import"), cards, QStringLiteral("--into"), book});
}

ProgramRun ConvertWithAbook(const QString& cards, const QString& out) {
  return RunMeasured({QStringLiteral("abook"), QStringLiteral("--convert"), QStringLiteral("--informat"), QStringLiteral("vcard"),
                      QStringLiteral("--infile"), cards, QStringLiteral("--outformat"), QStringLiteral("abook"),
                      QStringLiteral("--outfile"), out});
}

// The median time of the runs and the largest peak; not run when one failed.
ProgramRun Summary(std::vector<ProgramRun> runs) {
  ProgramRun summary;
  summary.Ran = std::all_of(runs.begin(), runs.end(), [](const ProgramRun& run) { return run.Ran; });
  std::sort(runs.begin(), runs.end(), [](const ProgramRun& a, const ProgramRun& b) { return a.Seconds < b.Seconds; });
  summary.Seconds = runs[runs.size() / 2].Seconds;
  for (const ProgramRun& run : runs) summary.PeakMiB = std::max(summary.PeakMiB, run.PeakMiB);
  return summary;
}

// The same 10,000 vCard 3.0 cards read by this program's command-line import
// (into a new book, saved) and converted by abook into its own address book,
// each from start to exit, five times each in turn (a busy machine slows
// single runs). Prints both median times, their ratio and this program's
// largest peak memory against three times the file plus what importing one
// card takes; the step's figure is the ratio, its target twice abook's time.
double CompareWithAbook(BookState&) {
  QTemporaryDir dir;
  const BookState generated = GenerateBook(kCards, 3);
  const QString cards = dir.filePath(QStringLiteral("cards.vcf")), one = dir.filePath(QStringLiteral("one.vcf"));
  PlatformError error;
  WriteFileAtomically(cards, WriteVCards(generated, AllRecords(generated), VCardVersion::V3), error);
  WriteFileAtomically(one, WriteVCards(generated, {0}, VCardVersion::V3), error);
  const ProgramRun baseline = ImportInto(one, dir.filePath(QStringLiteral("one.dat")));
  std::vector<ProgramRun> ourRuns, abookRuns;
  for (int run = 0; run < kRuns; ++run) {
    const QString n = QString::number(run);
    ourRuns.push_back(ImportInto(cards, dir.filePath(QStringLiteral("book%1.dat").arg(n))));
    abookRuns.push_back(ConvertWithAbook(cards, dir.filePath(QStringLiteral("abook%1.txt").arg(n))));  // abook never overwrites
  }
  const ProgramRun ours = Summary(ourRuns), abook = Summary(abookRuns);
  if (!abook.Ran || !ours.Ran || !baseline.Ran) {
    std::printf("  %s did not run (scripts/install-deps.sh installs abook)\n", ours.Ran && baseline.Ran ? "abook" : "vantreo --import");
    return 1e9;
  }
  const double fileMiB = QFileInfo(cards).size() / 1048576.0;
  const double memoryTarget = kMemoryTimesFile * fileMiB + baseline.PeakMiB;
  std::printf("  vantreo %.3f s, abook %.3f s (medians of %d): ratio %.2f (target %.1f); peak %.1f MiB, target %.1f MiB "
              "(3 x %.1f MiB file + %.1f MiB for one card) %s\n",
              ours.Seconds, abook.Seconds, kRuns, ours.Seconds / abook.Seconds, kLongestRatio, ours.PeakMiB, memoryTarget,
              fileMiB, baseline.PeakMiB, ours.PeakMiB < memoryTarget ? "ok" : "LARGE");
  return ours.PeakMiB < memoryTarget ? ours.Seconds / abook.Seconds : 1e9;
}

RegisterBenchStep abookStep{"vCard import, times abook's", kLongestRatio, CompareWithAbook};

}  // namespace
