#include "sync/SyncState.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "platform/StandardLocations.h"

namespace {

QJsonObject CardObject(const SyncedCard& card) {
  return {{QStringLiteral("href"), card.Href},
          {QStringLiteral("etag"), QString::fromUtf8(card.ETag)},
          {QStringLiteral("record"), QString::fromStdString(card.RecordUid)},
          {QStringLiteral("changed"), QString::number(card.RecordChangedMs)},
          {QStringLiteral("text"), QString::fromUtf8(card.Text)}};
}

SyncedCard CardOf(const QJsonObject& object) {
  return {object.value(QStringLiteral("href")).toString(), object.value(QStringLiteral("etag")).toString().toUtf8(),
          object.value(QStringLiteral("record")).toString().toStdString(),
          object.value(QStringLiteral("changed")).toString().toLongLong(), object.value(QStringLiteral("text")).toString().toUtf8()};
}

}  // namespace

QString SyncStatePath(const QString& folder, const QString& bookPath) {
  const QByteArray key = QCryptographicHash::hash(bookPath.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
  return QDir(folder).filePath(QString::fromLatin1(key) + QStringLiteral(".json"));
}

QString SyncStatePathOfBook(const QString& bookPath) { return SyncStatePath(SyncFolder(), CanonicalPath(bookPath)); }

bool LoadSyncState(const QString& path, SyncState& state, QString& error) {
  state = SyncState();
  QFile file(path);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("The sync state '%1' cannot be read: %2").arg(path, file.errorString());
    return false;
  }
  QJsonParseError parseError;
  const QJsonObject root = QJsonDocument::fromJson(file.readAll(), &parseError).object();
  if (parseError.error != QJsonParseError::NoError) {
    error = QStringLiteral("The sync state '%1' is damaged: %2").arg(path, parseError.errorString());
    return false;
  }
  state.Account = {QUrl(root.value(QStringLiteral("addressBook")).toString()), root.value(QStringLiteral("user")).toString(),
                   root.value(QStringLiteral("displayName")).toString()};
  state.SyncToken = root.value(QStringLiteral("syncToken")).toString();
  state.KeepDeleted = root.value(QStringLiteral("keepDeleted")).toBool();
  state.SyncAfterSave = root.value(QStringLiteral("syncAfterSave")).toBool();
  state.SyncAtStartUp = root.value(QStringLiteral("syncAtStartUp")).toBool();
  for (const QJsonValue card : root.value(QStringLiteral("cards")).toArray()) state.Cards.push_back(CardOf(card.toObject()));
  for (const QJsonValue uid : root.value(QStringLiteral("unlinked")).toArray()) state.Unlinked.push_back(uid.toString().toStdString());
  return true;
}

bool SaveSyncState(const QString& path, const SyncState& state, QString& error) {
  QJsonArray cards, unlinked;
  for (const SyncedCard& card : state.Cards) cards.append(CardObject(card));
  for (const std::string& uid : state.Unlinked) unlinked.append(QString::fromStdString(uid));
  const QJsonObject root{{QStringLiteral("addressBook"), state.Account.AddressBook.toString()},
                         {QStringLiteral("user"), state.Account.User},
                         {QStringLiteral("displayName"), state.Account.DisplayName},
                         {QStringLiteral("syncToken"), state.SyncToken},
                         {QStringLiteral("keepDeleted"), state.KeepDeleted},
                         {QStringLiteral("syncAfterSave"), state.SyncAfterSave},
                         {QStringLiteral("syncAtStartUp"), state.SyncAtStartUp},
                         {QStringLiteral("cards"), cards},
                         {QStringLiteral("unlinked"), unlinked}};
  QSaveFile file(path);  // the cards' texts are private: readable by their owner only
  if (file.open(QIODevice::WriteOnly) && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) &&
      file.write(QJsonDocument(root).toJson(QJsonDocument::Compact)) >= 0 && file.commit())
    return true;
  error = QStringLiteral("The sync state '%1' cannot be written: %2").arg(path, file.errorString());
  return false;
}
