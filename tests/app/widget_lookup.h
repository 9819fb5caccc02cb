#pragma once

// Finding a window's controls by name in the window tests; a missing control fails the test.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QStringList>
#include <QWidget>

template <typename Widget>
Widget* Child(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(name);
  if (widget == nullptr) ADD_FAILURE() << "no control " << name;
  return widget;
}

// The lines of the list box of that name, as its view shows them.
inline QStringList ListItems(const QWidget& window, const char* name) {
  QStringList items;
  const QAbstractItemModel* model = Child<QAbstractItemView>(window, name)->model();
  for (int i = 0; i < model->rowCount(); ++i) items << model->index(i, 0).data().toString();
  return items;
}
