#include "mainwindow/frmAbout.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "mainwindow/ApplicationIcon.h"
#include "platform/BusyPointer.h"
#include "platform/HelpKey.h"
#include "platform/ProgramIdentity.h"
#include "platform/Shell.h"

namespace {

constexpr int kIconSize = 48;

QLabel* Label(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));

  auto* icon = new QLabel;
  icon->setPixmap(ApplicationIcon().pixmap(kIconSize, kIconSize));
  QLabel* version = Label(QStringLiteral("%1, Version %2").arg(QLatin1String(kProgramName), QLatin1String(kProgramVersion)));
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  QLabel* maker = Label(QStringLiteral("Made by Vantreo, the makers of simple software for everyday records."));
  maker->setWordWrap(true);

  lblInternetLink = Label(QLatin1String(kMakerWebAddress));
  lblInternetLink->setObjectName(QStringLiteral("lblInternetLink"));
  QPalette linkColours = lblInternetLink->palette();
  linkColours.setColor(QPalette::WindowText, linkColours.color(QPalette::Highlight));
  lblInternetLink->setPalette(linkColours);
  lblInternetLink->setCursor(Qt::PointingHandCursor);
  lblInternetLink->setToolTip(QStringLiteral("Open the web site in your browser"));
  lblInternetLink->installEventFilter(this);

  cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(version, 0, 1);
  layout->addWidget(maker, 1, 1);
  layout->addWidget(lblInternetLink, 2, 1);
  layout->addWidget(cmdOK, 3, 0, 1, 2, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::About);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblInternetLink && event->type() == QEvent::MouseButtonPress) {
    lblInternetLink_MouseDown(static_cast<QMouseEvent*>(event)->button());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmAbout::lblInternetLink_MouseDown(Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  std::optional<PlatformError> failure;
  {
    BusyCursor busy;
    failure = DesktopShell().Open(QLatin1String(kMakerWebAddress));
  }
  if (failure)
    ShowMessage(MessageKind::Notice, QStringLiteral("Unable to load internet web site : %1 (Error %2)")
                                         .arg(failure->Description)
                                         .arg(failure->Number));
}

#include "moc_frmAbout.cpp"
