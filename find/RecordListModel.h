#pragma once

#include <QAbstractTableModel>

#include "core/BookState.h"

// Every record of a book in book order, one row each: name, company, first
// phone number and groups. The book must not change while the model is used.
class RecordListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { NameColumn, CompanyColumn, PhoneColumn, GroupsColumn, ColumnCount };

  explicit RecordListModel(const BookState& book, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  QString CellText(const AddressRecord& record, int column) const;

  const BookState& book_;
};
