#pragma once

#include <memory>

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "mainwindow/frmMain.h"
#include "support/FakeClipboard.h"
#include "support/FakeFileDialogs.h"

// The main window on a book the test prepares, with stand-in file dialogs
// and clipboard, shown active; a folder of the test's own for its files.
class MainWindowFixture : public testing::Test {
 protected:
  // Opens the window on book, as the program shows it after loading.
  void OpenWindow();
  void TearDown() override;

  QTemporaryDir dir;
  BookState book;
  ProgramSettings settings;
  FakeFileDialogs files;
  FakeClipboard clipboard;
  std::unique_ptr<frmMain> window;
};
