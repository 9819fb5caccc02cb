#pragma once

// Finding a window's controls by name in the window tests; a missing control fails the test.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QStringList>
#include <QWidget>

template <typename Widget>
Widget* Child(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(name);
  if (widget == nullptr) ADD_FAILURE() << "no control " << name;
  return widget;
}

// The lines of the list box of that name.
inline QStringList ListItems(const QWidget& window, const char* name) {
  QStringList items;
  const auto* list = Child<QListWidget>(window, name);
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}
