#include "support/MainWindowFixture.h"

#include "support/WindowKeys.h"

void MainWindowFixture::OpenWindow() {
  InstallFileDialogs(&files);
  InstallClipboard(&clipboard);
  window = std::make_unique<frmMain>(book, settings);
  window->SetStatusPanes();
  ShowActive(*window);
}

void MainWindowFixture::TearDown() {
  window.reset();
  InstallFileDialogs(nullptr);
  InstallClipboard(nullptr);
}
