#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A captioned group of radio buttons addressed by item index, as the data unit groups and the
// option groups of the parameter pages are read and written.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

  // The checked item, 0 for the first; -1 when none is checked.
  int itemIndex() const;
  // Checks the item; an index out of range unchecks all.
  void setItemIndex(int index);
  int itemCount() const;

 signals:
  void itemIndexChanged(int index);

 private:
  QButtonGroup* buttons_;
};
