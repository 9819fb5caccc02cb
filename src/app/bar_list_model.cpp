#include "app/bar_list_model.h"

#include "series/bar_list.h"

BarListModel::BarListModel(QObject* parent) : QAbstractListModel(parent) {}

void BarListModel::ShowLoaded(const varnolt::LoadedSeries& series) {
  beginResetModel();
  loaded_ = series;
  loaded_rows_ = varnolt::BarListCount(loaded_);
  appended_.clear();
  endResetModel();
}

void BarListModel::SetAppended(std::vector<std::string> lines) {
  size_t same = 0;
  while (same < appended_.size() && same < lines.size() && appended_[same] == lines[same]) ++same;
  const int first = loaded_rows_ + static_cast<int>(same);
  if (same < appended_.size()) {
    beginRemoveRows(QModelIndex(), first, loaded_rows_ + static_cast<int>(appended_.size()) - 1);
    appended_.resize(same);
    endRemoveRows();
  }
  if (same < lines.size()) {
    beginInsertRows(QModelIndex(), first, loaded_rows_ + static_cast<int>(lines.size()) - 1);
    appended_ = std::move(lines);
    endInsertRows();
  }
}

int BarListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : loaded_rows_ + static_cast<int>(appended_.size());
}

QVariant BarListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const int row = index.row();
  return QString::fromStdString(row < loaded_rows_ ? varnolt::BarListLine(loaded_, row)
                                                   : appended_[row - loaded_rows_]);
}
