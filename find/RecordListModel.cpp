#include "find/RecordListModel.h"

#include <algorithm>

#include "core/GroupNames.h"
#include "core/BookText.h"

namespace {

const char* const kColumnTitles[RecordListModel::ColumnCount] = {"Name", "Company", "Phone", "Groups"};

// The first phone slot that holds a number, in slot order.
std::string FirstPhone(const AddressRecord& record) {
  const auto found =
      std::find_if(record.Phones.begin(), record.Phones.end(), [](const std::string& phone) { return !phone.empty(); });
  return found == record.Phones.end() ? std::string() : *found;
}

}  // namespace

RecordListModel::RecordListModel(const BookState& book, QObject* parent) : QAbstractTableModel(parent), book_(book) {}

int RecordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : book_.RecordCount();
}

int RecordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= book_.RecordCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  return CellText(book_.Records[static_cast<size_t>(index.row())], index.column());
}

QString RecordListModel::CellText(const AddressRecord& record, int column) const {
  switch (column) {
    case NameColumn: return ShownText(record.Name);
    case CompanyColumn: return ShownText(record.Company);
    case PhoneColumn: return ShownText(FirstPhone(record));
    case GroupsColumn: return GroupNamesOf(book_, record).join(QStringLiteral(", "));
    default: return {};
  }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromLatin1(kColumnTitles[section]);
}

#include "moc_RecordListModel.cpp"
