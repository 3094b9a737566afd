#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "platform/HelpViewer.h"

// A program running beside this one that reads one command per line.
class ViewerProcess {
 public:
  virtual ~ViewerProcess() = default;
  // False, with the reason in error, when the program could not be started.
  virtual bool Start(const QString& program, const QStringList& arguments, QString& error) = 0;
  virtual bool IsRunning() const = 0;
  virtual void Send(const QString& commandLine) = 0;
  virtual void Stop() = 0;
};

// The ViewerProcess that starts real programs.
std::unique_ptr<ViewerProcess> NewViewerProcess();

// Where Qt Assistant is installed; empty when it is not.
QString AssistantProgram();

// Shows help in Qt Assistant, a program of its own, so that its window stays
// usable while a dialog of this program is open. Assistant is started with
// the help collection on the first request (and again after the user closed
// it) and opens topics by their identifiers through its remote control.
class AssistantHelpViewer : public HelpViewer {
 public:
  AssistantHelpViewer(std::unique_ptr<ViewerProcess> process, QString assistantProgram, QString collectionFile);

  void ShowTopic(int context) override;
  void ShowContents() override;
  void ShowHowToUse() override;
  void Quit() override;

 private:
  void Show(const QString& identifier, const QString& panel = {});
  bool Start();

  std::unique_ptr<ViewerProcess> process_;
  QString program_;
  QString collection_;
};
