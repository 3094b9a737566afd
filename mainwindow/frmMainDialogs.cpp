// The commands of the main window that open the other windows of the program.
#include <QAction>
#include <QApplication>

#include "core/DialogExchange.h"
#include "core/frmGroups.h"
#include "export/frmExport.h"
#include "mainwindow/DialNumber.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmPhoneNames.h"
#include "mainwindow/frmStates.h"

void frmMain::ConnectDialogCommands() {
  connect(mnuFileExport, &QAction::triggered, this, [this] {
    frmExport dialog(book_, settings_, this);
    dialog.exec();
  });
  connect(mnuEditPhoneNames, &QAction::triggered, this, [this] {
    frmPhoneNames dialog(book_, this);
    dialog.exec();
    ShowRecord();
  });
  connect(mnuEditGroup, &QAction::triggered, this, [this] {
    Exchange().ListMode = kListModeGroups;
    frmGroups dialog(book_, this);
    dialog.exec();
    RefreshView();
  });
  connect(mnuOptionsStates, &QAction::triggered, this, [this] {
    frmStates dialog(QApplication::focusWidget(), this);
    dialog.exec();
  });
  connect(mnuOptionsDial, &QAction::triggered, this, [this] {
    DialNumber(book_.Current(), book_.Current().WhichPhone, windowTitle());
  });
  connect(mnuHelpAbout, &QAction::triggered, this, [this] {
    frmAbout dialog(this);
    dialog.exec();
  });
}
