#pragma once

#include <QAbstractTableModel>

#include "core/BookState.h"
#include "interchange/ImportPlan.h"

// The contacts of an import plan as a table: name, company, the phones that
// will be kept with their phone names, groups, and what happens to the
// contact (a likely duplicate, values cut, not added). Rows of contacts that
// are not added or had values cut are shown marked.
class ImportPreviewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kName, kCompany, kPhones, kGroups, kRemarks, kColumnCount };

  ImportPreviewModel(const BookState& book, QObject* parent = nullptr);

  // Shows plan, which must live as long as it is shown.
  void Show(const ImportPlan* plan);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString Text(const PlannedContact& contact, int column) const;
  QString PhonesOf(const AddressRecord& record) const;
  QString GroupsOf(const AddressRecord& record) const;
  QString Remarks(const PlannedContact& contact) const;

  const BookState& book_;
  const ImportPlan* plan_ = nullptr;
};
