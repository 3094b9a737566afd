#include <gtest/gtest.h>

#include <QFile>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QRegularExpression>

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

QStringList Captures(const QString& text, const QString& pattern) {
  QStringList captured;
  for (const QRegularExpressionMatch& match : QRegularExpression(pattern).globalMatch(text))
    captured << match.captured(1);
  return captured;
}

// The help collection the build made from the help file, as Qt Assistant
// reads it, and the topics of the help file.
class HelpCollectionTest : public testing::Test {
 protected:
  void SetUp() override {
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
    QFile source(QStringLiteral(VANTREO_RESOURCES_DIR "/QUILLBOX.html"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    topics = Captures(QString::fromUtf8(source.readAll()), QStringLiteral(R"re(<h2><a name="([^"]+)">)re"));
    for (int context : kHelpContexts) programTopics << QString::number(context);
  }

  // The one page the identifier opens, empty when it opens none or several.
  QString PageOf(const QString& identifier) {
    const QList<QHelpLink> links = engine.documentsForIdentifier(identifier);
    return links.size() == 1 ? QString::fromUtf8(engine.fileData(links[0].url)) : QString();
  }

  QHelpEngineCore engine{QStringLiteral(VANTREO_HELP_COLLECTION)};
  QStringList topics;
  QStringList programTopics;
};

TEST_F(HelpCollectionTest, EveryTopicOpensAPageOfItsOwnWithItsHeadingOnTop) {
  EXPECT_TRUE(topics.contains(QLatin1String(kHelpOnHelpAnchor)));
  for (const QString& topic : programTopics) EXPECT_TRUE(topics.contains(topic)) << topic.toStdString();
  for (const QString& topic : topics) {
    const QString page = PageOf(topic);
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral(R"re(<body>\s*<h2><a name="%1">)re").arg(topic))))
        << topic.toStdString();
    EXPECT_EQ(page.count(QLatin1String("<h2")), 1) << topic.toStdString();
  }
}

TEST_F(HelpCollectionTest, TheContentsNameEveryTopicAndEveryLinkOpensAPage) {
  const QString contents = PageOf(QLatin1String(kHelpContentsAnchor));
  const QStringList listed = Captures(contents, QStringLiteral(R"re(href="([^"#]+)\.html")re"));
  for (const QString& topic : programTopics) EXPECT_TRUE(listed.contains(topic)) << topic.toStdString();
  for (const QString& topic : topics + QStringList{QLatin1String(kHelpContentsAnchor)}) {
    const QUrl page = engine.documentsForIdentifier(topic).value(0).url;
    for (const QString& link : Captures(PageOf(topic), QStringLiteral(R"re(href="([^"]+)")re"))) {
      if (link.startsWith(QLatin1String("http"))) continue;
      const QUrl target = page.resolved(QUrl(link));
      const QString text = QString::fromUtf8(engine.fileData(target.adjusted(QUrl::RemoveFragment)));
      EXPECT_TRUE(target.hasFragment() ? text.contains(QStringLiteral("name=\"%1\"").arg(target.fragment()))
                                       : !text.isEmpty())
          << topic.toStdString() << " links to " << link.toStdString();
    }
  }
}

}  // namespace
