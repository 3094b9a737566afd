#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "platform/FileDialogs.h"
#include "platform/HelpButton.h"
#include "platform/ServiceSlot.h"

namespace {

// "Text Files|*.txt|All Files (*.*)|*.*" becomes Qt's "Text Files (*.txt);;All Files (*.*)".
QString QtFilterOf(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    filters << (description.contains(pattern) ? description : description + " (" + pattern + ")");
  }
  return filters.join(QStringLiteral(";;"));
}

class QtFileDialogs : public FileDialogs {
 public:
  FileDialogResult GetOpenFileName(const FileDialogRequest& request, QString& path) override {
    return Run(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile, path);
  }
  FileDialogResult GetSaveFileName(const FileDialogRequest& request, QString& path) override {
    int filterIndex = 0;
    return GetSaveFileName(request, path, filterIndex);
  }
  FileDialogResult GetSaveFileName(const FileDialogRequest& request, QString& path, int& filterIndex) override {
    QStringList paths;
    filterIndex = request.FilterIndex;
    const FileDialogResult result = Run(request, QFileDialog::AcceptSave, QFileDialog::AnyFile, paths, &filterIndex);
    if (result == FileDialogResult::Chosen) path = paths.first();
    return result;
  }
  FileDialogResult GetOpenFileNames(const FileDialogRequest& request, QStringList& paths) override {
    return Run(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles, paths);
  }

 private:
  static FileDialogResult Run(const FileDialogRequest& request, QFileDialog::AcceptMode mode,
                              QFileDialog::FileMode fileMode, QString& path) {
    QStringList paths;
    const FileDialogResult result = Run(request, mode, fileMode, paths);
    if (result == FileDialogResult::Chosen) path = paths.first();
    return result;
  }

  static FileDialogResult Run(const FileDialogRequest& request, QFileDialog::AcceptMode mode,
                              QFileDialog::FileMode fileMode, QStringList& paths, int* filterIndex = nullptr) {
    QFileDialog dialog(QApplication::activeWindow(), request.Title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // so that it can offer help
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
    const QStringList filters = QtFilterOf(request.Filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (request.FilterIndex > 0 && request.FilterIndex < filters.size()) dialog.selectNameFilter(filters[request.FilterIndex]);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.InitialPath.isEmpty()) dialog.selectFile(request.InitialPath);
    if (request.HelpContext) AddHelpButton(dialog, request.HelpContext);
    if (dialog.exec() != QDialog::Accepted) return FileDialogResult::Cancelled;
    paths = dialog.selectedFiles();
    if (filterIndex) *filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return paths.isEmpty() ? FileDialogResult::Failed : FileDialogResult::Chosen;
  }
};

ServiceSlot<FileDialogs> slot([] { return std::make_unique<QtFileDialogs>(); });

}  // namespace

FileDialogs& FileDialog() { return slot.Get(); }
void InstallFileDialogs(FileDialogs* implementation) { slot.Install(implementation); }
