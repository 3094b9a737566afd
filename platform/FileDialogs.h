#pragma once

#include <QString>
#include <QStringList>

// What an open or save file dialog is asked to show.
struct FileDialogRequest {
  QString Title;
  QString Filter;         // "description|pattern|description|pattern"
  QString DefaultSuffix;  // without the dot
  QString InitialPath;
  bool ConfirmOverwrite = false;
  int HelpContext = 0;    // topic for F1 in the dialog
  int FilterIndex = 0;    // the file type (pair of Filter) chosen at first
};

enum class FileDialogResult { Chosen, Cancelled, Failed };

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Open dialogs accept only existing files; save dialogs only existing folders.
  virtual FileDialogResult GetOpenFileName(const FileDialogRequest& request, QString& path) = 0;
  virtual FileDialogResult GetSaveFileName(const FileDialogRequest& request, QString& path) = 0;
  // The same, telling which file type the user chose (its index in Filter).
  virtual FileDialogResult GetSaveFileName(const FileDialogRequest& request, QString& path, int& filterIndex) {
    filterIndex = request.FilterIndex;
    return GetSaveFileName(request, path);
  }
  // Several existing files; a dialog that offers only one answers with that one.
  virtual FileDialogResult GetOpenFileNames(const FileDialogRequest& request, QStringList& paths) {
    QString path;
    const FileDialogResult result = GetOpenFileName(request, path);
    if (result == FileDialogResult::Chosen) paths = QStringList{path};
    return result;
  }
};

FileDialogs& FileDialog();
void InstallFileDialogs(FileDialogs* implementation);
