#include "print/frmReadyPage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "core/BookText.h"
#include "platform/HelpKey.h"
#include "platform/ServiceSlot.h"
#include "print/ReadyPagePrompt.h"

namespace {

class DialogReadyPagePrompt : public ReadyPagePrompt {
 public:
  bool Ask(const std::string& promptText, bool& promptEachPage) override {
    Exchange().DialogText = promptText;
    frmReadyPage dialog(promptEachPage);
    dialog.exec();
    return Exchange().DialogOK != 0;
  }
};

ServiceSlot<ReadyPagePrompt> slot([] { return std::make_unique<DialogReadyPagePrompt>(); });

}  // namespace

ReadyPagePrompt& ReadyPage() { return slot.Get(); }
void InstallReadyPage(ReadyPagePrompt* implementation) { slot.Install(implementation); }

frmReadyPage::frmReadyPage(bool& promptEachPage, QWidget* parent)
    : QDialog(parent), promptEachPage_(promptEachPage) {
  setObjectName(QStringLiteral("frmReadyPage"));
  setWindowTitle(QStringLiteral("Prepare Printer"));
  lblPrompt = new QLabel(QStringLiteral("Prepare printer for printing ") + ShownText(Exchange().DialogText) +
                         QStringLiteral(". Select Help for more information."));
  lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
  lblPrompt->setWordWrap(true);
  chkEachPage = new QCheckBox(QStringLiteral("&Prompt for each page"));
  chkEachPage->setObjectName(QStringLiteral("chkEachPage"));
  chkEachPage->setChecked(promptEachPage);
  Exchange().DialogOK = 1;

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdAbort = MakeButton("&Abort Printing", "cmdAbort");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  connect(cmdOK, &QPushButton::clicked, this, &frmReadyPage::cmdOK_Click);
  connect(cmdAbort, &QPushButton::clicked, this, &frmReadyPage::cmdAbort_Click);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::ReadyPage); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {cmdOK, cmdAbort, cmdHelp}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrompt);
  layout->addWidget(chkEachPage);
  layout->addLayout(buttons);
  SetHelpContext(this, HelpTopic::ReadyPage);
}

void frmReadyPage::cmdOK_Click() {
  promptEachPage_ = chkEachPage->isChecked();
  Exchange().DialogOK = 1;
  accept();
}

void frmReadyPage::cmdAbort_Click() {
  Exchange().DialogOK = 0;
  reject();
}

#include "moc_frmReadyPage.cpp"
