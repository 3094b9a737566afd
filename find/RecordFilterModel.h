#pragma once

#include <vector>

#include <QSortFilterProxyModel>

#include "find/RecordSearchIndex.h"

class RecordListModel;

// The rows of a record list that match what the user types, in book order.
class RecordFilterModel : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  RecordFilterModel(const BookState& book, RecordListModel* records, QObject* parent = nullptr);

  // Shows only the records that match query (see RecordSearchIndex).
  void SetQuery(const QString& query);

  // The record index in the book of a row of this model.
  int RecordAt(int row) const;
  // The row of this model that shows record, or -1 when it is filtered out.
  int RowOf(int record) const;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  RecordSearchIndex index_;
  std::vector<bool> accepted_;
};
