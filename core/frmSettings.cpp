#include "core/frmSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/HelpTopics.h"
#include "platform/HelpKey.h"

namespace {
}

frmSettings::frmSettings(ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setWindowTitle(QStringLiteral("Settings"));
  setObjectName(QStringLiteral("frmSettings"));
  chkPromptBeforeSave = new QCheckBox(QStringLiteral("&Prompt Before Saving Files"));
  chkShowTime = new QCheckBox(QStringLiteral("Show Current &Time"));
  chkShowDate = new QCheckBox(QStringLiteral("Show Current &Date"));
  chkPromptBeforeSave->setChecked(settings.PhoneBook.PromptBeforeSaving);
  chkShowTime->setChecked(settings.PhoneBook.ShowStatusTime);
  chkShowDate->setChecked(settings.PhoneBook.ShowStatusDate);

  auto* Frame1 = new QGroupBox(QStringLiteral("Status Bar"));
  auto* frameLayout = new QVBoxLayout(Frame1);
  frameLayout->addWidget(chkShowTime);
  frameLayout->addWidget(chkShowDate);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &frmSettings::cmdOK_Click);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chkPromptBeforeSave);
  layout->addWidget(Frame1);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::Settings);
}

void frmSettings::cmdOK_Click() {
  settings_.PhoneBook.PromptBeforeSaving = chkPromptBeforeSave->isChecked();
  settings_.PhoneBook.ShowStatusTime = chkShowTime->isChecked();
  settings_.PhoneBook.ShowStatusDate = chkShowDate->isChecked();
  accept();
}

#include "moc_frmSettings.cpp"
