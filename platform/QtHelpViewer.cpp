#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "platform/ServiceSlot.h"
#include "platform/StandardLocations.h"

namespace {

// Shows the HTML help file in one browser window, scrolled to a topic's anchor.
class QtHelpViewer : public HelpViewer {
 public:
  void ShowTopic(int context) override { ShowAnchor(QString::number(context)); }
  void ShowContents() override { ShowAnchor(QLatin1String(kHelpContentsAnchor)); }
  void ShowHowToUse() override { ShowAnchor(QLatin1String(kHelpOnHelpAnchor)); }

  void Quit() override {
    if (browser_) browser_->close();
    delete browser_;
  }

 private:
  void ShowAnchor(const QString& anchor) {
    const QString path = HelpFilePath();
    if (!QFileInfo::exists(path)) {
      Messages().Show(MessageKind::Notice,
                      QStringLiteral("Help is unavailable: the help file '%1' was not found.").arg(path));
      return;
    }
    if (!browser_) {
      browser_ = new QTextBrowser;
      browser_->setAttribute(Qt::WA_DeleteOnClose);
      browser_->setWindowTitle(QStringLiteral("Vantreo Help"));
      browser_->setOpenExternalLinks(true);
      browser_->resize(640, 520);
    }
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor);
    browser_->setSource(url);
    browser_->scrollToAnchor(anchor);
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
  }

  QPointer<QTextBrowser> browser_;
};

ServiceSlot<HelpViewer> slot([] { return std::make_unique<QtHelpViewer>(); });

}  // namespace

HelpViewer& Help() { return slot.Get(); }
void InstallHelp(HelpViewer* implementation) { slot.Install(implementation); }
