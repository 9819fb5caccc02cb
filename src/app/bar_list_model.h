#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

#include "series/bar_table.h"

// The lines of a data selection page's list box: one per displayed bar of the last load, each
// formatted only when the view asks for it, followed by the lines of forecast bars typed in
// since. The bars are copied, so the list shows the load even after the data set changes.
class BarListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit BarListModel(QObject* parent = nullptr);

  // Lists the bars of a load in place of everything listed before.
  void ShowLoaded(const varnolt::LoadedSeries& series);

  // The lines after those of the loaded bars.
  const std::vector<std::string>& Appended() const { return appended_; }
  // Replaces them; rows that stay the same are left alone, so the view keeps its place.
  void SetAppended(std::vector<std::string> lines);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  varnolt::LoadedSeries loaded_;
  int loaded_rows_ = 0;
  std::vector<std::string> appended_;
};
