#include <gtest/gtest.h>

#include <set>

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/HelpViewer.h"

namespace {

// Every help context number the program's windows, menu items and common
// dialogs open.
constexpr int kHelpContexts[] = {
    210,                                      // the main window
    1100, 1110, 1120, 1130, 1135, 1140, 1190,  // File menu; 1110/1130 also the Open/Save As dialogs
    1210, 1220, 1230, 1240, 1250,              // Edit menu; 1240 Phone Names, 1250 Edit Groups
    1310, 1320, 1330, 1340, 1350, 1360,        // Records menu; 1330 Search, 1360 Sort Records
    1410, 1420, 1440,                          // Options menu; 1410 State Abbreviations, 1440 Settings
    1590,                                      // About
    1810, 1820, 1830, 1840,                    // font dialog, Align, Prepare Printer, multiple groups
    1850, 1860, 1870,                          // Edit Phone Names, Delete Group, Delete Phone Name
    1620, 1630, 1640,                          // Import, Export vCard, the command line
};

// The help file as the help viewer reads it.
class HelpFileTest : public testing::Test {
 protected:
  void SetUp() override {
    QFile file(QStringLiteral(VANTREO_RESOURCES_DIR "/QUILLBOX.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    document.setHtml(QString::fromUtf8(file.readAll()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        for (const QString& name : format.anchorNames()) anchors.insert(name);
        if (format.anchorHref().startsWith('#')) links.insert(format.anchorHref().mid(1));
      }
    }
  }

  QTextDocument document;
  std::set<QString> anchors;
  std::set<QString> links;
};

TEST_F(HelpFileTest, EveryHelpContextHasATopic) {
  for (int context : kHelpContexts) EXPECT_TRUE(anchors.count(QString::number(context))) << context;
}

TEST_F(HelpFileTest, ContentsAndHelpOnHelpHaveTopics) {
  EXPECT_TRUE(anchors.count(QLatin1String(kHelpContentsAnchor)));
  EXPECT_TRUE(anchors.count(QLatin1String(kHelpOnHelpAnchor)));
}

TEST_F(HelpFileTest, ContentsLeadToEveryTopicAndEveryLinkHasATarget) {
  for (int context : kHelpContexts) EXPECT_TRUE(links.count(QString::number(context))) << context;
  for (const QString& link : links) EXPECT_TRUE(anchors.count(link)) << link.toStdString();
}

}  // namespace
