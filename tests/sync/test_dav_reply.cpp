// The WebDAV multistatus reader, on replies as servers write them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "sync/DavReply.h"

namespace {

QByteArray Corpus(const char* file) {
  QFile f(QStringLiteral(VANTREO_TEST_DATA_DIR "/dav-corpus/") + QLatin1String(file));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(DavReplyTest, ReadsDiscoveryPropertiesWhateverThePrefixes) {
  const DavMultistatus home = ParseMultistatus(Corpus("home-set.xml"));
  ASSERT_TRUE(home.Valid) << home.Error.toStdString();
  ASSERT_EQ(home.Responses.size(), 3u);
  EXPECT_EQ(home.Responses[0].HomeSet, QStringLiteral("/alice/"));
  EXPECT_FALSE(home.Responses[0].IsAddressBook);
  EXPECT_TRUE(home.Responses[1].IsAddressBook);
  EXPECT_EQ(home.Responses[1].DisplayName, QStringLiteral("Família & friends"));
  EXPECT_EQ(home.Responses[1].SyncToken, QStringLiteral("http://radicale.org/ns/sync/1"));
  EXPECT_FALSE(home.Responses[2].IsAddressBook);  // a calendar
  const DavMultistatus principal = ParseMultistatus(Corpus("principal.xml"));
  ASSERT_EQ(principal.Responses.size(), 1u);
  EXPECT_EQ(principal.Responses[0].Principal, QStringLiteral("/principals/alice/"));
}

TEST(DavReplyTest, SyncReportGivesChangedCardsRemovedOnesAndTheNewToken) {
  const DavMultistatus report = ParseMultistatus(Corpus("sync-collection.xml"));
  ASSERT_TRUE(report.Valid);
  EXPECT_EQ(report.SyncToken, QStringLiteral("http://radicale.org/ns/sync/2"));
  ASSERT_EQ(report.Responses.size(), 2u);
  EXPECT_EQ(report.Responses[0].Href, QStringLiteral("/alice/book/a.vcf"));
  EXPECT_EQ(report.Responses[0].Status, 200);
  EXPECT_EQ(report.Responses[0].ETag, QByteArray("\"e1\""));
  EXPECT_EQ(report.Responses[1].Status, 404);
  EXPECT_TRUE(report.Responses[1].ETag.isEmpty());
}

TEST(DavReplyTest, MultigetGivesEachCardsTextAndSkipsPropertiesNotFound) {
  const DavMultistatus multiget = ParseMultistatus(Corpus("multiget.xml"));
  ASSERT_EQ(multiget.Responses.size(), 2u);
  EXPECT_TRUE(multiget.Responses[0].AddressData.contains("VERSION:3.0\nFN:Zoë & Co\n"));
  EXPECT_EQ(multiget.Responses[0].ETag, QByteArray("\"x\""));
  EXPECT_TRUE(multiget.Responses[1].AddressData.isEmpty());  // its propstat said 404
  EXPECT_EQ(multiget.Responses[1].Status, 0);
}

struct BadReply {
  const char* Name;
  QByteArray Body;
};

class DavReplyRefusedTest : public testing::TestWithParam<BadReply> {};

TEST_P(DavReplyRefusedTest, IsNotValidAndSaysWhy) {
  const DavMultistatus result = ParseMultistatus(GetParam().Body);
  EXPECT_FALSE(result.Valid);
  EXPECT_FALSE(result.Error.isEmpty());
  EXPECT_TRUE(result.Responses.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, DavReplyRefusedTest,
    testing::Values(BadReply{"Empty", ""}, BadReply{"Html", "<html><body>Bad gateway</body></html>"},
                    BadReply{"MultistatusWithoutNamespace", "<multistatus><response><href>/a</href></response></multistatus>"},
                    BadReply{"CutShort", "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/a.vcf</d:href><d:propstat>"},
                    BadReply{"UnclosedTags", "<d:multistatus xmlns:d=\"DAV:\"><d:response></d:multistatus>"}),
    [](const testing::TestParamInfo<BadReply>& info) { return std::string(info.param.Name); });

TEST(DavReplyTest, AnExternalEntityIsNeverRead) {
  const DavMultistatus result = ParseMultistatus(
      "<?xml version=\"1.0\"?><!DOCTYPE m [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><d:multistatus xmlns:d=\"DAV:\">"
      "<d:response><d:href>/a&x;</d:href><d:propstat><d:prop><d:displayname>&x;</d:displayname></d:prop>"
      "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>");
  for (const DavResponse& response : result.Responses) {
    EXPECT_FALSE(response.Href.contains(QLatin1String("root:")));
    EXPECT_FALSE(response.DisplayName.contains(QLatin1String("root:")));
  }
}

TEST(DavReplyTest, EveryFuzzCorpusFileIsReadWithoutHarm) {
  const QDir corpus(QStringLiteral(VANTREO_TEST_DATA_DIR "/dav-corpus"));
  const QStringList files = corpus.entryList(QDir::Files);
  ASSERT_GE(files.size(), 4);
  for (const QString& name : files) {
    QFile file(corpus.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const DavMultistatus result = ParseMultistatus(file.readAll());
    EXPECT_TRUE(result.Valid || !result.Error.isEmpty()) << name.toStdString();
  }
}

}  // namespace
