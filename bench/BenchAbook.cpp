#include <cstdio>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "bench/GeneratedBook.h"
#include "interchange/VCardWriter.h"
#include "platform/FileSystem.h"

extern char** environ;

namespace {

constexpr int kCards = 10000;
constexpr double kLongestRatio = 2.0;
constexpr double kMemoryTimesFile = 3.0;

struct ProgramRun {
  double Seconds = 0;
  double PeakMiB = 0;
  bool Ran = false;
};

// Runs a program to its end, with its own time and largest resident size.
ProgramRun Run(const QStringList& command) {
  std::vector<QByteArray> words;
  for (const QString& word : command) words.push_back(word.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  ProgramRun run;
  pid_t child = 0;
  rusage usage{};
  int status = 0;
  run.Seconds = SecondsOf([&] {
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0)
      run.Ran = wait4(child, &status, 0, &usage) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  });
  posix_spawn_file_actions_destroy(&actions);
  run.PeakMiB = usage.ru_maxrss / 1024.0;
  return run;
}

ProgramRun ImportInto(const QString& cards, const QString& book) {
  return Run({QStringLiteral(VANTREO_PROGRAM), QStringLiteral("--import"), cards, QStringLiteral("--into"), book});
}

// The same 10,000 vCard 3.0 cards read by this program's command-line import
// (into a new book, saved) and converted by abook into its own address book,
// each from start to exit. Prints both times, their ratio and this program's
// peak memory against three times the file plus what importing one card
// takes; the step's figure is the ratio, its target twice abook's time.
double CompareWithAbook(BookState&) {
  QTemporaryDir dir;
  const BookState generated = GenerateBook(kCards, 3);
  const QString cards = dir.filePath(QStringLiteral("cards.vcf")), one = dir.filePath(QStringLiteral("one.vcf"));
  PlatformError error;
  WriteFileAtomically(cards, WriteVCards(generated, AllRecords(generated), VCardVersion::V3), error);
  WriteFileAtomically(one, WriteVCards(generated, {0}, VCardVersion::V3), error);
  const ProgramRun baseline = ImportInto(one, dir.filePath(QStringLiteral("one.dat")));
  const ProgramRun ours = ImportInto(cards, dir.filePath(QStringLiteral("book.dat")));
  const ProgramRun abook = Run({QStringLiteral("abook"), QStringLiteral("--convert"), QStringLiteral("--informat"),
                                QStringLiteral("vcard"), QStringLiteral("--infile"), cards, QStringLiteral("--outformat"),
                                QStringLiteral("abook"), QStringLiteral("--outfile"), dir.filePath(QStringLiteral("abook.txt"))});
  if (!abook.Ran || !ours.Ran) {
    std::printf("  %s did not run (scripts/install-deps.sh installs abook)\n", ours.Ran ? "abook" : "vantreo --import");
    return 1e9;
  }
  const double fileMiB = QFileInfo(cards).size() / 1048576.0;
  const double memoryTarget = kMemoryTimesFile * fileMiB + baseline.PeakMiB;
  std::printf("  vantreo %.3f s, abook %.3f s: ratio %.2f (target %.1f); peak %.1f MiB, target %.1f MiB "
              "(3 x %.1f MiB file + %.1f MiB for one card) %s\n",
              ours.Seconds, abook.Seconds, ours.Seconds / abook.Seconds, kLongestRatio, ours.PeakMiB, memoryTarget,
              fileMiB, baseline.PeakMiB, ours.PeakMiB < memoryTarget ? "ok" : "LARGE");
  return ours.PeakMiB < memoryTarget ? ours.Seconds / abook.Seconds : 1e9;
}

RegisterBenchStep abookStep{"vCard import, times abook's", kLongestRatio, CompareWithAbook};

}  // namespace
