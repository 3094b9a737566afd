#include "app/StartUp.h"

#include <QApplication>
#include <QStringList>

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "core/SettingsIO.h"
#include "core/Termination.h"
#include "mainwindow/ApplicationIcon.h"
#include "mainwindow/frmMain.h"
#include "platform/ProgramIdentity.h"
#include "platform/QtBusyPointer.h"
#include "platform/SettingsStore.h"
#include "print/PrinterFont.h"

namespace {

// The whole argument text is one path, as a file name may hold blanks.
QString CommandLineOf(const QStringList& arguments) { return arguments.mid(1).join(' ').trimmed(); }

}  // namespace

std::unique_ptr<frmMain> StartMainWindow(const QString& commandLine) {
  // Without an installed printer the program prints to PDF files, so the
  // stored print font is still the user's choice.
  LoadSettings(Settings(), Store(), CurrentPrinterFont().value_or(kFallbackPrintFont));
  auto window = std::make_unique<frmMain>(Book(), Settings(), commandLine);
  window->Form_Load();
  window->show();
  return window;
}

int RunProgram(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QLatin1String(kProgramName));
  QApplication::setApplicationVersion(QLatin1String(kProgramVersion));
  QApplication::setDesktopFileName(QLatin1String(kApplicationId));
  QApplication::setWindowIcon(ApplicationIcon());
  InstallBusy(&ScreenBusyPointer());
  EndSafelyWhenTerminated(Book());
  const std::unique_ptr<frmMain> window = StartMainWindow(CommandLineOf(QApplication::arguments()));
  return QApplication::exec();
}
