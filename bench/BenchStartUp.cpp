#include <QApplication>
#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "core/DataFile.h"
#include "core/ProgramSettings.h"
#include "mainwindow/frmMain.h"

namespace {

// From creating the main window to the first record shown, with the book's
// data file named in the settings as after an earlier session.
RegisterBenchStep startUp{"start-up to the first shown record", 0.3, [](BookState& book) {
                            QTemporaryDir dir;
                            book.FileName = dir.filePath(QStringLiteral("Quillbox.dat"));
                            SaveDocument(book);
                            ProgramSettings settings;
                            settings.PhoneBook.DataFile = book.FileName;
                            BookState shown;
                            return SecondsOf([&] {
                              frmMain window(shown, settings);
                              window.Form_Load();
                              window.show();
                              QApplication::processEvents();
                            });
                          }};

}  // namespace
