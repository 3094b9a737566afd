// The commands of the main window that open the other windows of the program.
#include <QAction>
#include <QApplication>

#include "core/DialogExchange.h"
#include "core/frmGroups.h"
#include "export/frmExport.h"
#include "find/FindInRecords.h"
#include "find/frmSearch.h"
#include "find/frmSort.h"
#include "mainwindow/DialNumber.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmPhoneNames.h"
#include "mainwindow/frmStates.h"
#include "print/frmPrint.h"

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
  connect(mnuFilePrint, &QAction::triggered, this, [this] {
    frmPrint dialog(book_, settings_, this);
    dialog.exec();
  });
  connect(mnuRecordsSort, &QAction::triggered, this, [this] {
    if (RunSortCommand(book_, this)) GoToRecord(0);
  });
  connect(mnuRecordsSearch, &QAction::triggered, this, &frmMain::mnuRecordsSearch_Click);
  connect(mnuRecordsFindNext, &QAction::triggered, this, &frmMain::mnuRecordsFindNext_Click);
  connect(mnuRecordsFindPrevious, &QAction::triggered, this, &frmMain::mnuRecordsFindPrevious_Click);
  connect(mnuHelpAbout, &QAction::triggered, this, [this] {
    frmAbout dialog(this);
    dialog.exec();
  });
}

void frmMain::mnuRecordsSearch_Click() {
  frmSearch dialog(settings_.Search, this);
  dialog.exec();
  if (!Exchange().DialogOK) return;
  FindInRecords(book_, settings_.Search, *this, dialog.FromNextRecord ? book_.CurrentRecord + 1 : 0, 1);
}

void frmMain::mnuRecordsFindNext_Click() { RepeatSearch(1); }

void frmMain::mnuRecordsFindPrevious_Click() { RepeatSearch(-1); }

// Searches again from the record beside the current one, towards direction;
// without a search text yet, opens the search dialog instead.
void frmMain::RepeatSearch(int direction) {
  if (settings_.Search.SearchString.empty())
    mnuRecordsSearch_Click();
  else
    FindInRecords(book_, settings_.Search, *this, book_.CurrentRecord + direction, direction);
}
