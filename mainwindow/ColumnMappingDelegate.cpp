#include "mainwindow/ColumnMappingDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionComboBox>

#include "mainwindow/ColumnMappingModel.h"
#include "platform/AnsiText.h"

namespace {

QStyle* StyleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

// The drop-down box a cell shows, drawn as the editor will look.
QStyleOptionComboBox BoxOption(const QStyleOptionViewItem& option, const QModelIndex& index) {
  QStyleOptionComboBox box;
  box.QStyleOption::operator=(option);
  box.rect = option.rect.adjusted(1, 1, -1, -1);
  box.editable = index.column() == ColumnMappingModel::kPhoneName;
  box.frame = true;
  box.currentText = index.data().toString();
  box.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver);
  if (!(index.flags() & Qt::ItemIsEditable)) {
    box.state &= ~QStyle::State_Enabled;
    box.palette.setCurrentColorGroup(QPalette::Disabled);
  }
  return box;
}

}  // namespace

ColumnMappingDelegate::ColumnMappingDelegate(const std::vector<std::string>& phoneNames, QObject* parent)
    : QStyledItemDelegate(parent) {
  for (const std::string& name : phoneNames) phoneNames_ << AnsiToQString(name);
}

bool ColumnMappingDelegate::IsChoice(const QModelIndex& index) {
  return index.column() == ColumnMappingModel::kField || index.column() == ColumnMappingModel::kPhoneName;
}

void ColumnMappingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (!IsChoice(index)) return QStyledItemDelegate::paint(painter, option, index);
  QStyleOptionComboBox box = BoxOption(option, index);
  QStyle* style = StyleOf(option);
  style->drawComplexControl(QStyle::CC_ComboBox, &box, painter, option.widget);
  box.editable = false;  // the style leaves the text of an editable box to its line edit
  style->drawControl(QStyle::CE_ComboBoxLabel, &box, painter, option.widget);
}

QSize ColumnMappingDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (!IsChoice(index)) return QStyledItemDelegate::sizeHint(option, index);
  // Wide enough for every field, or for the phone name shown.
  const QStringList texts = index.column() == ColumnMappingModel::kField ? ColumnMappingModel::FieldCaptions()
                                                                         : QStringList{index.data().toString()};
  int width = 0;
  for (const QString& text : texts) width = std::max(width, option.fontMetrics.horizontalAdvance(text));
  QStyleOptionComboBox box = BoxOption(option, index);
  return StyleOf(option)->sizeFromContents(QStyle::CT_ComboBox, &box, QSize(width, option.fontMetrics.height()),
                                           option.widget) + QSize(2, 2);
}

QWidget* ColumnMappingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* box = new QComboBox(parent);
  auto* self = const_cast<ColumnMappingDelegate*>(this);  // commitData is a signal, createEditor const
  const auto commit = [self, box] { Q_EMIT self->commitData(box); };
  if (index.column() == ColumnMappingModel::kField) {
    box->addItems(ColumnMappingModel::FieldCaptions());
    connect(box, &QComboBox::currentIndexChanged, self, commit);
    return box;
  }
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->addItems(phoneNames_);
  connect(box, &QComboBox::activated, self, commit);
  return box;
}

void ColumnMappingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* box = static_cast<QComboBox*>(editor);
  const QSignalBlocker quiet(box);  // showing the value is no choice of the user
  if (index.column() == ColumnMappingModel::kField)
    box->setCurrentIndex(index.data(Qt::EditRole).toInt());
  else
    box->setCurrentText(index.data(Qt::EditRole).toString());
}

void ColumnMappingDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  const auto* box = static_cast<QComboBox*>(editor);
  model->setData(index, index.column() == ColumnMappingModel::kField ? QVariant(box->currentIndex()) : QVariant(box->currentText()),
                 Qt::EditRole);
}

void ColumnMappingDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const {
  editor->setGeometry(option.rect.adjusted(1, 1, -1, -1));
}

#include "moc_ColumnMappingDelegate.cpp"
