#include "find/RecordFilterModel.h"

#include "find/RecordListModel.h"

RecordFilterModel::RecordFilterModel(const BookState& book, RecordListModel* records, QObject* parent)
    : QSortFilterProxyModel(parent), index_(book), accepted_(static_cast<size_t>(book.RecordCount()), true) {
  setSourceModel(records);
}

void RecordFilterModel::SetQuery(const QString& query) {
  std::vector<bool> accepted = index_.Matches(query);
  if (accepted == accepted_) return;
  accepted_ = std::move(accepted);
  invalidate();  // one layout change for the whole list, however scattered the matches
}

int RecordFilterModel::RecordAt(int row) const { return mapToSource(index(row, 0)).row(); }

int RecordFilterModel::RowOf(int record) const { return mapFromSource(sourceModel()->index(record, 0)).row(); }

bool RecordFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return sourceRow >= 0 && static_cast<size_t>(sourceRow) < accepted_.size() && accepted_[static_cast<size_t>(sourceRow)];
}

#include "moc_RecordFilterModel.cpp"
