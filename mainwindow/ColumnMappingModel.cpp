#include "mainwindow/ColumnMappingModel.h"

#include <QFileInfo>

#include "interchange/CsvHeaderTable.h"

namespace {

struct FieldChoice {
  const char* Caption;
  CsvField Field;
  const char* Label;  // the column's label; none for its header (a phone takes the name typed beside it)
  NotesOrder Rank;
};

constexpr FieldChoice kFieldChoices[] = {
    {"Notes, under its header", CsvField::Notes, nullptr, kNotesOther},
    {"Skip", CsvField::Skip, "", kNotesOther},
    {"Name", CsvField::Name, "", kNotesOther},
    {"First name", CsvField::GivenName, "", kNotesOther},
    {"Middle name", CsvField::MiddleName, "", kNotesOther},
    {"Last name", CsvField::FamilyName, "", kNotesOther},
    {"Company", CsvField::Company, "", kNotesOther},
    {"Department", CsvField::Department, "", kNotesOther},
    {"Address", CsvField::Address, "", kNotesOther},
    {"Street", CsvField::Street, "", kNotesOther},
    {"City", CsvField::City, "", kNotesOther},
    {"State or region", CsvField::Region, "", kNotesOther},
    {"Postcode", CsvField::Postcode, "", kNotesOther},
    {"Country", CsvField::Country, "", kNotesOther},
    {"Phone", CsvField::Phone, nullptr, kNotesOther},
    {"Groups", CsvField::Groups, ",", kNotesOther},
    {"E-mail", CsvField::Notes, "E-mail", kNotesEmail},
    {"Notes", CsvField::Notes, "", kNotesOther},
};
constexpr int kPhoneChoice = 14;

// The choice that shows what the header suggested.
int ChoiceFor(const CsvColumn& column) {
  for (int i = 1; i < static_cast<int>(std::size(kFieldChoices)); ++i) {
    const FieldChoice& choice = kFieldChoices[i];
    const bool sameLabel = !choice.Label || column.Label == QLatin1String(choice.Label) || column.Field != CsvField::Notes;
    if (choice.Field == column.Field && sameLabel) return i;
  }
  return 0;  // Notes under its header
}

// The first value of each of the columns, reading no more rows than it takes to find them.
QStringList ExamplesOf(const CsvTable& table, const std::vector<int>& columns) {
  QStringList examples(table.Header.size());
  qsizetype missing = static_cast<qsizetype>(columns.size());
  for (qsizetype r = 0; r < table.RowCount() && missing > 0; ++r) {
    const QStringList row = table.Row(r);
    for (const int c : columns)
      if (c < row.size() && examples[c].isEmpty() && !row[c].trimmed().isEmpty()) {
        examples[c] = row[c].simplified();
        --missing;
      }
  }
  return examples;
}

}  // namespace

ColumnMappingModel::ColumnMappingModel(QObject* parent) : QAbstractTableModel(parent) {}

void ColumnMappingModel::Fill(const std::vector<ImportSource>& sources) {
  beginResetModel();
  rows_.clear();
  for (size_t s = 0; s < sources.size(); ++s) {
    const ImportSource& source = sources[s];
    if (source.Format != ImportFormat::Csv) continue;
    const std::vector<int> columns = ColumnsToMap(source.Table, source.Columns);
    const QStringList examples = ExamplesOf(source.Table, columns);
    for (const int column : columns) {
      const QString& header = source.Table.Header[column];
      const CsvColumn& guess = source.Columns[static_cast<size_t>(column)];
      const CsvColumn phone = guess.Field == CsvField::Phone ? guess : GuessColumn(header);
      rows_.push_back({s, column, QFileInfo(source.Path).fileName(), header, examples[column], ChoiceFor(guess),
                       phone.Field == CsvField::Phone ? phone.Label : QString()});
    }
  }
  endResetModel();
}

void ColumnMappingModel::ApplyTo(std::vector<ImportSource>& sources) const {
  for (const Row& row : rows_)
    if (row.Chosen) sources[row.Source].Columns[static_cast<size_t>(row.Column)] = Mapped(row);
}

QStringList ColumnMappingModel::FieldCaptions() {
  QStringList captions;
  for (const FieldChoice& choice : kFieldChoices) captions << QString::fromLatin1(choice.Caption);
  return captions;
}

bool ColumnMappingModel::IsPhone(const Row& row) const { return row.Field == kPhoneChoice; }

CsvColumn ColumnMappingModel::Mapped(const Row& row) const {
  const FieldChoice& choice = kFieldChoices[row.Field];
  // A phone without a name gives numbers without a phone name.
  const QString label = IsPhone(row) ? row.PhoneName.trimmed()
                        : choice.Label ? QString::fromLatin1(choice.Label)
                                       : row.Header;
  return {choice.Field, 0, label, choice.Rank, false};
}

int ColumnMappingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ColumnMappingModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ColumnMappingModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)) return {};
  const Row& row = rows_[static_cast<size_t>(index.row())];
  switch (index.column()) {
    case kFile: return row.File;
    case kHeader: return row.Header;
    case kExample: return row.Example;
    case kField: return role == Qt::EditRole ? QVariant(row.Field) : QString::fromLatin1(kFieldChoices[row.Field].Caption);
    case kPhoneName: return row.PhoneName;
    default: return {};
  }
}

bool ColumnMappingModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  Row& row = rows_[static_cast<size_t>(index.row())];
  if (index.column() == kField) {
    const int field = value.toInt();
    if (field < 0 || field >= static_cast<int>(std::size(kFieldChoices)) || field == row.Field) return false;
    row.Field = field;
  } else {
    if (value.toString() == row.PhoneName) return false;
    row.PhoneName = value.toString();
  }
  row.Chosen = true;
  // The phone name of the row is editable only for a phone.
  Q_EMIT dataChanged(index.siblingAtColumn(kField), index.siblingAtColumn(kPhoneName));
  Q_EMIT MappingChanged();
  return true;
}

Qt::ItemFlags ColumnMappingModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const bool editable = index.column() == kField ||
                        (index.column() == kPhoneName && IsPhone(rows_[static_cast<size_t>(index.row())]));
  return editable ? flags | Qt::ItemIsEditable : flags;
}

QVariant ColumnMappingModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  static const char* const kCaptions[] = {"File", "Column", "Example", "Import As", "Phone Name"};
  return QString::fromLatin1(kCaptions[section]);
}

#include "moc_ColumnMappingModel.cpp"
