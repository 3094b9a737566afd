#include "mainwindow/ImportPreviewModel.h"

#include <QBrush>
#include <QColor>

#include "core/GroupMembership.h"
#include "platform/AnsiText.h"

namespace {

// A name of the book's list, or of those the import creates after it.
QString ListName(const std::vector<std::string>& existing, const std::vector<std::string>& created, int index) {
  if (index < 0) return {};
  const auto i = static_cast<size_t>(index);
  if (i < existing.size()) return AnsiToQString(existing[i]);
  return i - existing.size() < created.size() ? AnsiToQString(created[i - existing.size()]) : QString();
}

}  // namespace

ImportPreviewModel::ImportPreviewModel(const BookState& book, QObject* parent)
    : QAbstractTableModel(parent), book_(book) {}

void ImportPreviewModel::Show(const ImportPlan* plan) {
  beginResetModel();
  plan_ = plan;
  endResetModel();
}

int ImportPreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !plan_ ? 0 : static_cast<int>(plan_->Contacts.size());
}

int ImportPreviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ImportPreviewModel::data(const QModelIndex& index, int role) const {
  if (!plan_ || !index.isValid()) return {};
  const PlannedContact& contact = plan_->Contacts[static_cast<size_t>(index.row())];
  const bool marked = contact.Record < 0 || contact.Duplicate >= 0 || !contact.CutFields.isEmpty();
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return Text(contact, index.column());
  if (role == Qt::BackgroundRole && marked) return QBrush(contact.Record < 0 ? QColor(0xEE, 0xEE, 0xEE) : QColor(0xFF, 0xF4, 0xCC));
  if (role == Qt::ForegroundRole && contact.Record < 0) return QBrush(QColor(0x70, 0x70, 0x70));
  return {};
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  static const char* const kCaptions[] = {"Name", "Company", "Phones", "Group", "Remarks"};
  return QString::fromLatin1(kCaptions[section]);
}

QString ImportPreviewModel::Text(const PlannedContact& contact, int column) const {
  const AddressRecord* record = contact.Record >= 0 ? &plan_->Records[static_cast<size_t>(contact.Record)] : nullptr;
  switch (column) {
    case kName: return record ? AnsiToQString(record->Name) : contact.Contact;
    case kCompany: return record ? AnsiToQString(record->Company) : QString();
    case kPhones: return record ? PhonesOf(*record) : QString();
    case kGroups: return record ? GroupsOf(*record) : QString();
    case kRemarks: return Remarks(contact);
    default: return {};
  }
}

QString ImportPreviewModel::PhonesOf(const AddressRecord& record) const {
  QStringList phones;
  for (size_t slot = 0; slot < record.Phones.size(); ++slot) {
    if (record.Phones[slot].empty()) continue;
    const QString name = ListName(book_.PhoneNames, plan_->NewPhoneNames, record.PhoneNameIndex[slot]);
    const QString number = AnsiToQString(record.Phones[slot]);
    phones << (name.isEmpty() ? number : QStringLiteral("%1: %2").arg(name, number));
  }
  return phones.join(QStringLiteral("; "));
}

QString ImportPreviewModel::GroupsOf(const AddressRecord& record) const {
  QStringList groups;
  for (const char index : GroupSetOf(record))
    groups << ListName(book_.Groups, plan_->NewGroups, static_cast<unsigned char>(index));
  return groups.join(QStringLiteral(", "));
}

QString ImportPreviewModel::Remarks(const PlannedContact& contact) const {
  QStringList remarks;
  if (contact.Duplicate >= 0)
    remarks << (contact.Record < 0 ? QStringLiteral("Likely duplicate of record %1, skipped")
                                   : QStringLiteral("Likely duplicate of record %1"))
                   .arg(contact.Duplicate + 1);
  if (contact.NoRoom) remarks << QStringLiteral("Not added, the book is full");
  if (!contact.CutFields.isEmpty()) remarks << QStringLiteral("Cut to fit: ") + contact.CutFields.join(QStringLiteral(", "));
  return remarks.join(QStringLiteral("; "));
}

#include "moc_ImportPreviewModel.cpp"
