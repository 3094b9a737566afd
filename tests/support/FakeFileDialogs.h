#pragma once

#include <vector>

#include "platform/FileDialogs.h"

// File dialogs that remember each request and answer with result (and
// chosen, when the result is Chosen).
class FakeFileDialogs : public FileDialogs {
 public:
  FileDialogResult GetOpenFileName(const FileDialogRequest& asked, QString& path) override {
    return Answer(asked, path);
  }
  FileDialogResult GetSaveFileName(const FileDialogRequest& asked, QString& path) override {
    return Answer(asked, path);
  }
  FileDialogResult GetSaveFileName(const FileDialogRequest& asked, QString& path, int& filterIndex) override {
    filterIndex = chosenFilter >= 0 ? chosenFilter : asked.FilterIndex;
    return Answer(asked, path);
  }

  FileDialogRequest request;
  int requests = 0;
  FileDialogResult result = FileDialogResult::Cancelled;
  QString chosen;
  int chosenFilter = -1;  // the file type chosen in a save dialog; -1 keeps the one shown first

 private:
  FileDialogResult Answer(const FileDialogRequest& asked, QString& path) {
    request = asked;
    ++requests;
    if (result == FileDialogResult::Chosen) path = chosen;
    return result;
  }
};
