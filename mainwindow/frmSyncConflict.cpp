#include "mainwindow/frmSyncConflict.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/DialogButton.h"
#include "core/HelpTopics.h"
#include "platform/HelpKey.h"

namespace {

QLabel* Value(const QString& text, const char* name) {
  auto* label = new QLabel(text.isEmpty() ? QStringLiteral("(empty)") : text);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setFrameShape(QFrame::StyledPanel);
  return label;
}

}  // namespace

frmSyncConflict::frmSyncConflict(const FieldConflict& conflict, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSyncConflict"));
  setWindowTitle(QStringLiteral("Sync Conflict"));
  auto* lblQuestion = new QLabel(QStringLiteral("%1 of %2 was changed both in this book and on the server. Which should stay?")
                                     .arg(FieldTitle(conflict.Field), conflict.Record));
  lblQuestion->setTextFormat(Qt::PlainText);
  lblQuestion->setWordWrap(true);
  cmdKeepHere = MakeButton("&This Book's", "cmdKeepHere");
  cmdKeepServer = MakeButton("The &Server's", "cmdKeepServer");
  cmdKeepBoth = MakeButton("Keep &Both Records", "cmdKeepBoth");
  cmdKeepBoth->setDefault(true);
  auto* layout = new QGridLayout(this);
  layout->addWidget(lblQuestion, 0, 0, 1, 2);
  layout->addWidget(new QLabel(QStringLiteral("In this book:")), 1, 0);
  layout->addWidget(Value(conflict.Here, "lblHere"), 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("On the server:")), 2, 0);
  layout->addWidget(Value(conflict.Server, "lblServer"), 2, 1);
  layout->addLayout(ButtonColumn({cmdKeepHere, cmdKeepServer, cmdKeepBoth}), 0, 2, 3, 1);
  const auto answer = [this](ConflictChoice choice) { choice_ = choice; accept(); };
  connect(cmdKeepHere, &QPushButton::clicked, this, [answer] { answer(ConflictChoice::KeepHere); });
  connect(cmdKeepServer, &QPushButton::clicked, this, [answer] { answer(ConflictChoice::KeepServer); });
  connect(cmdKeepBoth, &QPushButton::clicked, this, [answer] { answer(ConflictChoice::KeepBoth); });
  SetHelpContext(this, HelpTopic::SyncConflicts);
}

#include "moc_frmSyncConflict.cpp"
