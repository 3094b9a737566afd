#pragma once

#include <string>
#include <vector>

#include <QStyledItemDelegate>

// Shows the field and phone name of each mapped column as a drop-down box
// and makes the box only when the cell is edited (a click, F2 or typing):
// a list of the fields, or the book's phone names to choose from or type
// over. Each choice is taken at once.
class ColumnMappingDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  ColumnMappingDelegate(const std::vector<std::string>& phoneNames, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  static bool IsChoice(const QModelIndex& index);

  QStringList phoneNames_;
};
