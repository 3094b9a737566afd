#include "app/CommandLineTool.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/ErrorText.h"
#include "core/ExportFile.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"
#include "interchange/VCardWriter.h"
#include "platform/BookLock.h"
#include "platform/FileSystem.h"
#include "platform/ProgramIdentity.h"
#include "platform/UnixSignals.h"
#include "platform/WindowProgram.h"
#include "sync/SyncCommand.h"

namespace {

enum ExitCode { kDone = 0, kFailed = 1, kWrongUsage = 2 };

const char* const kDescription =
    "Vantreo keeps an address book.\n"
    "\n"
    "  vantreo [FILE.dat]\n"
    "      opens the address book in the window (the last one used when no file is named)\n"
    "  vantreo --import FILE... --into BOOK.dat [--keep-duplicates] [--convert-to-unicode]\n"
    "      adds the contacts of vCard (2.1, 3.0, 4.0) and CSV files to BOOK.dat\n"
    "  vantreo --export-vcard BOOK.dat OUT.vcf [--vcard-version 4.0]\n"
    "      writes every record of BOOK.dat to OUT.vcf as vCard\n"
    "  vantreo --sync BOOK.dat [--server URL --user NAME --password-file FILE]\n"
    "      syncs BOOK.dat both ways with its CardDAV address book (the first run sets the account up)\n"
    "\n"
    "The commands run without a window, print a summary and exit with 0 when done,\n"
    "1 when they failed (the book is then unchanged) and 2 on wrong usage.";

QTextStream& Out() {
  static QTextStream out(stdout);
  return out;
}

QTextStream& Err() {
  static QTextStream err(stderr);
  return err;
}

int Fail(const QString& message) {
  Err() << "vantreo: " << message << Qt::endl;
  return kFailed;
}

int Fail(const Outcome& outcome) { return Fail(OutcomeText(outcome)); }

int WrongUsage(const QString& message) {
  Err() << "vantreo: " << message << "\nTry 'vantreo --help'." << Qt::endl;
  return kWrongUsage;
}

struct Options {
  QCommandLineOption Import{QStringLiteral("import"), QStringLiteral("Adds the contacts of FILE (and of the files after it)."), QStringLiteral("FILE")};
  QCommandLineOption Into{QStringLiteral("into"), QStringLiteral("The address book to add to; created when missing."), QStringLiteral("BOOK.dat")};
  QCommandLineOption KeepDuplicates{QStringLiteral("keep-duplicates"),
                                    QStringLiteral("Adds contacts that look like records of the book too.")};
  QCommandLineOption ConvertToUnicode{QStringLiteral("convert-to-unicode"),
                                      QStringLiteral("Makes an old-format BOOK.dat a Unicode address book (the old file "
                                                     "kept as BOOK.dat.bak) instead of turning imported names into "
                                                     "Latin letters.")};
  QCommandLineOption ExportVCard{QStringLiteral("export-vcard"), QStringLiteral("Writes the records of BOOK.dat as vCard to the file named after it."), QStringLiteral("BOOK.dat")};
  QCommandLineOption Version{QStringLiteral("vcard-version"), QStringLiteral("The vCard version to write: 3.0 (the default) or 4.0."),
                             QStringLiteral("VERSION"), QStringLiteral("3.0")};
  QCommandLineOption Sync{QStringLiteral("sync"), QStringLiteral("Syncs BOOK.dat with its CardDAV address book."), QStringLiteral("BOOK.dat")};
  QCommandLineOption Server{QStringLiteral("server"), QStringLiteral("The CardDAV server or address book (first sync)."), QStringLiteral("URL")};
  QCommandLineOption User{QStringLiteral("user"), QStringLiteral("The user name on the server (first sync)."), QStringLiteral("NAME")};
  QCommandLineOption PasswordFile{QStringLiteral("password-file"),
                                  QStringLiteral("A file only its owner can read, holding the password; used when the keyring has none."),
                                  QStringLiteral("FILE")};
};

// Holds the book's lock for the whole command, so that a window cannot open
// the book half-way, and refuses a book a window has open.
bool LockBook(BookLock& lock, const QString& path) {
  if (lock.Take(path) != BookLock::Outcome::HeldElsewhere) return true;
  Fail(QStringLiteral("'%1' is open in Vantreo (%2); close it there first.").arg(path, lock.Holder()));
  return false;
}

// A new book becomes a Unicode book when the import needs it; an existing
// old-format book only when the user asked for it.
ImportPlan PlanInEdition(BookState& book, const std::vector<ImportSource>& contacts, bool skipDuplicates, bool convert) {
  if (convert && !book.IsUnicode()) ConvertToUnicode(book);
  ImportPlan plan = PlanImport(book, contacts, skipDuplicates);
  if (plan.Transliterated.empty() || book.IsUnicode() || FileExists(book.FileName))
    return plan;
  ConvertToUnicode(book);
  return PlanImport(book, contacts, skipDuplicates);
}

int Import(const QStringList& files, const QString& path, bool keepDuplicates, bool convert) {
  BookLock lock;
  if (!LockBook(lock, path)) return kFailed;
  BookState book;
  if (const Outcome loaded = LoadDocument(book, path); !loaded.Succeeded()) return Fail(loaded);
  const bool wasUnicode = book.IsUnicode();
  std::vector<ImportSource> sources;
  for (const QString& file : files) {
    ImportSource source;
    PlatformError error;
    const SourceOutcome outcome = OpenImportSource(file, source, error, CardReading::WhenPlanned);
    if (outcome == SourceOutcome::Unreadable) return Fail(SourceProblem(file, outcome) + QLatin1Char(' ') + error.Description);
    if (outcome != SourceOutcome::Read) return Fail(SourceProblem(file, outcome));
    QStringList unmapped;
    for (const int column : ColumnsToMap(source.Table, source.Columns)) unmapped << source.Table.Header[column];
    if (!unmapped.isEmpty())
      Out() << QFileInfo(file).fileName() << ": columns kept in Notes under their headers: " << unmapped.join(QStringLiteral(", ")) << Qt::endl;
    sources.push_back(std::move(source));
  }
  ImportPlan plan = PlanInEdition(book, sources, !keepDuplicates, convert);
  std::vector<ImportSource>().swap(sources);  // the contacts read are not held while the book is saved
  const QStringList summary = ImportSummary(plan);
  const int added = ApplyImport(book, std::move(plan));
  if (book.Dirty) {
    if (const Outcome saved = SaveDocument(book); !saved.Succeeded()) return Fail(saved);
  }
  for (const QString& line : summary) Out() << line << '\n';
  if (book.IsUnicode() && !wasUnicode) Out() << QStringLiteral("%1 is now a Unicode address book.").arg(path) << '\n';
  Out() << QStringLiteral("Added %1 contacts to %2.").arg(added).arg(path) << Qt::endl;
  return kDone;
}

QString ExportProblem(ExportOutcome outcome, const QString& target, const PlatformError& error) {
  if (outcome != ExportOutcome::Failed) return ExportRefusal(outcome, target);
  return ErrorReportText(ExportFailure(target), error);
}

int ExportVCard(const QString& path, const QString& target, VCardVersion version) {
  BookLock lock;
  if (!LockBook(lock, path)) return kFailed;
  if (!FileExists(path)) return Fail(QStringLiteral("'%1' does not exist.").arg(path));
  BookState book;
  if (const Outcome loaded = LoadDocument(book, path); !loaded.Succeeded()) return Fail(loaded);
  PlatformError error;
  const ExportOutcome outcome = WriteExportFile(book, target, WriteVCards(book, AllRecords(book), version), error);
  if (outcome != ExportOutcome::Written) return Fail(ExportProblem(outcome, target, error));
  Out() << QStringLiteral("Exported %1 records to %2 as vCard %3.")
               .arg(book.RecordCount())
               .arg(target, version == VCardVersion::V3 ? QStringLiteral("3.0") : QStringLiteral("4.0"))
        << Qt::endl;
  return kDone;
}

int Sync(const QCommandLineParser& parser, const Options& options) {
  if (parser.isSet(options.Into) || parser.isSet(options.KeepDuplicates) || parser.isSet(options.Version) ||
      !parser.positionalArguments().isEmpty())
    return WrongUsage(QStringLiteral("--sync takes BOOK.dat and --server, --user, --password-file, --convert-to-unicode."));
  if (parser.isSet(options.Server) != parser.isSet(options.User))
    return WrongUsage(QStringLiteral("--server and --user go together."));
  const SyncCommandRequest request{parser.value(options.Sync), parser.value(options.Server), parser.value(options.User),
                                   parser.value(options.PasswordFile), parser.isSet(options.ConvertToUnicode)};
  return RunSyncCommand(request, Out(), Err());
}

int Run(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const Options options;
  parser.addOptions({options.Import, options.Into, options.KeepDuplicates, options.ConvertToUnicode, options.ExportVCard,
                     options.Version, options.Sync, options.Server, options.User, options.PasswordFile});
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("More files to import, or the vCard file to write."),
                               QStringLiteral("[FILE...]"));
  if (!parser.parse(arguments)) return WrongUsage(parser.errorText());
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    Out() << parser.helpText() << Qt::flush;
    return kDone;
  }
  if (parser.isSet(version)) {
    Out() << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
    return kDone;
  }
  const bool importing = parser.isSet(options.Import), exporting = parser.isSet(options.ExportVCard);
  if (parser.isSet(options.Sync) && !importing && !exporting) return Sync(parser, options);
  if (parser.isSet(options.Server) || parser.isSet(options.User) || parser.isSet(options.PasswordFile))
    return WrongUsage(QStringLiteral("--server, --user and --password-file go with --sync."));
  if (importing == exporting) return WrongUsage(QStringLiteral("give one of --import, --export-vcard and --sync."));
  if (importing) {
    if (!parser.isSet(options.Into)) return WrongUsage(QStringLiteral("--import needs --into BOOK.dat."));
    if (parser.isSet(options.Version)) return WrongUsage(QStringLiteral("--vcard-version goes with --export-vcard."));
    return Import(parser.values(options.Import) + parser.positionalArguments(), parser.value(options.Into),
                  parser.isSet(options.KeepDuplicates), parser.isSet(options.ConvertToUnicode));
  }
  if (parser.isSet(options.Into) || parser.isSet(options.KeepDuplicates) || parser.isSet(options.ConvertToUnicode))
    return WrongUsage(QStringLiteral("--into, --keep-duplicates and --convert-to-unicode go with --import."));
  if (parser.positionalArguments().size() != 1)
    return WrongUsage(QStringLiteral("--export-vcard needs the book and one file to write."));
  const QString vcardVersion = parser.value(options.Version);
  if (vcardVersion != QLatin1String("3.0") && vcardVersion != QLatin1String("4.0"))
    return WrongUsage(QStringLiteral("the vCard version is 3.0 or 4.0, not '%1'.").arg(vcardVersion));
  return ExportVCard(parser.value(options.ExportVCard), parser.positionalArguments().front(),
                     vcardVersion == QLatin1String("4.0") ? VCardVersion::V4 : VCardVersion::V3);
}

}  // namespace

bool IsCommandLineCall(int argc, char* argv[]) {
  if (argc < 2) return false;
  const QByteArray first(argv[1]);
  return first.startsWith("--") || first == "-h" || first == "-?" || first == "-v";
}

int RunCommandLine(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QLatin1String(kProgramName));
  QCoreApplication::setApplicationVersion(QLatin1String(kProgramVersion));
  IgnoreFileSizeLimitSignal();
  return Run(QCoreApplication::arguments());
}

int StartWindowProgram(char* argv[]) {
  const QString program = WindowProgramPath();
  const PlatformError error = ExecWindowProgram(program, argv);
  return Fail(ErrorReportText(QStringLiteral("Unable to start the window program '%1'.").arg(program), error));
}
