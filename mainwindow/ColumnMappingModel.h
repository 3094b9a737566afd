#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

#include "interchange/ImportSource.h"

// The columns of the CSV files that the user maps, a row each: the file, the
// header, an example value, the field to import the column as and, for a
// phone, its phone name. Only the last two can be edited; they start from
// what the header suggests. The table holds text only: the editors are made
// when a cell is edited, so a file of thousands of columns opens at once.
class ColumnMappingModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kFile, kHeader, kExample, kField, kPhoneName, kColumnCount };

  explicit ColumnMappingModel(QObject* parent = nullptr);

  // A row for every column of the sources that holds data under a header no common export uses.
  void Fill(const std::vector<ImportSource>& sources);

  // What the sources' columns hold, as the user mapped them so far.
  void ApplyTo(std::vector<ImportSource>& sources) const;

  // The captions of the fields a column can be imported as, in the editor's order.
  static QStringList FieldCaptions();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 Q_SIGNALS:
  // The user chose another field or phone name for a row.
  void MappingChanged();

 private:
  struct Row {
    size_t Source;
    int Column;
    QString File;
    QString Header;
    QString Example;
    int Field;  // index of the field choice
    QString PhoneName;
    bool Chosen = false;  // by the user; else the column keeps what its header suggested
  };

  bool IsPhone(const Row& row) const;
  CsvColumn Mapped(const Row& row) const;

  std::vector<Row> rows_;
};
