#include "platform/AssistantHelpViewer.h"

#include <QFileInfo>

#include "platform/MessageBoxes.h"

AssistantHelpViewer::AssistantHelpViewer(std::unique_ptr<ViewerProcess> process, QString assistantProgram,
                                         QString collectionFile)
    : process_(std::move(process)), program_(std::move(assistantProgram)), collection_(std::move(collectionFile)) {}

void AssistantHelpViewer::ShowTopic(int context) { Show(QString::number(context)); }

void AssistantHelpViewer::ShowContents() {
  Show(QLatin1String(kHelpContentsAnchor), QStringLiteral("show contents;"));
}

void AssistantHelpViewer::ShowHowToUse() { Show(QLatin1String(kHelpOnHelpAnchor)); }

void AssistantHelpViewer::Quit() { process_->Stop(); }

// All commands of a request go on one line: Assistant reads one line each
// time its input becomes readable, so a second line sent at once would wait
// for the next request.
void AssistantHelpViewer::Show(const QString& identifier, const QString& panel) {
  QString commands;
  if (!process_->IsRunning()) {
    if (!Start()) return;
    commands = QStringLiteral("expandToc 1;");  // the contents tree opens with its chapters shown
  }
  process_->Send(commands + panel + QStringLiteral("activateIdentifier ") + identifier +
                 QStringLiteral(";syncContents"));
}

bool AssistantHelpViewer::Start() {
  QString problem;
  QString error;
  if (program_.isEmpty()) {
    problem = QStringLiteral("Help cannot be shown because the help viewer, Qt Assistant, is not installed. "
                             "Install the package assistant-qt6 and try again.");
  } else if (!QFileInfo::exists(collection_)) {
    problem = QStringLiteral("Help cannot be shown because the help file '%1' was not found.").arg(collection_);
  } else if (!process_->Start(program_, {QStringLiteral("-collectionFile"), collection_,
                                          QStringLiteral("-enableRemoteControl")},
                              error)) {
    problem = QStringLiteral("Help cannot be shown because the help viewer '%1' could not be started: %2.")
                  .arg(program_, error);
  }
  if (problem.isEmpty()) return true;
  Messages().Show(MessageKind::Notice, problem);
  return false;
}
